#pragma once
// The questions and file choices of the staff program, behind one interface so
// that the windows run unchanged under tests that answer for the user.
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace trevane {

class EditorPrompts {
public:
    virtual ~EditorPrompts() = default;

    enum class SaveChoice { Save, Discard, Cancel };
    enum class DiskChoice { Overwrite, Reload, Cancel };

    // "Save the changes to <file>?"
    virtual SaveChoice AskSaveChanges(QWidget* parent, const QString& file) = 0;
    // The file changed on disk since it was opened: overwrite it, open it again, or neither.
    virtual DiskChoice AskChangedOnDisk(QWidget* parent, const QString& message) = 0;
    virtual void ShowError(QWidget* parent, const QString& title, const QString& message) = 0;
    virtual void ShowInformation(QWidget* parent, const QString& title, const QString& message) = 0;
    // File choices; an empty result is a cancel.
    virtual QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& dir,
                                   const QString& filter) = 0;
    virtual QStringList ChooseOpenFiles(QWidget* parent, const QString& title, const QString& dir,
                                        const QString& filter) = 0;
    virtual QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& dir,
                                   const QString& filter) = 0;
    // A name for a new material; empty when cancelled.
    virtual QString AskText(QWidget* parent, const QString& title, const QString& label, const QString& text) = 0;
    // One of `items`; -1 when cancelled.
    virtual int AskItem(QWidget* parent, const QString& title, const QString& label, const QStringList& items) = 0;
    // The print dialog: sets up `printer`; false when cancelled.
    virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The real dialogs (message boxes with stable object names, file dialogs).
class QtEditorPrompts : public EditorPrompts {
public:
    SaveChoice AskSaveChanges(QWidget* parent, const QString& file) override;
    DiskChoice AskChangedOnDisk(QWidget* parent, const QString& message) override;
    void ShowError(QWidget* parent, const QString& title, const QString& message) override;
    void ShowInformation(QWidget* parent, const QString& title, const QString& message) override;
    QString ChooseOpenFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter) override;
    QStringList ChooseOpenFiles(QWidget* parent, const QString& title, const QString& dir,
                                const QString& filter) override;
    QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& dir, const QString& filter) override;
    QString AskText(QWidget* parent, const QString& title, const QString& label, const QString& text) override;
    int AskItem(QWidget* parent, const QString& title, const QString& label, const QStringList& items) override;
    bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
};

}  // namespace trevane
