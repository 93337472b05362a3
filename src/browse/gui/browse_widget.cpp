#include "browse/gui/browse_widget.h"

#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "browse/browse_page.h"
#include "browse/gui/property_icons.h"
#include "browse/jpeg.h"
#include "common/gui/hint_support.h"
#include "common/gui/tool_glyphs.h"
#include "materials/property_rows.h"

namespace trevane {

namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr int kValueRole = Qt::UserRole + 1;
constexpr int kMatRowHeight = 16;
constexpr int kPanel1Width = 193;
constexpr int kPictureWidth = BrowsePage::kPictureWidth;
constexpr int kPictureHeight = BrowsePage::kPictureHeight;

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

void SetHelpContext(QWidget* w, int context) { w->setProperty("helpContext", context); }

QToolButton* ToolButton(QWidget* parent, const char* name, const QString& caption, ToolGlyph icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setIcon(ToolGlyphIcon(icon));
    b->setIconSize(QSize(20, 20));
    b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void SelectRow(QListWidget* list, int selected) {
    if (selected >= 0 && selected < list->count()) {
        list->setCurrentRow(selected);
        list->scrollToItem(list->item(selected));
    } else {
        list->setCurrentRow(-1);
        list->clearSelection();
    }
}

// Shows `entries` in `list` with `selected` as the current row. The items are
// rebuilt only when the entries differ, so the scroll position survives.
void SyncList(QListWidget* list, const IndexedList& entries, int selected, int rowHeight) {
    bool same = list->count() == static_cast<int>(entries.size());
    for (int i = 0; same && i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        same = item->text() == Q(entries[static_cast<std::size_t>(i)].text) &&
               item->data(kCodeRole).toInt() == entries[static_cast<std::size_t>(i)].index;
    }
    if (!same) {
        list->clear();
        for (const ListEntry& e : entries) {
            auto* item = new QListWidgetItem(Q(e.text), list);
            item->setData(kCodeRole, e.index);
            item->setSizeHint(QSize(list->fontMetrics().horizontalAdvance(item->text()) + 8, rowHeight));
        }
    }
    SelectRow(list, selected);
}

// Shows the property rows of a material: label as the item's text, value and
// row code beside it.
void SyncPropertyList(QListWidget* list, const std::vector<PropertyRow>& rows, int selected, int rowHeight) {
    bool same = list->count() == static_cast<int>(rows.size());
    for (int i = 0; same && i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        const PropertyRow& row = rows[static_cast<std::size_t>(i)];
        same = item->text() == Q(row.label) && item->data(kValueRole).toString() == Q(row.value) &&
               item->data(kCodeRole).toInt() == row.code;
    }
    if (!same) {
        list->clear();
        for (const PropertyRow& row : rows) {
            auto* item = new QListWidgetItem(Q(row.label), list);
            item->setData(kCodeRole, row.code);
            item->setData(kValueRole, Q(row.value));
            item->setSizeHint(QSize(100, rowHeight));
        }
    }
    SelectRow(list, selected);
}

}  // namespace

// ---------------------------------------------------------------- PropRowDelegate

void PropRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    PropListBDrawItem(*painter, index, option.rect, option.state, option.font);
}

void PropRowDelegate::PropListBDrawItem(QPainter& canvas, const QModelIndex& index, const QRect& r, QStyle::State state,
                                        const QFont& font) const {
    QPainter* painter = &canvas;
    painter->save();
    painter->fillRect(r, Qt::white);  // a selected row gets no highlight colour
    painter->drawPixmap(r.left() + 5, r.top(), PropertyIcon(index.data(kCodeRole).toInt()));

    painter->setFont(font);
    painter->setPen((state & QStyle::State_Selected) ? QColor(Qt::red) : QColor(Qt::black));
    const QFontMetrics fm(font);
    const QString label = index.data(Qt::DisplayRole).toString();
    const int labelWidth = fm.horizontalAdvance(label);
    const int right = r.left() + r.width();  // one past the last pixel
    const int textTop = (r.top() + r.top() + r.height() - fm.height()) / 2;
    painter->drawText(QRect(r.left() + 30, textTop, std::max(0, right - r.left() - 30), fm.height()),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label);
    {
        const QRect v(QPoint(r.left() + 40 + labelWidth, r.top()), QPoint(right - 20 - 1, r.bottom()));
        const QString value = index.data(kValueRole).toString();
        if (v.width() > 0) {
            if (fm.horizontalAdvance(value) < v.width())
                painter->drawText(v, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, value);
            else
                painter->drawText(v, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                                  fm.elidedText(value, Qt::ElideRight, v.width()));
        }
    }
    painter->restore();
}

QSize PropRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return QSize(100, BrowsePage::kPropRowHeight);
}

// ---------------------------------------------------------------- PropListBox

PropListBox::PropListBox(BrowsePage& page, QWidget* parent) : QListWidget(parent), page_(page) {
    setObjectName("PropListB");
    setItemDelegate(new PropRowDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    setMinimumWidth(100);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
}

void PropListBox::RowPosition(int viewportY, int& y, int& topRow) const {
    const QModelIndex top = indexAt(QPoint(1, 0));
    topRow = top.isValid() ? top.row() : 0;
    const int offset = top.isValid() ? visualRect(top).top() : 0;  // <= 0 when a row is partly hidden
    y = viewportY - offset;
}

void PropListBox::UpdateCursor() {
    viewport()->setCursor(page_.PropListBHelpCursor ? Qt::WhatsThisCursor : Qt::ArrowCursor);
}

void PropListBox::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        // A right press never changes the selection; on the selected row it opens
        // the row's definition.
        int y = 0, topRow = 0;
        RowPosition(static_cast<int>(e->position().y()), y, topRow);
        page_.PropListBMouseDown(true, y, topRow);
        e->accept();
        return;
    }
    QListWidget::mousePressEvent(e);
}

void PropListBox::mouseMoveEvent(QMouseEvent* e) {
    int y = 0, topRow = 0;
    RowPosition(static_cast<int>(e->position().y()), y, topRow);
    page_.PropListBMouseMove(y, topRow);
    UpdateCursor();
    if (e->buttons() != Qt::NoButton) QListWidget::mouseMoveEvent(e);
}

void PropListBox::contextMenuEvent(QContextMenuEvent* e) { e->accept(); }

void PropListBox::resizeEvent(QResizeEvent* e) {
    QListWidget::resizeEvent(e);
    viewport()->update();  // values are placed against the right edge
}

// ---------------------------------------------------------------- PictureBox

PictureBox::PictureBox(const Image& image, QWidget* parent) : QWidget(parent), image_(image) {
    setObjectName("PropPic");
    setFixedSize(kPictureWidth, kPictureHeight);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (image_.Empty() || image_.rgb.size() < static_cast<std::size_t>(image_.width) * image_.height * 3) return;
    // The whole picture from the top-left corner: a picture larger than the box
    // is scaled down to fit, proportions kept (it was decoded near that size).
    const QImage img(image_.rgb.data(), image_.width, image_.height, image_.width * 3, QImage::Format_RGB888);
    int w = 0, h = 0;
    FitPictureSize(image_.width, image_.height, width(), height(), w, h);
    if (w == image_.width && h == image_.height)
        p.drawImage(QPoint(0, 0), img);
    else
        p.drawImage(QPoint(0, 0), img.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// ---------------------------------------------------------------- BrowsePageWidget

BrowsePageWidget::BrowsePageWidget(BrowsePage& page, QWidget* parent) : PageWidget(parent), page_(page) {
    setObjectName("PageB");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // Toolbar.
    QHBoxLayout* bar = nullptr;
    auto* panel2 = MakeToolbar("Panel2", bar);
    menuBtn_ = ToolButton(panel2, "BmenuBtn", "main menu", ToolGlyph::House);
    SetHint(menuBtn_, "return to main menu| Return to the main menu on the start-up page");
    printBtn_ = ToolButton(panel2, "BprintBtn", "print preview", ToolGlyph::Printer);
    SetHint(printBtn_, "print preview| Print the current list of properties");
    helpBtn_ = ToolButton(panel2, "SpeedButton5", QString(), ToolGlyph::Help);
    SetHint(helpBtn_, "help");
    SetHelpContext(helpBtn_, BrowsePage::kHelpContext);
    nameLabel_ = new QLabel(panel2);
    nameLabel_->setObjectName("MatNameLabel");
    QFont nameFont("Arial");
    nameFont.setPixelSize(19);
    nameLabel_->setFont(nameFont);
    QPalette namePal = nameLabel_->palette();
    namePal.setColor(QPalette::WindowText, Qt::blue);
    nameLabel_->setPalette(namePal);
    bar->addWidget(menuBtn_);
    bar->addWidget(printBtn_);
    bar->addWidget(helpBtn_);
    bar->addSpacing(16);
    bar->addWidget(nameLabel_, 1);
    outer->addWidget(panel2);

    // Left panel: categories (or "return to search") above the material list.
    splitter1_ = new QSplitter(Qt::Horizontal, this);
    splitter1_->setObjectName("Splitter1");
    splitter1_->setChildrenCollapsible(false);
    auto* panel1 = new QWidget(splitter1_);
    panel1->setObjectName("Panel1");
    panel1->setMinimumWidth(50);
    auto* left = new QVBoxLayout(panel1);
    left->setContentsMargins(2, 2, 2, 2);
    left->setSpacing(2);

    categories_ = new QGroupBox(" choose a material", panel1);
    categories_->setObjectName("WhichMaterialRG");
    SetHint(categories_,
            "click to select a material type| All the materials of the type selected will be listed below.");
    SetHelpContext(categories_, BrowsePage::kHelpContext);
    categoryButtons_ = new QButtonGroup(this);
    auto* catLayout = new QVBoxLayout(categories_);
    catLayout->setSpacing(1);
    for (int i = 0; i < BrowsePage::kCategoryCount; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(BrowsePage::kCategoryCaptions[i]), categories_);
        radio->setObjectName(QString("WhichMaterialRG_%1").arg(i));
        radio->setToolTip(categories_->toolTip());
        radio->setProperty("hint", categories_->property("hint"));
        SetHelpContext(radio, BrowsePage::kHelpContext);
        categoryButtons_->addButton(radio, i);
        catLayout->addWidget(radio);
    }
    left->addWidget(categories_);

    searchGroup_ = new QGroupBox(panel1);
    searchGroup_->setObjectName("BSearchGB");
    auto* searchLayout = new QVBoxLayout(searchGroup_);
    searchBtn_ = new QPushButton("return to search", searchGroup_);
    searchBtn_->setObjectName("BSearchBtn");
    searchLayout->addWidget(searchBtn_);
    left->addWidget(searchGroup_);

    matList_ = new QListWidget(panel1);
    matList_->setObjectName("MatListB");
    matList_->setUniformItemSizes(true);
    matList_->setSelectionMode(QAbstractItemView::SingleSelection);
    SetHint(matList_, "click to select| Click to show the properties of the material");
    SetHelpContext(matList_, BrowsePage::kHelpContext);
    left->addWidget(matList_, 1);

    // Property list and the picture with the description, with Splitter4 between.
    splitter4_ = new QSplitter(Qt::Horizontal, splitter1_);
    splitter4_->setObjectName("Splitter4");
    splitter4_->setChildrenCollapsible(false);
    propList_ = new PropListBox(page, splitter4_);
    SetHint(propList_, "|Right click on a property to show its definition.");
    SetHelpContext(propList_, BrowsePage::kHelpContext);

    auto* scrollBox = new QScrollArea(splitter4_);
    scrollBox->setObjectName("ScrollBox1");
    scrollBox->setWidgetResizable(true);
    scrollBox->setMinimumWidth(100);
    auto* content = new QWidget(scrollBox);
    auto* right = new QVBoxLayout(content);
    right->setContentsMargins(6, 6, 6, 6);
    right->setSpacing(4);
    auto* bevel = new QFrame(content);
    bevel->setObjectName("PicBevel");
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setLineWidth(2);
    auto* bevelLayout = new QVBoxLayout(bevel);
    bevelLayout->setContentsMargins(2, 2, 2, 2);
    picture_ = new PictureBox(page.PropPic, bevel);
    bevelLayout->addWidget(picture_);
    bevel->setFixedSize(bevel->sizeHint());
    right->addWidget(bevel, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* label8 = new QLabel("information", content);
    label8->setObjectName("Label8");
    right->addWidget(label8);
    memo_ = new QPlainTextEdit(content);
    memo_->setObjectName("MemoB");
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setMinimumHeight(60);
    right->addWidget(memo_, 1);
    scrollBox->setWidget(content);

    splitter4_->addWidget(propList_);
    splitter4_->addWidget(scrollBox);
    splitter4_->setStretchFactor(0, 1);
    splitter4_->setStretchFactor(1, 0);
    splitter4_->setSizes({300, kPictureWidth + 40});
    splitter1_->addWidget(panel1);
    splitter1_->addWidget(splitter4_);
    splitter1_->setStretchFactor(0, 0);
    splitter1_->setStretchFactor(1, 1);
    splitter1_->setSizes({kPanel1Width, 600});
    const char* dragHint = "| Hold down the left mouse button and drag to resize";
    SetHint(splitter1_, dragHint);
    SetHint(splitter1_->handle(1), dragHint);
    SetHint(splitter4_->handle(1), dragHint);
    outer->addWidget(splitter1_, 1);

    // Events go to the page behaviour; the widget shows what the page announces.
    connect(menuBtn_, &QToolButton::clicked, this, [this] { Page().BmenuBtnClick(); });
    connect(printBtn_, &QToolButton::clicked, this, [this] { Page().BprintBtnClick(); });
    connect(helpBtn_, &QToolButton::clicked, this, [this] { Page().SpeedButton5Click(); });
    connect(searchBtn_, &QPushButton::clicked, this, [this] { Page().BSearchBtnClick(); });
    connect(categoryButtons_, &QButtonGroup::idClicked, this, [this](int id) { Page().WhichMaterialRGClick(id); });
    connect(matList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row == Page().MatListBIndex) return;
        Page().MatListBClick(row);
    });
    connect(propList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        Page().PropListBClick(row);
    });
    connect(propList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Page().PropListBClick(propList_->row(item)); });

    subscription_ = page.Changes.Subscribe([this](BrowseChange change) { Show(change); });
    Refresh();
}

void BrowsePageWidget::Show(BrowseChange change) {
    switch (change) {
        case BrowseChange::Categories: ShowCategories(); break;
        case BrowseChange::MaterialList: ShowMaterialList(); break;
        case BrowseChange::Material:
            ShowMaterial();
            // The rows show at once, before a picture is read.
            propList_->viewport()->repaint();
            break;
        case BrowseChange::Picture: picture_->update(); break;
        case BrowseChange::HelpCursor: {
            const QSignalBlocker block(propList_);
            SelectRow(propList_, Page().PropListBIndex);
            propList_->UpdateCursor();
            break;
        }
    }
}

void BrowsePageWidget::ShowCategories() {
    BrowsePage& page = Page();
    categories_->setVisible(page.WhichMaterialRGVisible);
    searchGroup_->setVisible(page.BSearchGBVisible);
    if (page.WhichMaterialRG >= 0 && page.WhichMaterialRG < BrowsePage::kCategoryCount) {
        categoryButtons_->button(page.WhichMaterialRG)->setChecked(true);
    } else {
        categoryButtons_->setExclusive(false);
        for (QAbstractButton* b : categoryButtons_->buttons()) b->setChecked(false);
        categoryButtons_->setExclusive(true);
    }
    nameLabel_->setText(Q(page.MatNameLabel));
}

void BrowsePageWidget::ShowMaterialList() {
    // Selecting the model's row is not a click of the pupil.
    const QSignalBlocker block(matList_);
    SyncList(matList_, Page().MatListB, Page().MatListBIndex, kMatRowHeight);
}

void BrowsePageWidget::ShowMaterial() {
    BrowsePage& page = Page();
    {
        const QSignalBlocker block(propList_);
        SyncPropertyList(propList_, page.PropListB, page.PropListBIndex, BrowsePage::kPropRowHeight);
    }
    propList_->UpdateCursor();
    nameLabel_->setText(Q(page.MatNameLabel));
    memo_->setPlainText(Q(page.MemoB));
}

void BrowsePageWidget::Refresh() {
    ShowCategories();
    ShowMaterialList();
    ShowMaterial();
    picture_->update();
}

}  // namespace trevane
