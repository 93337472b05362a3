#pragma once
// The help window HelpFrm: a topic view with back and forward, the contents
// (topic 1 and an index of every title) and a keyword search. It is not modal.
#include <QTextBrowser>
#include <QWidget>

#include "help/help_file.h"

class QLineEdit;
class QListWidget;
class QToolButton;

namespace trevane {

// A text browser whose "topic:N" addresses are the help file's topics.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(const HelpFile& help, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    const HelpFile& help_;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The window keeps a reference to help; it must outlive the window.
    HelpWindow(const HelpFile& help, QWidget* parent);

    // Shows a topic that exists in the help file.
    void ShowTopic(int number);
    // Topic 1 and the index of all titles.
    void ShowContents();
    // The keyword search, with the search box empty and focused.
    void ShowSearch();
    // The help file was read again.
    void Reload();

    int CurrentTopic() const;
    QListWidget* TopicList() const { return list_; }
    QLineEdit* SearchBox() const { return searchBox_; }

private:
    void FillList(const QString& words);
    void Present();

    const HelpFile& help_;
    HelpBrowser* browser_;
    QLineEdit* searchBox_;
    QListWidget* list_;
    QToolButton* backBtn_;
    QToolButton* forwardBtn_;
};

}  // namespace trevane
