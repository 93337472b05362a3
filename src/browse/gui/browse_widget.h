#pragma once
#include <QListWidget>
#include <QStyledItemDelegate>
#include <string>

#include "browse/browse_page.h"
#include "common/gui/page_widget.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSplitter;
class QToolButton;

namespace trevane {

class BrowsePage;
struct Image;

// Draws a row of PropListB: its icon, the label on the left and the value
// against the right margin (or cut with an ellipsis), red when selected.
class PropRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Draws the row `index` into rectangle r; a selected row's text is red.
    void PropListBDrawItem(QPainter& canvas, const QModelIndex& index, const QRect& r, QStyle::State state,
                           const QFont& font) const;
};

// PropListB: the owner-drawn property list. The pointer is handed to the page
// behaviour (help cursor over the selected row, right press for its definition).
class PropListBox : public QListWidget {
    Q_OBJECT
public:
    PropListBox(BrowsePage& page, QWidget* parent);
    // The first visible row and the pointer's y measured from that row's top.
    void RowPosition(int viewportY, int& y, int& topRow) const;
    void UpdateCursor();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    BrowsePage& page_;
};

// PropPic: the whole picture from the top-left corner, scaled down to fit when
// it is larger than the box.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const Image& image, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const Image& image_;
};

// The page PageB of the main window.
class BrowsePageWidget : public PageWidget {
    Q_OBJECT
public:
    BrowsePageWidget(BrowsePage& page, QWidget* parent);
    void Refresh() override;

private:
    void Show(BrowseChange change);
    void ShowCategories();
    void ShowMaterialList();
    void ShowMaterial();
    BrowsePage& Page() { return page_; }

    BrowsePage& page_;
    Notifier<BrowseChange>::Subscription subscription_;
    QToolButton* menuBtn_;
    QToolButton* printBtn_;
    QToolButton* helpBtn_;
    QLabel* nameLabel_;
    QGroupBox* categories_;
    QButtonGroup* categoryButtons_;
    QGroupBox* searchGroup_;
    QPushButton* searchBtn_;
    QListWidget* matList_;
    PropListBox* propList_;
    PictureBox* picture_;
    QPlainTextEdit* memo_;
    QSplitter* splitter1_;
    QSplitter* splitter4_;
};

}  // namespace trevane
