#include "printing/gui/preview_widget.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/gui/cursors.h"
#include "common/gui/hint_support.h"
#include "common/gui/tool_glyphs.h"
#include "printing/gui/print_dialogs.h"
#include "printing/gui/qpainter_canvas.h"
#include "printing/preview_page.h"

namespace trevane {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QToolButton* ToolButton(QWidget* parent, const char* name, const char* caption, ToolGlyph glyph, const char* hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(QString::fromUtf8(caption));
    b->setIcon(ToolGlyphIcon(glyph));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    SetHint(b, QString::fromUtf8(hint));
    return b;
}

}  // namespace

// ------------------------------------------------------------ preview box

PrntPicBox::PrntPicBox(PreviewPage& page, QWidget* parent) : QWidget(parent), page_(page) {
    setObjectName("PrntPic");
    setCursor(MagnifyCursor());
    SetHint(this, "click to zoom| Click the left mouse button to zoom in or the right mouse button to zoom out.");
    setContextMenuPolicy(Qt::PreventContextMenu);
    resize(page.PrntPicWidth, page.PrntPicHeight);
}

void PrntPicBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterCanvas canvas(painter);
    page_.PrntPicPaint(canvas, {0, 0, width(), height()});
}

void PrntPicBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    page_.PrntPicMouseDown(event->button() == Qt::LeftButton);
}

// ------------------------------------------------------------ page

PreviewPageWidget::PreviewPageWidget(PreviewPage& page, QWidget* parent) : PageWidget(parent), page_(page) {
    setObjectName("pageE");
    RegisterPrintingDialogs();
    Page().ScreenPpi = logicalDpiY() > 0 ? logicalDpiY() : 96;

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    QHBoxLayout* bar = nullptr;
    auto* panel6 = MakeToolbar("Panel6", bar);
    auto* menuBtn =
        ToolButton(panel6, "SpeedButton4", "main menu", ToolGlyph::House, "main menu| Return to main menu on page 1.");
    auto* returnBtn =
        ToolButton(panel6, "SpeedButton2", "return", ToolGlyph::Back, "return| Return to the previous page");
    auto* printBtn = ToolButton(panel6, "PrintBtn", "print", ToolGlyph::Printer, "print| Print current page");
    titleBtn_ = ToolButton(panel6, "TitleBtn", "titles", ToolGlyph::Titles,
                           "titles| Add your name and a project title to the print out");
    auto* fontBtn = ToolButton(panel6, "FontBtn", "font", ToolGlyph::Font, "font");
    fontLabel_ = new QLabel(Q(Page().FontLabel), panel6);
    fontLabel_->setObjectName("FontLabel");
    pageLabel_ = new QLabel(Q(Page().PageLabel), panel6);
    pageLabel_->setObjectName("PageLabel");
    // Paging through the cutting list's printout: the list, then its diagrams.
    prevPageBtn_ = new QToolButton(panel6);
    prevPageBtn_->setObjectName("PrevPageBtn");
    prevPageBtn_->setArrowType(Qt::LeftArrow);
    prevPageBtn_->setAutoRaise(true);
    SetHint(prevPageBtn_, "previous page| Show the previous page of the print out");
    nextPageBtn_ = new QToolButton(panel6);
    nextPageBtn_->setObjectName("NextPageBtn");
    nextPageBtn_->setArrowType(Qt::RightArrow);
    nextPageBtn_->setAutoRaise(true);
    SetHint(nextPageBtn_, "next page| Show the next page of the print out: the cutting diagrams follow the list");
    auto* storeLabel = new QLabel(panel6);
    storeLabel->setObjectName("StoreLabel");
    storeLabel->setVisible(false);
    for (QWidget* w :
         {static_cast<QWidget*>(menuBtn), static_cast<QWidget*>(returnBtn), static_cast<QWidget*>(printBtn),
          static_cast<QWidget*>(titleBtn_), static_cast<QWidget*>(fontBtn)})
        bar->addWidget(w);
    bar->addSpacing(12);
    bar->addWidget(fontLabel_);
    bar->addSpacing(24);
    bar->addWidget(prevPageBtn_);
    bar->addWidget(pageLabel_);
    bar->addWidget(nextPageBtn_);
    bar->addWidget(storeLabel);
    bar->addStretch(1);
    outer->addWidget(panel6);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("PrntScroll");
    scroll_->setProperty("helpContext", PreviewPage::kScrollHelpContext);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->horizontalScrollBar()->setSingleStep(46);
    scroll_->verticalScrollBar()->setSingleStep(25);
    pic_ = new PrntPicBox(Page(), scroll_);
    scroll_->setWidget(pic_);
    outer->addWidget(scroll_, 1);

    connect(menuBtn, &QToolButton::clicked, this, [this] { Page().SpeedButton4Click(); });
    connect(returnBtn, &QToolButton::clicked, this, [this] { Page().SpeedButton2Click(); });
    connect(printBtn, &QToolButton::clicked, this, [this] { Page().PrintBtnClick(); });
    connect(titleBtn_, &QToolButton::clicked, this, [this] { Page().TitleBtnClick(); });
    connect(fontBtn, &QToolButton::clicked, this, [this] { Page().FontBtnClick(); });
    connect(prevPageBtn_, &QToolButton::clicked, this, [this] { Page().PrevPageBtnClick(); });
    connect(nextPageBtn_, &QToolButton::clicked, this, [this] { Page().NextPageBtnClick(); });
    subscription_ = Page().Changes.Subscribe([this](PreviewChange change) { Show(change); });
    Refresh();
}

void PreviewPageWidget::Show(PreviewChange change) {
    switch (change) {
        case PreviewChange::Job: titleBtn_->setEnabled(Page().TitleBtnEnabled); [[fallthrough]];
        case PreviewChange::Font:
        case PreviewChange::Sheet:
            ShowLabels();
            pic_->update();
            break;
        case PreviewChange::Zoom: ApplyZoom(); break;
        case PreviewChange::Titles: pic_->update(); break;
        case PreviewChange::PageLabel: ShowLabels(); break;
    }
}

void PreviewPageWidget::ApplyZoom() {
    // The box keeps its top-left corner at the area's origin; the area then
    // scrolls it into view.
    pic_->resize(Page().PrntPicWidth, Page().PrntPicHeight);
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
    pic_->update();
}

void PreviewPageWidget::ShowLabels() {
    if (pageLabel_->text() != Q(Page().PageLabel)) pageLabel_->setText(Q(Page().PageLabel));
    if (fontLabel_->text() != Q(Page().FontLabel)) fontLabel_->setText(Q(Page().FontLabel));
    prevPageBtn_->setEnabled(Page().PrevPageBtnEnabled);
    nextPageBtn_->setEnabled(Page().NextPageBtnEnabled);
    prevPageBtn_->setVisible(Page().PreviewKind == kPreviewCuttingList);
    nextPageBtn_->setVisible(Page().PreviewKind == kPreviewCuttingList);
}

void PreviewPageWidget::Refresh() {
    titleBtn_->setEnabled(Page().TitleBtnEnabled);
    ShowLabels();
    if (pic_->size() != QSize(Page().PrntPicWidth, Page().PrntPicHeight)) ApplyZoom();
    pic_->update();
}

}  // namespace trevane
