#pragma once
#include <QWidget>

class QFrame;
class QLabel;
class QToolButton;

namespace trevane {

// PageA, the start page: the teal paint box BackPic and, centred on it, MenuPanel
// with the three activity buttons MenuBtn1..3, their labels Label1..3 and frames
// Shape1..3.
class StartPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 393;
    static constexpr int kPanelHeight = 245;

    explicit StartPage(QWidget* parent);
    QFrame* MenuPanel() const { return menuPanel_; }

signals:
    // A start-page button was pressed; tag 0 browse, 1 search, 2 costing.
    void MenuButtonClicked(int tag);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CentreMenuPanel();
    QWidget* backPic_;
    QFrame* menuPanel_;
};

}  // namespace trevane
