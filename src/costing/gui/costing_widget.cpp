#include "costing/gui/costing_widget.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "help/help_contexts.h"
#include "common/gui/hint_support.h"
#include "common/gui/tool_glyphs.h"
#include "costing/costing_page.h"
#include "costing/gui/cut_grid_panel.h"
#include "costing/gui/section_glyphs.h"

namespace trevane {

namespace {

QFont BoldArial(const QFont& base) {
    QFont f(base);
    f.setFamily("Arial");
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() > 0 ? f.pointSizeF() * 1.25 : 11);
    return f;
}

// The toolbar strip: as high as its tools, plus a scroll bar only when the tools
// do not fit across.
class ToolbarScroller : public QScrollArea {
public:
    explicit ToolbarScroller(QWidget* parent) : QScrollArea(parent) {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    void Fit() {
        if (!widget()) return;
        int h = widget()->sizeHint().height();
        if (widget()->minimumSizeHint().width() > width()) h += horizontalScrollBar()->sizeHint().height();
        if (h != height()) setFixedHeight(h);
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QScrollArea::resizeEvent(e);
        // Outside the resize itself, so the tools are laid out for the final height.
        QMetaObject::invokeMethod(
            this, [this] { Fit(); }, Qt::QueuedConnection);
    }
};

// Text of a core list as shown.
bool SameItems(const QListWidget* w, const IndexedList& items) {
    if (w->count() != static_cast<int>(items.size())) return false;
    for (int i = 0; i < w->count(); ++i)
        if (w->item(i)->text() != QString::fromStdString(items[static_cast<std::size_t>(i)].text)) return false;
    return true;
}

}  // namespace

CostingPageWidget::CostingPageWidget(CostingPage& page, CuttingList& cutList, QWidget* parent)
    : PageWidget(parent), page_(page) {
    setObjectName("PageD");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* scroller = new ToolbarScroller(this);
    pageScroller1_ = scroller;
    pageScroller1_->setObjectName("PageScroller1");
    pageScroller1_->setWidget(BuildToolbar());
    column->addWidget(pageScroller1_);

    splitter3_ = new QSplitter(Qt::Horizontal, this);
    splitter3_->setObjectName("Splitter3");
    splitter3_->setChildrenCollapsible(false);
    column->addWidget(splitter3_, 1);

    auto* scrollBox3 = new QScrollArea(splitter3_);
    scrollBox3->setObjectName("ScrollBox3");
    scrollBox3->setWidgetResizable(true);
    scrollBox3->setMinimumWidth(50);
    auto* left = new QWidget(scrollBox3);
    auto* leftColumn = new QVBoxLayout(left);

    materialPC_ = new QTabWidget(left);
    materialPC_->setObjectName("MaterialPC");
    materialPC_->setProperty("helpContext", kHelpCosting);
    materialPC_->addTab(BuildWoodTab(), "Wood");
    materialPC_->addTab(BuildMetalTab(), "Metal");
    materialPC_->addTab(BuildPlasticTab(), "Plastic");
    materialPC_->addTab(BuildBoardTab(), "Board");
    connect(materialPC_, &QTabWidget::currentChanged, this, [this](int tab) { page_.MaterialPCChange(tab); });
    leftColumn->addWidget(materialPC_);

    auto* panel7 = new QWidget(left);
    panel7->setObjectName("Panel7");
    auto* buttons = new QHBoxLayout(panel7);
    buttons->setContentsMargins(0, 4, 0, 4);
    auto* costBtn = new QPushButton("calculate cost", panel7);
    costBtn->setObjectName("WoodCostBtn");
    SetHint(costBtn, "calculate cost");
    auto* addBtn = new QPushButton("add to cutting list", panel7);
    addBtn->setObjectName("WoodAddCLBtn");
    SetHint(addBtn, "add to list| Add current sizes and cost to the cutting list");
    for (auto* b : {costBtn, addBtn}) {
        b->setMinimumHeight(40);
        b->setFont(BoldArial(font()));
        buttons->addWidget(b);
    }
    connect(costBtn, &QPushButton::clicked, this, [this] { page_.WoodCostBtnClick(); });
    connect(addBtn, &QPushButton::clicked, this, [this] { page_.WoodAddCLBtnClick(); });
    leftColumn->addWidget(panel7);
    leftColumn->addStretch(1);
    scrollBox3->setWidget(left);

    gridHost_ = new QWidget(splitter3_);
    gridHost_->setObjectName("CutGridPane");
    gridHost_->setMinimumWidth(50);
    auto* gridColumn = new QVBoxLayout(gridHost_);
    gridColumn->setContentsMargins(0, 0, 0, 0);
    auto* cutGrid = new CutGridPanel(cutList, gridHost_, false);
    gridColumn->addWidget(cutGrid);
    AddCuttingListTools(cutGrid);

    splitter3_->addWidget(scrollBox3);
    splitter3_->addWidget(gridHost_);
    splitter3_->setStretchFactor(0, 0);
    splitter3_->setStretchFactor(1, 1);
    splitter3_->setSizes({left->sizeHint().width() + 24, 600});

    subscription_ = page_.Changes.Subscribe([this](const CostingChange& change) { Show(change.parts); });
    Refresh();
}

QWidget* CostingPageWidget::BuildToolbar() {
    panel5_ = new QWidget(this);
    panel5_->setObjectName("Panel5");
    toolbarRow_ = new QHBoxLayout(panel5_);
    toolbarRow_->setContentsMargins(4, 3, 4, 3);

    auto* menuBtn = new QToolButton(panel5_);
    menuBtn->setObjectName("SpeedButton1");
    menuBtn->setText("Main menu");
    menuBtn->setIcon(ToolGlyphIcon(ToolGlyph::House));
    menuBtn->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(menuBtn, &QToolButton::clicked, this, [this] { page_.SpeedButton1Click(); });
    toolbarRow_->addWidget(menuBtn);

    dMaterialCombo_ = new QComboBox(panel5_);
    dMaterialCombo_->setObjectName("DMaterialCombo");
    dMaterialCombo_->setEditable(false);
    dMaterialCombo_->setMinimumContentsLength(22);
    dMaterialCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    dMaterialCombo_->setProperty("helpContext", kHelpCosting);
    SetHint(dMaterialCombo_,
            "click to select| Click the drop down button on the right to show a list of materials and then click "
            "to select one.");
    connect(dMaterialCombo_, &QComboBox::activated, this, [this](int item) { page_.DMaterialComboClick(item); });
    toolbarRow_->addWidget(dMaterialCombo_);
    toolbarRow_->addStretch(1);
    return panel5_;
}

void CostingPageWidget::AddCuttingListTools(CutGridPanel* cutList) {
    for (QWidget* tool : cutList->EditTools()) AddToolbarWidget(tool);
    auto addTool = [this](const char* name, QStyle::StandardPixmap icon, const char* hint,
                          void (CostingPage::*click)()) {
        auto* b = new QToolButton(panel5_);
        b->setObjectName(name);
        if (icon != QStyle::SP_CustomBase) b->setIcon(style()->standardIcon(icon));
        b->setIconSize(QSize(20, 20));
        SetHint(b, hint);
        connect(b, &QToolButton::clicked, this, [this, click] { std::invoke(click, page_); });
        AddToolbarWidget(b);
        return b;
    };
    addTool("SpeedButton8", QStyle::SP_DialogOpenButton, "open file", &CostingPage::SpeedButton8Click);
    addTool("SpeedButton9", QStyle::SP_DialogSaveButton, "Save file", &CostingPage::SpeedButton9Click);
    addTool("DPrntBtn", QStyle::SP_FileDialogContentsView, "print preview| Show a print preview of the cutting list",
            &CostingPage::DPrntBtnClick);
    for (QWidget* tool : cutList->GridTools()) AddToolbarWidget(tool);
    auto* help = addTool("SpeedButton11", QStyle::SP_CustomBase, "help| Help on costing and the cutting list",
                         &CostingPage::SpeedButton11Click);
    help->setIcon(ToolGlyphIcon(ToolGlyph::Help, 40));
    help->setProperty("helpContext", kHelpCosting);
}

void CostingPageWidget::AddToolbarWidget(QWidget* tool) {
    tool->setParent(panel5_);
    toolbarRow_->insertWidget(toolbarRow_->count() - 1, tool);  // before the closing stretch
    static_cast<ToolbarScroller*>(pageScroller1_)->Fit();
}

QLineEdit* CostingPageWidget::MakeEdit(QWidget* parent, const char* name, std::string CostingPage::*text,
                                       const char* hint, bool (CostingPage::*keyPress)(char32_t key)) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(110);
    SetHint(e, hint);
    e->installEventFilter(this);
    connect(e, &QLineEdit::textEdited, this, [this, text](const QString& t) { page_.*text = t.toStdString(); });
    edits_.push_back({e, text, keyPress, buildingPart_});
    return e;
}

QLabel* CostingPageWidget::MakeLabel(QWidget* parent, const char* name, std::string CostingPage::*text, bool bold) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    if (bold) l->setFont(BoldArial(font()));
    labels_.push_back({l, text, buildingPart_});
    return l;
}

QWidget* CostingPageWidget::MakeUnitsGroup(QWidget* parent, const char* name, const char* caption, const char* first,
                                           const char* second, int CostingPage::*index, void (CostingPage::*click)(int),
                                           const char* hint) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    box->setObjectName(name);
    SetHint(box, hint);
    auto* row = new QHBoxLayout(box);  // the items side by side
    row->setContentsMargins(6, 2, 6, 2);
    auto* group = new QButtonGroup(box);
    int id = 0;
    for (const char* item : {first, second}) {
        auto* b = new QRadioButton(item, box);
        group->addButton(b, id++);
        row->addWidget(b);
    }
    connect(group, &QButtonGroup::idClicked, this, [this, click](int i) { std::invoke(click, page_, i); });
    radios_.push_back({group, index, buildingPart_});
    return box;
}

QListWidget* CostingPageWidget::MakeList(QWidget* parent, const char* name, IndexedList CostingPage::*items,
                                         int CostingPage::*index, void (CostingPage::*click)(int), const char* hint) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setMinimumWidth(170);
    list->setMinimumHeight(120);
    SetHint(list, hint);
    connect(list, &QListWidget::currentRowChanged, this, [this, click](int row) {
        if (row >= 0) std::invoke(click, page_, row);
    });
    lists_.push_back({list, items, index, buildingPart_});
    return list;
}

QWidget* CostingPageWidget::MakeSectionButtons(QWidget* parent, const char* namePrefix, const std::vector<int>& kinds,
                                               const std::vector<const char*>& hints, QColor fill,
                                               void (CostingPage::*click)(int), QButtonGroup*& group) {
    auto* strip = new QWidget(parent);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    group = new QButtonGroup(strip);
    group->setExclusive(true);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        auto* b = new QToolButton(strip);
        b->setObjectName(QString("%1%2").arg(namePrefix).arg(i + 1));
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setIcon(QIcon(SectionGlyph(kinds[i], 64, fill)));
        b->setIconSize(QSize(28, 28));
        b->setFixedSize(36, 36);
        SetHint(b, hints[i]);
        group->addButton(b, static_cast<int>(i));  // the id is the button's tag
        row->addWidget(b);
    }
    row->addStretch(1);
    connect(group, &QButtonGroup::idClicked, this, [this, click](int tag) { std::invoke(click, page_, tag); });
    return strip;
}

QWidget* CostingPageWidget::BuildWoodTab() {
    buildingPart_ = CostingPage::kWoodPart;
    auto* tab = new QWidget;
    tab->setObjectName("WoodCost");
    tab->setProperty("helpContext", kHelpCosting);
    auto* grid = new QGridLayout(tab);
    grid->setColumnStretch(3, 1);

    auto* label7 = new QLabel("Cost per sq. metre\n(25 mm thick)", tab);
    label7->setObjectName("Label7");
    grid->addWidget(label7, 0, 0);
    grid->addWidget(MakeLabel(tab, "WoodSqmCostLabel", &CostingPage::WoodSqmCostLabel, true), 0, 1, 1, 2);

    grid->addWidget(MakeLabel(tab, "WoodLengthLabel", &CostingPage::WoodLengthLabel), 1, 0);
    grid->addWidget(
        MakeEdit(tab, "LengthEdit", &CostingPage::LengthEdit, "enter length", &CostingPage::LengthEditKeyPress), 1, 1);
    grid->addWidget(
        MakeUnitsGroup(tab, "LengthUnitRG", "", "(mm)", "(m)", &CostingPage::LengthUnitRG,
                       &CostingPage::LengthUnitRGClick, "choose units| Select the units for the length measurement"),
        1, 2);
    grid->addWidget(MakeLabel(tab, "WoodWidthLabel", &CostingPage::WoodWidthLabel), 2, 0);
    grid->addWidget(MakeEdit(tab, "WidthEdit", &CostingPage::WidthEdit, "enter width", &CostingPage::WidthEditKeyPress),
                    2, 1);
    grid->addWidget(
        MakeUnitsGroup(tab, "WidthUnitRG", "", "(mm)", "(m)", &CostingPage::WidthUnitRG, &CostingPage::WidthUnitRGClick,
                       "choose units| Select the units for the width measurement"),
        2, 2);
    auto* label10 = new QLabel("thickness (mm)", tab);
    label10->setObjectName("Label10");
    grid->addWidget(label10, 3, 0);
    grid->addWidget(MakeEdit(tab, "ThicknessEdit", &CostingPage::ThicknessEdit, "enter thickness",
                             &CostingPage::ThicknessEditKeyPress),
                    3, 1);

    auto* label11 = new QLabel("cost", tab);
    label11->setObjectName("Label11");
    grid->addWidget(label11, 4, 0);
    grid->addWidget(MakeLabel(tab, "WoodCostLabel", &CostingPage::WoodCostLabel, true), 4, 1, 1, 2);
    grid->setRowStretch(5, 1);
    return tab;
}

// The controls of a tab that prices stock sections (metal and plastic): the
// section buttons, the size list, and the unit price, sizes, cost and units.
struct CostingPageWidget::SectionTab {
    unsigned part;
    const char* tabName;
    const char* buttonPrefix;
    std::vector<int> kinds;
    std::vector<const char*> buttonHints;
    QColor glyphFill;
    void (CostingPage::*sectionClick)(int);
    const char* listName;
    IndexedList CostingPage::*list;
    int CostingPage::*listIndex;
    void (CostingPage::*listClick)(int);
    const char* listHint;
    const char* priceCaptionName;
    std::string CostingPage::*priceCaption;
    const char* priceName;
    std::string CostingPage::*price;
    const char* lengthLabelName;
    std::string CostingPage::*lengthLabel;
    const char* lengthEditName;
    std::string CostingPage::*lengthEdit;
    bool (CostingPage::*lengthKeyPress)(char32_t);
    const char* widthLabelName;
    std::string CostingPage::*widthLabel;
    const char* widthEditName;
    std::string CostingPage::*widthEdit;
    bool (CostingPage::*widthKeyPress)(char32_t);
    const char* costCaptionName;
    const char* costName;
    std::string CostingPage::*cost;
    const char* unitsName;
    int CostingPage::*units;
    void (CostingPage::*unitsClick)(int);
};

QWidget* CostingPageWidget::BuildSectionTab(const SectionTab& t, QButtonGroup*& sections, QLabel*& widthLabel,
                                            QLineEdit*& widthEdit) {
    buildingPart_ = t.part;
    auto* tab = new QWidget;
    tab->setObjectName(t.tabName);
    tab->setProperty("helpContext", kHelpStock);
    auto* column = new QVBoxLayout(tab);
    column->addWidget(
        MakeSectionButtons(tab, t.buttonPrefix, t.kinds, t.buttonHints, t.glyphFill, t.sectionClick, sections));

    auto* body = new QHBoxLayout;
    body->addWidget(MakeList(tab, t.listName, t.list, t.listIndex, t.listClick, t.listHint));
    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel(tab, t.priceCaptionName, t.priceCaption), 0, 0);
    grid->addWidget(MakeLabel(tab, t.priceName, t.price, true), 0, 1);
    grid->addWidget(MakeLabel(tab, t.lengthLabelName, t.lengthLabel), 1, 0);
    grid->addWidget(MakeEdit(tab, t.lengthEditName, t.lengthEdit, "enter length", t.lengthKeyPress), 1, 1);
    widthLabel = MakeLabel(tab, t.widthLabelName, t.widthLabel);
    widthEdit = MakeEdit(tab, t.widthEditName, t.widthEdit, "enter width", t.widthKeyPress);
    grid->addWidget(widthLabel, 2, 0);
    grid->addWidget(widthEdit, 2, 1);
    auto* costCaption = new QLabel("cost", tab);
    costCaption->setObjectName(t.costCaptionName);
    grid->addWidget(costCaption, 3, 0);
    grid->addWidget(MakeLabel(tab, t.costName, t.cost, true), 3, 1);
    grid->addWidget(MakeUnitsGroup(tab, t.unitsName, " measure in", "(m)", "(mm)", t.units, t.unitsClick,
                                   "choose units| Choose the units for measurement"),
                    4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    body->addLayout(grid, 1);
    column->addLayout(body, 1);
    return tab;
}

QWidget* CostingPageWidget::BuildMetalTab() {
    const SectionTab metal{
        CostingPage::kMetalPart,
        "MetalCost",
        "SectBtn",
        {1, 2, 3, 4, 5, 6, 7, 8},
        {"strip| List available sizes of metal strip", "square| List available sizes of metal square section",
         "rod| List available sizes of metal round section", "square tube| List available sizes of square metal tube",
         "round tube| List available sizes of round metal tube",
         "box section| List available sizes of metal box section", "angle| List available sizes of metal angle section",
         "sheet| List available thicknesses of metal sheet"},
        QColor(176, 184, 194),
        &CostingPage::SectBtn1Click,
        "MetalSectionLB",
        &CostingPage::MetalSectionLB,
        &CostingPage::MetalSectionLBIndex,
        &CostingPage::MetalSectionLBClick,
        "click to select| Click to select a size of thickness",
        "MetalUnitCostLabel",
        &CostingPage::MetalUnitCostLabel,
        "UnitCostLabel",
        &CostingPage::UnitCostLabel,
        "MetalLengthLabel",
        &CostingPage::MetalLengthLabel,
        "MetalLengthEdit",
        &CostingPage::MetalLengthEdit,
        &CostingPage::MetalLengthEditKeyPress,
        "MetalWidthLabel",
        &CostingPage::MetalWidthLabel,
        "MetalWidthEdit",
        &CostingPage::MetalWidthEdit,
        &CostingPage::MetalWidthEditKeyPress,
        "Label14",
        "MetalCostLabel",
        &CostingPage::MetalCostLabel,
        "MetalUnitsRG",
        &CostingPage::MetalUnitsRG,
        &CostingPage::MetalUnitsRGClick};
    return BuildSectionTab(metal, metalSections_, metalWidthLabel_, metalWidthEdit_);
}

QWidget* CostingPageWidget::BuildPlasticTab() {
    const SectionTab plastic{CostingPage::kPlasticPart,
                             "PlasticCost",
                             "PlasticSectBtn",
                             {8, 3, 5},
                             {"sheets| List available sheet thicknesses", "rod| List available sizes for solid rods",
                              "tube| List available sizes for tubes"},
                             QColor(150, 200, 235),
                             &CostingPage::PlasticSectBtn1Click,
                             "PlasticSectionLB",
                             &CostingPage::PlasticSectionLB,
                             &CostingPage::PlasticSectionLBIndex,
                             &CostingPage::PlasticSectionLBClick,
                             "click to select| Click to select a size or thickness",
                             "PlasticSizeLabel",
                             &CostingPage::PlasticSizeLabel,
                             "PlasticUnitCostLabel",
                             &CostingPage::PlasticUnitCostLabel,
                             "PlasticLengthLabel",
                             &CostingPage::PlasticLengthLabel,
                             "PlasticLengthEdit",
                             &CostingPage::PlasticLengthEdit,
                             &CostingPage::PlasticLengthEditKeyPress,
                             "PlasticWidthLabel",
                             &CostingPage::PlasticWidthLabel,
                             "PlasticWidthEdit",
                             &CostingPage::PlasticWidthEdit,
                             &CostingPage::PlasticWidthEditKeyPress,
                             "Label23",
                             "PlasticCostLabel",
                             &CostingPage::PlasticCostLabel,
                             "PlasticUnitsRG",
                             &CostingPage::PlasticUnitsRG,
                             &CostingPage::PlasticUnitsRGClick};
    return BuildSectionTab(plastic, plasticSections_, plasticWidthLabel_, plasticWidthEdit_);
}

QWidget* CostingPageWidget::BuildBoardTab() {
    buildingPart_ = CostingPage::kBoardPart;
    auto* tab = new QWidget;
    tab->setObjectName("BoardCost");
    tab->setProperty("helpContext", kHelpStock);
    auto* body = new QHBoxLayout(tab);

    auto* listColumn = new QVBoxLayout;
    auto* label6 = new QLabel("available thicknesses", tab);
    label6->setObjectName("Label6");
    listColumn->addWidget(label6);
    auto* list =
        MakeList(tab, "BoardSectionLB", &CostingPage::BoardSectionLB, &CostingPage::BoardSectionLBIndex,
                 &CostingPage::BoardSectionLBClick, "click to select| Click an item in the list to select a thickness");
    list->setProperty("helpContext", kHelpStock);
    listColumn->addWidget(list, 1);
    body->addLayout(listColumn);

    auto* grid = new QGridLayout;
    auto* label18 = new QLabel("cost\n( sq. metre )", tab);
    label18->setObjectName("Label18");
    grid->addWidget(label18, 0, 0);
    grid->addWidget(MakeLabel(tab, "BoardUnitCostLabel", &CostingPage::BoardUnitCostLabel, true), 0, 1);
    grid->addWidget(MakeLabel(tab, "BoardLengthLabel", &CostingPage::BoardLengthLabel), 1, 0);
    grid->addWidget(MakeEdit(tab, "BoardLengthEdit", &CostingPage::BoardLengthEdit, "enter length",
                             &CostingPage::BoardLengthEditKeyPress),
                    1, 1);
    grid->addWidget(MakeLabel(tab, "BoardWidthLabel", &CostingPage::BoardWidthLabel), 2, 0);
    grid->addWidget(MakeEdit(tab, "BoardWidthEdit", &CostingPage::BoardWidthEdit, "enter width",
                             &CostingPage::BoardWidthEditKeyPress),
                    2, 1);
    auto* label19 = new QLabel("cost", tab);
    label19->setObjectName("Label19");
    grid->addWidget(label19, 3, 0);
    grid->addWidget(MakeLabel(tab, "BoardCostLabel", &CostingPage::BoardCostLabel), 3, 1);
    grid->addWidget(MakeUnitsGroup(tab, "BoardUnitsRG", " measure in", "(m)", "(mm)", &CostingPage::BoardUnitsRG,
                                   &CostingPage::BoardUnitsRGClick, "choose units| Choose the units for measurement"),
                    4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    body->addLayout(grid, 1);
    return tab;
}

bool CostingPageWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return PageWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts (paste, copy, undo ...) and keys that type nothing are not filtered.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QList<uint> typed = key->text().toUcs4();
    if (typed.isEmpty() || typed.front() == 0x7f) return false;
    for (const auto& b : edits_) {
        if (b.edit != watched) continue;
        return !std::invoke(b.keyPress, page_,
                            static_cast<char32_t>(typed.front()));  // a refused key never reaches the edit
    }
    return false;
}

void CostingPageWidget::Refresh() { Show(CostingPage::kAllParts); }

void CostingPageWidget::Show(unsigned parts) {
    if (parts & CostingPage::kTabPart) {
        const QSignalBlocker block(materialPC_);
        materialPC_->setCurrentIndex(page_.MaterialPCIndex);
    }
    if (parts & CostingPage::kSelectorPart) {
        if (shownMaterials_ != page_.DMaterialCombo) {
            dMaterialCombo_->clear();
            for (const auto& e : page_.DMaterialCombo) dMaterialCombo_->addItem(QString::fromStdString(e.text));
            shownMaterials_ = page_.DMaterialCombo;
        }
        dMaterialCombo_->setCurrentIndex(page_.DMaterialComboIndex);
    }
    for (const auto& b : edits_) {
        if (!(b.part & parts)) continue;
        const QString text = QString::fromStdString(page_.*(b.text));
        if (b.edit->text() != text) b.edit->setText(text);
    }
    for (const auto& b : labels_)
        if (b.part & parts) b.label->setText(QString::fromStdString(page_.*(b.text)));
    for (const auto& b : radios_) {
        if (!(b.part & parts)) continue;
        if (auto* button = b.group->button(page_.*(b.index))) button->setChecked(true);
    }
    for (const auto& b : lists_) {
        if (!(b.part & parts)) continue;
        const QSignalBlocker block(b.list);
        const IndexedList& items = page_.*(b.items);
        if (!SameItems(b.list, items)) {
            b.list->clear();
            for (const auto& e : items) b.list->addItem(QString::fromStdString(e.text));
        }
        const int index = page_.*(b.index);
        if (index >= 0 && index < b.list->count()) {
            b.list->setCurrentRow(index);
        } else {
            b.list->setCurrentRow(-1);
            b.list->clearSelection();
        }
    }
    if (parts & CostingPage::kMetalPart) {
        if (auto* b = metalSections_->button(page_.MetalSectBtnDown - 1)) b->setChecked(true);
        metalWidthLabel_->setVisible(page_.MetalWidthLabelVisible);
        metalWidthEdit_->setVisible(page_.MetalWidthEditVisible);
    }
    if (parts & CostingPage::kPlasticPart) {
        if (auto* b = plasticSections_->button(page_.PlasticSectBtnDown - 1)) b->setChecked(true);
        plasticWidthLabel_->setVisible(page_.PlasticWidthLabelVisible);
        plasticWidthEdit_->setVisible(page_.PlasticWidthEditVisible);
    }
}

}  // namespace trevane
