#include "search/gui/search_widget.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include "help/help_contexts.h"
#include "common/gui/qt_fonts.h"
#include "common/gui/hint_support.h"
#include "common/gui/tool_glyphs.h"
#include "search/gui/criteria_grid_view.h"
#include "search/gui/search_dialogs_qt.h"
#include "search/gui/search_views.h"
#include "search/search_page.h"

namespace trevane {

namespace {

QFont ArialPixels(int px, bool bold = false) {
    QFont f("Arial");
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QPushButton* Button(const char* name, const char* caption, const char* hint, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (hint) SetHint(b, hint);
    return b;
}

QLabel* Label(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// The memo keeps "\n"; the page (and the project file) keep CR LF.
std::string ToCrLf(const QString& text) { return QString(text).replace("\n", "\r\n").toStdString(); }

// The memo's text as typed. Its plain text would turn no-break spaces into
// spaces; the raw text keeps them and marks line ends as paragraph or line
// separators.
QString MemoText(const QPlainTextEdit& memo) {
    QString text = memo.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, '\n').replace(QChar::LineSeparator, '\n');
    return text;
}
QString FromCrLf(const std::string& text) { return QString::fromStdString(text).replace("\r\n", "\n"); }

}  // namespace

SearchPageWidget::SearchPageWidget(SearchPage& page, QWidget* parent) : PageWidget(parent), page_(page) {
    setObjectName("PageC");
    RegisterSearchDialogs();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildToolbar());

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName("Splitter2");
    splitter_->setChildrenCollapsible(false);
    grid_ = new CriteriaGridView(
        page_.GridC, [this](bool left, int col, int row, bool resize) { page_.GridCMouseDown(left, col, row, resize); },
        splitter_);
    grid_->setProperty("helpContext", kHelpCriteria);
    SetHint(grid_,
            "click| Click to change the values of the search criteria. A value of don't care means that this "
            "property is not included in the search.");
    splitter_->addWidget(grid_);
    splitter_->addWidget(BuildResults());
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({320, 480});
    layout->addWidget(splitter_, 1);

    subscription_ = page_.Changes.Subscribe([this](SearchChange change) { Show(change); });
    Refresh();
}

QWidget* SearchPageWidget::BuildToolbar() {
    auto* panel = new QFrame(this);
    panel->setObjectName("Panel4");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setFixedHeight(35);
    auto* bar = new QHBoxLayout(panel);
    bar->setContentsMargins(4, 2, 4, 2);

    auto* menu =
        Button("CmenuBtn", "main menu", "return to main menu| Return to the main menu on the start-up page", panel);
    menu->setIcon(ToolGlyphIcon(ToolGlyph::House));
    connect(menu, &QPushButton::clicked, this, [this] { page_.CmenuBtnClick(); });
    bar->addWidget(menu);
    auto* print =
        Button("CPrintBtn", "print preview", "print preview| Print preview of the  results of the  search", panel);
    print->setIcon(ToolGlyphIcon(ToolGlyph::Printer));
    connect(print, &QPushButton::clicked, this, [this] { page_.CPrintBtnClick(); });
    bar->addWidget(print);
    // The File commands' open and save buttons.
    auto* open = Button("SpeedButton6", "", "open file", panel);
    open->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    connect(open, &QPushButton::clicked, this, [this] { page_.SpeedButton6Click(); });
    bar->addWidget(open);
    auto* save = Button("SpeedButton7", "", "save file", panel);
    save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(save, &QPushButton::clicked, this, [this] { page_.SpeedButton7Click(); });
    bar->addWidget(save);
    bar->addSpacing(16);

    bar->addWidget(Label("Label4", "category", panel));
    categoryLabel_ = Label("CategoryLabel", {}, panel);
    categoryLabel_->setFont(ArialPixels(19));
    QPalette pal = categoryLabel_->palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    categoryLabel_->setPalette(pal);
    bar->addWidget(categoryLabel_, 1);

    // The marks of the found list, kept hidden in the toolbar.
    auto* tick = Label("TickPic", {}, panel);
    tick->setPixmap(MakeTickPixmap());
    tick->hide();
    auto* cross = Label("CrossPic", {}, panel);
    cross->setPixmap(MakeCrossPixmap());
    cross->hide();
    return panel;
}

QWidget* SearchPageWidget::BuildResults() {
    auto* scroll = new QScrollArea(splitter_);
    scroll->setObjectName("ScrollBox2");
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    content->setObjectName("ScrollBox2Content");
    auto* col = new QVBoxLayout(content);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(Label("Label5", "materials found", content));
    numFound_ = Label("NumFoundLabel", "0", content);
    numFound_->setFont(ArialPixels(13, true));
    countRow->addWidget(numFound_);
    countRow->addStretch(1);
    col->addLayout(countRow);

    auto* listAndButtons = new QHBoxLayout;
    auto* lists = new QVBoxLayout;
    found_ = new QListView(content);
    found_->setObjectName("FoundListbox");
    found_->setProperty("helpContext", kHelpSearchType);
    SetHint(found_, "|Materials shown with a tick are available in your workshop");
    found_->setFont(ArialPixels(11, true));
    found_->setUniformItemSizes(true);
    found_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    found_->setMinimumHeight(FoundListDelegate::kRowHeight * 8 + 4);
    foundModel_ = new FoundListModel(page_, found_);
    found_->setModel(foundModel_);
    found_->setItemDelegate(new FoundListDelegate(MakeTickPixmap(), MakeCrossPixmap(), found_));
    connect(found_, &QListView::clicked, this, [this](const QModelIndex& idx) { page_.FoundListboxIndex = idx.row(); });
    lists->addWidget(found_, 1);
    lists->addWidget(Label("Label12", "tick = available material", content));

    nearMissLabel_ = Label("NearMissLabel", "close matches", content);
    nearMissLabel_->setFont(ArialPixels(13, true));
    lists->addWidget(nearMissLabel_);
    nearMisses_ = new QListWidget(content);
    nearMisses_->setObjectName("NearMissListbox");
    SetHint(nearMisses_,
            "close matches| Materials that have every value you asked for except one. They are not part of the "
            "search results.");
    nearMisses_->setFont(ArialPixels(11));
    nearMisses_->setSelectionMode(QAbstractItemView::NoSelection);
    nearMisses_->setFocusPolicy(Qt::NoFocus);
    nearMisses_->setMaximumHeight(14 * 6 + 4);
    lists->addWidget(nearMisses_);
    listAndButtons->addLayout(lists, 1);

    auto* buttons = new QVBoxLayout;
    auto* search = Button("SearchBtn", "search database", "search| Do a search using the current criteria.", content);
    connect(search, &QPushButton::clicked, this, [this] { page_.SearchBtnClick(); });
    showDetails_ = Button("ShowDetailsBtn", "show details",
                          "Show details| Show detailed properties of the materials found in the search.", content);
    connect(showDetails_, &QPushButton::clicked, this, [this] { page_.ShowDetailsBtnClick(); });
    auto* newSearch = Button("NewSearchBtn", "new search",
                             "new search category| Choose a new category of materials to search for.", content);
    connect(newSearch, &QPushButton::clicked, this, [this] { page_.NewSearchBtnClick(); });
    auto* help = Button("SpeedButton10", "help and hints",
                        "help| If you are not sure how to doo a search, click here for help.", content);
    connect(help, &QPushButton::clicked, this, [this] { page_.SpeedButton10Click(); });
    for (QPushButton* b : {search, showDetails_, newSearch, help}) buttons->addWidget(b);
    buttons->addStretch(1);
    listAndButtons->addLayout(buttons);
    col->addLayout(listAndButtons, 2);

    auto* evalRow = new QHBoxLayout;
    auto* heading = Label("Label9", "Student Evaluation", content);
    QFont hf = ArialPixels(19, true);
    hf.setUnderline(true);
    heading->setFont(hf);
    evalRow->addWidget(heading);
    evalRow->addStretch(1);
    auto* hints = Button("SpeedButton3", "hints",
                         "help| If you are not sure what to include in your evaluation, click here for help.", content);
    connect(hints, &QPushButton::clicked, this, [this] { page_.SpeedButton3Click(); });
    auto* font = Button("EvalFontBtn", "font", "font| Change the font used for the evaluation text", content);
    connect(font, &QPushButton::clicked, this, [this] { page_.EvalFontBtnClick(); });
    evalRow->addWidget(hints);
    evalRow->addWidget(font);
    col->addLayout(evalRow);

    memo_ = new Cp1252TextEdit([this] { page_.EvalMemoRefusedKey(); }, content);
    memo_->setObjectName("EvalMemo");
    memo_->setProperty("helpContext", kHelpEvaluationMemo);
    SetHint(memo_,
            "| Type you evaluation of the seacrh here. If you are not sure what to write, click the help button.");
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setMinimumHeight(120);
    connect(memo_, &QPlainTextEdit::textChanged, this, [this] { page_.EvalMemoChanged(ToCrLf(MemoText(*memo_))); });
    col->addWidget(memo_, 3);

    scroll->setWidget(content);
    return scroll;
}

void SearchPageWidget::showEvent(QShowEvent* e) {
    PageWidget::showEvent(e);
    if (!widthsSet_ && grid_->viewport()->width() > 0) {
        // The criteria columns share the grid's width once, when it is first shown.
        widthsSet_ = true;
        page_.SetColumnWidths(grid_->viewport()->width());
        grid_->Refresh();
    }
}

void SearchPageWidget::Show(SearchChange change) {
    switch (change) {
        case SearchChange::Criteria: ShowCriteria(); break;
        case SearchChange::Results: ShowResults(); break;
        case SearchChange::Evaluation: ShowEvaluation(); break;
    }
}

void SearchPageWidget::ShowCriteria() {
    categoryLabel_->setText(QString::fromStdString(page_.CategoryLabel));
    grid_->Refresh();
}

void SearchPageWidget::ShowResults() {
    foundModel_->Reload();
    if (page_.FoundListboxIndex >= 0) found_->setCurrentIndex(foundModel_->index(page_.FoundListboxIndex));
    numFound_->setText(QString::fromStdString(page_.NumFoundLabel));
    showDetails_->setEnabled(page_.ShowDetailsBtnEnabled);

    nearMisses_->clear();
    for (const auto& miss : page_.NearMisses) nearMisses_->addItem(QString::fromStdString(miss.Text()));
    nearMissLabel_->setVisible(!page_.NearMisses.empty());
    nearMisses_->setVisible(!page_.NearMisses.empty());
}

void SearchPageWidget::ShowEvaluation() {
    if (ToCrLf(MemoText(*memo_)) != page_.EvalMemo) {
        // Showing the page's text is not an edit of the pupil.
        const QSignalBlocker block(memo_);
        memo_->setPlainText(FromCrLf(page_.EvalMemo));
    }
    const QFont memoFont = ToQFont(page_.EvalFont);
    if (memo_->font() != memoFont) memo_->setFont(memoFont);
    QPalette pal = memo_->palette();
    const QColor textColour(QRgb(page_.EvalFont.color));
    if (pal.color(QPalette::Text) != textColour) {
        pal.setColor(QPalette::Text, textColour);
        memo_->setPalette(pal);
    }
}

void SearchPageWidget::Refresh() {
    ShowCriteria();
    ShowResults();
    ShowEvaluation();
}

}  // namespace trevane
