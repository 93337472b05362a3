#include "costing/costing_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <utility>

#include "common/errors.h"
#include "costing/costing_numbers.h"
#include "costing/cutting_list.h"
#include "materials/material.h"
#include "materials/stock_checks.h"
#include "materials/tables.h"

namespace trevane {

namespace {

// Runs `f` when the scope ends, whichever way a handler leaves.
template <class F>
class OnExit {
public:
    explicit OnExit(F f) : f_(std::move(f)) {}
    OnExit(const OnExit&) = delete;
    OnExit& operator=(const OnExit&) = delete;
    ~OnExit() { f_(); }

private:
    F f_;
};

constexpr std::string_view kCrLf = "\r\n";
constexpr const char* kSelectSize = "Please select a size from the list of available sizes";
constexpr const char* kInvalidValues = "The values you entered are not valid numbers";
constexpr const char* kNotValidNumber = "is not a valid number";

// Below this a typed wood size counts as zero.
constexpr double kZeroSize = 0.000001;

// Section kinds of the plastic section buttons 1..3.
int PlasticKindOfButton(int button) {
    switch (button) {
        case 1: return kKindSheet;
        case 2: return kKindRound;
        case 3: return kKindRoundTube;
        default: return 0;
    }
}

// Whole centimetres of a length in metres, halves to even.
double WholeCentimetres(double metres) { return RoundHalfEven(metres * 100.0); }

// "The maximum size available for/in <size>\r\n is 2.50 m x 1.25 m"
std::string SizeLimitText(const char* lead, const std::string& sizeText, int maxLength, int maxWidth) {
    std::string text = lead + sizeText;
    text += kCrLf;
    text += " is " + FormatFixed2(maxLength / 100.0) + " m x " + FormatFixed2(maxWidth / 100.0) + " m";
    return text;
}

// "The maximum length available for/in <size>\r\n is 3.00 m"
std::string LengthLimitText(const char* lead, const std::string& sizeText, int maxLength) {
    std::string text = lead + sizeText;
    text += kCrLf;
    text += " is " + FormatFixed2(maxLength / 100.0) + " m";
    return text;
}

int MetalKindOfButton(int button) { return button; }

// A size as the cutting list takes it: millimetres as typed; metres as whole
// millimetres (halves to even). nullopt when a size in metres is not a number.
std::optional<Millimetres> ListSize(const std::string& text, bool metres) {
    if (!metres) return Millimetres{ParseDecimal(text), text};
    const auto value = ParseDecimal(text);
    if (!value) return std::nullopt;
    const double mm = RoundHalfEven(*value * 1000.0);
    if (!std::isfinite(mm)) return std::nullopt;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", mm);
    return Millimetres{mm, buf};
}

}  // namespace

bool IsCostableMaterial(const TMaterial& m) { return m.CostingFlag != 0 && UsableForCosting(m); }

// The fields of a tab that prices stock sections, named as its controls.
struct CostingPage::SectionTab {
    IndexedList CostingPage::*list;
    int CostingPage::*listIndex;
    int CostingPage::*buttonDown;         // which section button is down (1 is the first)
    int (*kindOfButton)(int button);      // the section kind a button lists
    std::string CostingPage::*unitPrice;  // unit price label
    std::string CostingPage::*costLabel;
    Money CostingPage::*cost;  // the amount the cost label shows
    std::string CostingPage::*lengthEdit;
    std::string CostingPage::*widthEdit;
    int CostingPage::*units;  // 0 "(m)", 1 "(mm)"
    unsigned part;            // the page part the tab's controls belong to
    bool tightCost;           // "£3.75" rather than "£ 3.75"
    const char* limitWord;    // "for " or "in " in the stock warnings
    std::string (*sizeText)(int code);
    int (*sizeCode)(const std::string& text);
};

// What section costing reads of a metal's or a plastic's stock shape.
struct CostingPage::SectionShape {
    int price = 0, maxLength = 0, maxWidth = 0;
};

const CostingPage::SectionTab CostingPage::kMetalTabFields{&CostingPage::MetalSectionLB,
                                                           &CostingPage::MetalSectionLBIndex,
                                                           &CostingPage::MetalSectBtnDown,
                                                           MetalKindOfButton,
                                                           &CostingPage::UnitCostLabel,
                                                           &CostingPage::MetalCostLabel,
                                                           &CostingPage::metalCost_,
                                                           &CostingPage::MetalLengthEdit,
                                                           &CostingPage::MetalWidthEdit,
                                                           &CostingPage::MetalUnitsRG,
                                                           kMetalPart,
                                                           false,
                                                           "for ",
                                                           MetalSizeText,
                                                           MetalSizeCode};

const CostingPage::SectionTab CostingPage::kPlasticTabFields{&CostingPage::PlasticSectionLB,
                                                             &CostingPage::PlasticSectionLBIndex,
                                                             &CostingPage::PlasticSectBtnDown,
                                                             PlasticKindOfButton,
                                                             &CostingPage::PlasticUnitCostLabel,
                                                             &CostingPage::PlasticCostLabel,
                                                             &CostingPage::plasticCost_,
                                                             &CostingPage::PlasticLengthEdit,
                                                             &CostingPage::PlasticWidthEdit,
                                                             &CostingPage::PlasticUnitsRG,
                                                             kPlasticPart,
                                                             true,
                                                             "in ",
                                                             PlasticSizeText,
                                                             PlasticSizeCode};

CostingPage::CostingPage(const MaterialDatabase& database, const ViewOptions& view, IUserInterface& ui,
                         Navigator& navigator, PrintPreviewer& previewer, CuttingList& cutList)
    : WoodSqmCostLabel(FormatMoney(0)),
      WoodCostLabel(FormatMoney(0)),
      UnitCostLabel(FormatMoney(0)),
      MetalCostLabel(FormatMoney(0)),
      PlasticUnitCostLabel(FormatMoney(0)),
      PlasticCostLabel(FormatMoney(0)),
      BoardUnitCostLabel(FormatMoney(0)),
      BoardCostLabel(FormatMoney(0)),
      database_(database),
      view_(view),
      ui_(ui),
      navigator_(navigator),
      previewer_(previewer),
      cutList_(cutList) {}

// ---------------------------------------------------------------- shared

const TMaterial* CostingPage::MaterialAt(int position) const {
    const auto& list = database_.Materials;
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) return nullptr;
    return list[static_cast<std::size_t>(position)].get();
}

const TMaterial* CostingPage::MaterialOfEntry(const IndexedList& list, int entry) const {
    if (entry < 0 || static_cast<std::size_t>(entry) >= list.size()) return nullptr;
    return MaterialAt(list[static_cast<std::size_t>(entry)].index);
}

bool CostingPage::HasChosenMaterial() const {
    return !DMaterialCombo.empty() && DMaterialComboIndex >= 0 &&
           static_cast<std::size_t>(DMaterialComboIndex) < DMaterialCombo.size();
}

const TMaterial* CostingPage::ChosenMaterial() const {
    return HasChosenMaterial() ? MaterialOfEntry(DMaterialCombo, DMaterialComboIndex) : nullptr;
}

void CostingPage::Inform(const std::string& text) { ui_.Message(MsgKind::Information, text, kBtnOk); }

void CostingPage::ShowInvalidValues() { ui_.Message(MsgKind::Error, kInvalidValues, kBtnOk); }

void CostingPage::Announce(unsigned parts) { Changes.Announce({parts}); }

void CostingPage::OnDatabaseSwitched() {
    ClearIndexedList(DMaterialCombo);
    DMaterialComboIndex = -1;
    ClearIndexedList(MetalSectionLB);
    MetalSectionLBIndex = -1;
    ClearIndexedList(PlasticSectionLB);
    PlasticSectionLBIndex = -1;
    ClearIndexedList(BoardSectionLB);
    BoardSectionLBIndex = -1;
    MaterialPCIndex = kWoodTab;
    Announce(kAllParts);
}

void CostingPage::SetUpCostMaterials(int code) {
    const auto& materials = database_.Materials;
    if (materials.empty()) return;
    if (!DMaterialCombo.empty()) {
        ClearIndexedList(DMaterialCombo);
        DMaterialComboIndex = -1;
    }
    for (std::size_t i = 0; i < materials.size(); ++i) {
        const TMaterial& m = *materials[i];
        if (!IsCostableMaterial(m)) continue;
        bool offered = false;
        switch (code) {
            case 0: offered = m.Category == kCatWood; break;
            case 1: offered = m.Category >= kCatSteel && m.Category <= kCatCopper; break;
            case 2: offered = m.Category == kCatPlastic; break;
            case 10: offered = m.Category == kCatBoard; break;
            default: break;
        }
        if (offered) DMaterialCombo.push_back({m.Name, static_cast<std::int32_t>(i)});
    }
    if (!DMaterialCombo.empty()) {
        DMaterialComboIndex = 0;
        MaterialChosen(0);
    }
    Announce(kSelectorPart);
}

void CostingPage::MaterialPCChange(int tab) {
    static constexpr int kCodes[] = {0, 1, 2, 10};
    if (tab < kWoodTab || tab > kBoardTab) return;
    MaterialPCIndex = tab;
    SetUpCostMaterials(kCodes[tab]);
    Announce(kTabPart);
}

void CostingPage::MaterialChosen(int entry) {
    const TMaterial* m = MaterialOfEntry(DMaterialCombo, entry);
    if (!m) return;
    switch (m->Category) {
        case kCatWood:
            if (auto* wood = dynamic_cast<const TWood*>(m)) WoodSqmCostLabel = FormatMoney(wood->Price * 0.00025);
            break;
        case kCatPlastic: FillPlasticSizes(entry, PlasticKindOfButton(PlasticSectBtnDown)); break;
        case kCatSteel:
        case kCatAluminium:
        case kCatBrass:
        case kCatCopper: FillMetalSizes(entry, MetalSectBtnDown); break;
        case kCatBoard: FillBoardSizes(entry); break;
        default: break;
    }
    Announce(kWoodPart | kMetalPart | kPlasticPart | kBoardPart);
}

void CostingPage::DMaterialComboClick(int item) {
    if (item >= 0 && static_cast<std::size_t>(item) < DMaterialCombo.size()) DMaterialComboIndex = item;
    if (HasChosenMaterial()) MaterialChosen(DMaterialComboIndex);
    Announce(kSelectorPart);
}

void CostingPage::WoodCostBtnClick() {
    switch (MaterialPCIndex) {
        case kWoodTab: WoodCost(); break;
        case kMetalTab: MetalCost(); break;
        case kPlasticTab: PlasticCost(); break;
        case kBoardTab: BoardCost(); break;
        default: break;
    }
}

void CostingPage::WoodAddCLBtnClick() {
    const PieceToAdd add = PieceOfActiveTab();
    if (add.invalidSizes) {
        Inform("The size values are not valid numbers");
        return;
    }
    if (!add.message.empty()) Inform(add.message);
    if (add.piece)
        cutList_.AddToCuttingList(*add.piece);
    else
        cutList_.MarkProjectChanged();  // the command counts as an edit even when it adds nothing
}

PieceToAdd CostingPage::PieceOfActiveTab() const {
    if (!HasChosenMaterial()) return {};
    const ListEntry& chosen = DMaterialCombo[static_cast<std::size_t>(DMaterialComboIndex)];
    CostedPiece piece;
    piece.Material = chosen.text;
    piece.MaterialIndex = chosen.index;
    PieceToAdd add;
    switch (MaterialPCIndex) {
        case kWoodTab: {
            const auto length = ListSize(LengthEdit, LengthUnitRG != 0);
            const auto width = ListSize(WidthEdit, WidthUnitRG != 0);
            if (!length || !width) return {std::nullopt, {}, true};
            piece.Kind = PieceKind::Wood;
            piece.Length = *length;
            piece.Width = *width;
            piece.Thickness = {ParseDecimal(ThicknessEdit), ThicknessEdit};
            piece.UnitCost = woodCost_;
            break;
        }
        case kMetalTab: return SectionPiece(kMetalTabFields, std::move(piece));
        case kPlasticTab: return SectionPiece(kPlasticTabFields, std::move(piece));
        case kBoardTab: {
            if (BoardSectionLB.empty()) return {};
            if (BoardSectionLBIndex < 0 || static_cast<std::size_t>(BoardSectionLBIndex) >= BoardSectionLB.size())
                return {std::nullopt, kSelectSize, false};
            const bool metres = BoardUnitsRG == 0;
            const auto length = ListSize(BoardLengthEdit, metres);
            const auto width = ListSize(BoardWidthEdit, metres);
            if (!length || !width) return {std::nullopt, {}, true};
            piece.Kind = PieceKind::Board;
            piece.SizeText = BoardSectionLB[static_cast<std::size_t>(BoardSectionLBIndex)].text;
            piece.SizeCode = BoardSizeCode(piece.SizeText);
            piece.Length = *length;
            piece.Width = *width;
            piece.UnitCost = boardCost_;
            break;
        }
        default: return {};
    }
    add.piece = std::move(piece);
    return add;
}

PieceToAdd CostingPage::SectionPiece(const SectionTab& tab, CostedPiece piece) const {
    const IndexedList& list = this->*tab.list;
    const int index = this->*tab.listIndex;
    if (list.empty()) return {};
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return {std::nullopt, kSelectSize, false};
    const int kind = tab.kindOfButton(this->*tab.buttonDown);
    const bool sheet = kind == kKindSheet, metres = this->*tab.units == 0;
    const auto length = ListSize(this->*tab.lengthEdit, metres);
    const auto width = sheet ? ListSize(this->*tab.widthEdit, metres) : std::optional<Millimetres>(Millimetres{});
    if (!length || !width) return {std::nullopt, {}, true};
    piece.Kind = sheet ? PieceKind::Sheet : PieceKind::Bar;
    piece.SectionKind = kind;
    piece.SizeText = list[static_cast<std::size_t>(index)].text;
    piece.SizeCode = tab.sizeCode(piece.SizeText);
    piece.Length = *length;
    piece.Width = *width;
    piece.UnitCost = this->*tab.cost;
    PieceToAdd add;
    add.piece = std::move(piece);
    return add;
}

void CostingPage::SpeedButton1Click() { navigator_.ShowStartPage(); }

void CostingPage::SpeedButton8Click() { navigator_.OpenProject(); }

void CostingPage::SpeedButton9Click() { navigator_.SaveProject(); }

void CostingPage::DPrntBtnClick() { previewer_.ShowPreview(cutList_.PrintedPageJob()); }

void CostingPage::SpeedButton11Click() { ui_.ShowHelp(kCostingHelpContext); }

bool CostingPage::DecimalKeyFilter(char32_t key, const std::string& /*current*/) {
    if (key == 8 || key == 9 || key == 10 || (key >= U'0' && key <= U'9') || key == U'.') return true;
    if (key != 13) ui_.Beep();
    return false;
}

bool CostingPage::WholeNumberKeyFilter(char32_t key, const std::string& current) {
    if (key == U'.') {
        ui_.Beep();
        return false;
    }
    return DecimalKeyFilter(key, current);
}

bool CostingPage::LengthEditKeyPress(char32_t key) { return DecimalKeyFilter(key, LengthEdit); }
bool CostingPage::WidthEditKeyPress(char32_t key) { return DecimalKeyFilter(key, WidthEdit); }
bool CostingPage::ThicknessEditKeyPress(char32_t key) { return WholeNumberKeyFilter(key, ThicknessEdit); }
bool CostingPage::MetalLengthEditKeyPress(char32_t key) { return DecimalKeyFilter(key, MetalLengthEdit); }
bool CostingPage::MetalWidthEditKeyPress(char32_t key) { return DecimalKeyFilter(key, MetalWidthEdit); }
bool CostingPage::PlasticLengthEditKeyPress(char32_t key) { return DecimalKeyFilter(key, PlasticLengthEdit); }
bool CostingPage::PlasticWidthEditKeyPress(char32_t key) { return DecimalKeyFilter(key, PlasticWidthEdit); }
bool CostingPage::BoardLengthEditKeyPress(char32_t key) { return DecimalKeyFilter(key, BoardLengthEdit); }
bool CostingPage::BoardWidthEditKeyPress(char32_t key) { return DecimalKeyFilter(key, BoardWidthEdit); }

bool CostingPage::ReadSizes(const std::string& lengthText, const std::string& widthText, bool withWidth,
                            bool inMillimetres, double& length, double& width) {
    auto l = ParseDecimal(lengthText);
    std::optional<double> w = 0.0;
    if (withWidth) w = ParseDecimal(widthText);
    if (!l || !w) {
        ShowInvalidValues();
        return false;
    }
    length = *l;
    width = *w;
    if (inMillimetres) {
        length /= 1000;
        width /= 1000;
    }
    return true;
}

// ---------------------------------------------------------------- wood

void CostingPage::WoodCost() {
    if (!HasChosenMaterial()) return;
    auto* wood = dynamic_cast<const TWood*>(ChosenMaterial());
    if (!wood) return;

    // Reads one size; a text that is no number or a zero ends the calculation.
    auto read = [](const std::string& text, const char* zeroMessage) {
        auto value = ParseDecimal(text);
        if (!value) throw EConvertError(text);
        if (*value < kZeroSize) throw EZeroDimension(zeroMessage);
        return *value;
    };
    try {
        double length = read(LengthEdit, "You have a zero length");
        double width = read(WidthEdit, "You have a zero width");
        double thickness = read(ThicknessEdit, "You have a zero thickness");
        if (LengthUnitRG == 0) length /= 1000;
        if (WidthUnitRG == 0) width /= 1000;
        thickness /= 1000;

        const double cost = wood->Price / 100.0 * length * width * thickness;
        const auto shown = ToMoney(cost);
        if (!shown) {
            // Name the size that made the cost absurd: the largest of the three.
            const std::string* culprit = &LengthEdit;
            if (width > length && width >= thickness) culprit = &WidthEdit;
            if (thickness > length && thickness > width) culprit = &ThicknessEdit;
            throw EConvertError(*culprit);
        }
        if (view_.OnCosts) {
            if (auto warning = CheckWoodSizes(length, width, thickness)) Inform(*warning);
        }
        WoodCostLabel = FormatMoney(*shown);
        woodCost_ = *shown;
        Announce(kWoodPart);
    } catch (const EConvertError& e) {
        ui_.Message(MsgKind::Error, std::string(e.what()) + std::string(kCrLf) + kNotValidNumber, kBtnOk);
    } catch (const EZeroDimension& e) {
        Inform(e.what());
    }
}

std::optional<std::string> CostingPage::CheckWoodSizes(double length, double width, double thickness) const {
    const std::string crlf(kCrLf);
    std::string text;
    bool fired = false;
    if (length > 4.0) {
        text = "The longest length available is 4m./";
        fired = true;
    } else if (length < 0.01) {
        auto mm = static_cast<long long>(RoundHalfEven(length * 1000));
        text = "Are you sure you want a length of " + std::to_string(mm) + " mm." + crlf + "Please check your units." +
               crlf;
        fired = true;
    }
    if (width > 0.209) {
        text += crlf + "The maximum width of timber is about 20 cm" + crlf +
                "If you want a greater width than this you will have to glue pieces together." + crlf;
        fired = true;
    } else if (width < 0.01) {
        text += crlf + "Are you sure you want a piece of wood less than 10 mm wide ?" + crlf +
                "Please check the units." + crlf;
        fired = true;
    }
    if (thickness > 0.1) {
        text += crlf + "The maximum thickness of timber is about 100 mm" + crlf +
                "Are you sure your value is correct?" + crlf;
        fired = true;
    }
    if (!fired) return std::nullopt;
    return text;
}

void CostingPage::LengthUnitRGClick(int index) {
    LengthUnitRG = index;
    WoodLengthLabel = index != 0 ? "length (m)" : "length (mm)";
    Announce(kWoodPart);
}

void CostingPage::WidthUnitRGClick(int index) {
    WidthUnitRG = index;
    WoodWidthLabel = index != 0 ? "width (m)" : "width (mm)";
    Announce(kWoodPart);
}

// ---------------------------------------------------------------- metal

void CostingPage::SectBtn1Click(int tag) {
    if (tag < 0 || tag > 7) return;
    MetalSectBtnDown = tag + 1;  // the pressed button of the group goes down
    Announce(kMetalPart);
    if (!HasChosenMaterial()) return;
    int kind = tag + 1;
    FillMetalSizes(DMaterialComboIndex, kind);
    ShowMetalWidth(kind == kKindSheet);  // announces the tab with its last change
}

void CostingPage::FillMetalSizes(int entry, int kind) { FillSectionSizes(kMetalTabFields, entry, kind); }

void CostingPage::ShowMetalWidth(bool on) {
    MetalWidthLabelVisible = on;
    MetalWidthEditVisible = on;
    MetalUnitCostLabel = on ? "cost per sq. m" : "cost per metre";
    Announce(kMetalPart);
}

void CostingPage::MetalSectionLBClick(int item) { SectionListClick(kMetalTabFields, item); }

void CostingPage::MetalUnitsRGClick(int index) {
    MetalUnitsRG = index;
    MetalLengthLabel = index == 0 ? "length (m)" : "length (mm)";
    MetalWidthLabel = index == 0 ? "width (m)" : "width (mm)";
    Announce(kMetalPart);
}

void CostingPage::MetalCost() { SectionCost(kMetalTabFields); }

// ---------------------------------------------------------------- sections (metal and plastic)

void CostingPage::FillSectionSizes(const SectionTab& tab, int entry, int kind) {
    IndexedList& list = this->*tab.list;
    const TMaterial* m = MaterialOfEntry(DMaterialCombo, entry);
    ClearIndexedList(list);
    this->*tab.listIndex = -1;
    if (!m) return;
    const std::int32_t position = DMaterialCombo[static_cast<std::size_t>(entry)].index;
    const auto fill = [&](const auto& shapes) {
        for (const auto& shape : shapes)
            if (shape->Kind == kind && shape->Stocked != 0) list.push_back({tab.sizeText(shape->SizeCode), position});
    };
    if (const auto* metal = dynamic_cast<const TCustomMetal*>(m))
        fill(metal->Shapes);
    else if (const auto* plastic = dynamic_cast<const TPlastic*>(m))
        fill(plastic->Shapes);
    Announce(tab.part);
}

std::optional<CostingPage::SectionShape> CostingPage::SectionShapeOf(const SectionTab& tab, int sizeEntry) const {
    const IndexedList& list = this->*tab.list;
    const TMaterial* m = MaterialOfEntry(list, sizeEntry);
    if (!m) return std::nullopt;
    const int code = tab.sizeCode(list[static_cast<std::size_t>(sizeEntry)].text);
    const auto shapeOf = [code](const auto& stock) -> std::optional<SectionShape> {
        if (stock.Shapes.empty()) return std::nullopt;
        const auto& s = *stock.Shapes[static_cast<std::size_t>(stock.FindShape(code))];
        return SectionShape{s.Price, s.MaxLength, s.MaxWidth};
    };
    if (const auto* metal = dynamic_cast<const TCustomMetal*>(m)) return shapeOf(*metal);
    if (const auto* plastic = dynamic_cast<const TPlastic*>(m)) return shapeOf(*plastic);
    return std::nullopt;
}

void CostingPage::SectionListClick(const SectionTab& tab, int item) {
    const OnExit announce([&] { Announce(tab.part); });
    const IndexedList& list = this->*tab.list;
    if (list.empty()) return;
    if (item >= 0 && static_cast<std::size_t>(item) < list.size()) this->*tab.listIndex = item;
    if (const auto shape = SectionShapeOf(tab, this->*tab.listIndex))
        this->*tab.unitPrice = FormatMoney(shape->price / 100.0);
}

double CostingPage::SectionCostValue(const SectionTab& tab, int sizeEntry, double length, double width) const {
    const IndexedList& list = this->*tab.list;
    if (list.empty()) return 0;
    const auto shape = SectionShapeOf(tab, sizeEntry);
    if (!shape) return 0;
    const double price = shape->price;
    if (tab.kindOfButton(this->*tab.buttonDown) == kKindSheet) return price * (width * length) / 100;
    return price * length / 100;
}

void CostingPage::SectionCost(const SectionTab& tab) {
    const IndexedList& list = this->*tab.list;
    const int index = this->*tab.listIndex;
    if (list.empty()) return;
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) {
        Inform(kSelectSize);
        return;
    }
    if (!SectionShapeOf(tab, index)) return;
    const bool sheet = tab.kindOfButton(this->*tab.buttonDown) == kKindSheet;
    double length = 0, width = 0;
    if (!ReadSizes(this->*tab.lengthEdit, this->*tab.widthEdit, sheet, this->*tab.units == 1, length, width)) return;
    const auto shown = ToMoney(SectionCostValue(tab, index, length, width));
    if (!shown) {
        ShowInvalidValues();
        return;
    }
    this->*tab.costLabel = tab.tightCost ? FormatMoneyTight(*shown) : FormatMoney(*shown);
    this->*tab.cost = *shown;
    Announce(tab.part);  // the cost stands behind the warning
    if (view_.OnCosts) {
        if (auto warning = CheckSectionSizes(tab, index, length, width)) Inform(*warning);
    }
}

std::optional<std::string> CostingPage::CheckSectionSizes(const SectionTab& tab, int sizeEntry, double length,
                                                          double width) const {
    const IndexedList& list = this->*tab.list;
    const auto shape = SectionShapeOf(tab, sizeEntry);
    if (!shape) return std::nullopt;
    const double lc = WholeCentimetres(length);
    const double wc = WholeCentimetres(width);
    const std::string& sizeText = list[static_cast<std::size_t>(sizeEntry)].text;
    const std::string lead = std::string("The maximum ") +
                             (tab.kindOfButton(this->*tab.buttonDown) == kKindSheet ? "size" : "length") +
                             " available " + tab.limitWord;
    if (tab.kindOfButton(this->*tab.buttonDown) == kKindSheet) {
        if (std::max(lc, wc) > shape->maxLength)
            return SizeLimitText(lead.c_str(), sizeText, shape->maxLength, shape->maxWidth);
    } else if (lc > shape->maxLength) {
        return LengthLimitText(lead.c_str(), sizeText, shape->maxLength);
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- plastic

void CostingPage::PlasticSectBtn1Click(int tag) {
    if (tag < 0 || tag > 2) return;
    PlasticSectBtnDown = tag + 1;  // the pressed button of the group goes down
    Announce(kPlasticPart);
    if (!HasChosenMaterial()) return;
    FillPlasticSizes(DMaterialComboIndex, PlasticKindOfButton(tag + 1));
    ShowPlasticWidth(tag == 0);  // announces the tab with its last change
}

void CostingPage::FillPlasticSizes(int entry, int kind) { FillSectionSizes(kPlasticTabFields, entry, kind); }

void CostingPage::ShowPlasticWidth(bool on) {
    PlasticWidthLabelVisible = on;
    PlasticWidthEditVisible = on;
    PlasticSizeLabel = on ? "cost per sq. metre" : "cost per metre";
    Announce(kPlasticPart);
}

void CostingPage::PlasticSectionLBClick(int item) { SectionListClick(kPlasticTabFields, item); }

void CostingPage::PlasticUnitsRGClick(int index) {
    PlasticUnitsRG = index;
    PlasticLengthLabel = index == 0 ? "length (m)" : "length (mm)";
    PlasticWidthLabel = index == 0 ? "width (m)" : "width (mm)";
    Announce(kPlasticPart);
}

void CostingPage::PlasticCost() { SectionCost(kPlasticTabFields); }

// ---------------------------------------------------------------- board

void CostingPage::FillBoardSizes(int entry) {
    const auto* board = dynamic_cast<const TBoard*>(MaterialOfEntry(DMaterialCombo, entry));
    ClearIndexedList(BoardSectionLB);
    BoardSectionLBIndex = -1;
    if (!board) return;
    const std::int32_t position = DMaterialCombo[static_cast<std::size_t>(entry)].index;
    for (const auto& shape : board->Shapes) {
        if (shape->Stocked != 0) BoardSectionLB.push_back({BoardSizeText(shape->Thickness), position});
    }
    Announce(kBoardPart);
}

int CostingPage::BoardShapeOf(int sizeEntry, const TBoard*& board) const {
    board = dynamic_cast<const TBoard*>(MaterialOfEntry(BoardSectionLB, sizeEntry));
    if (!board || board->Shapes.empty()) return -1;
    int pos = board->FindShape(BoardSizeCode(BoardSectionLB[static_cast<std::size_t>(sizeEntry)].text));
    if (pos < 0 || pos >= board->ShapeCount()) return -1;
    return pos;
}

void CostingPage::BoardSectionLBClick(int item) {
    const OnExit announce([this] { Announce(kBoardPart); });
    if (BoardSectionLB.empty()) return;
    if (item >= 0 && static_cast<std::size_t>(item) < BoardSectionLB.size()) BoardSectionLBIndex = item;
    const TBoard* board = nullptr;
    int pos = BoardShapeOf(BoardSectionLBIndex, board);
    if (pos < 0) return;
    BoardUnitCostLabel = FormatMoney(board->ShapePrice(pos) / 100.0);
}

void CostingPage::BoardUnitsRGClick(int index) {
    BoardUnitsRG = index;
    BoardLengthLabel = index != 0 ? "length (mm)" : "length (m)";
    BoardWidthLabel = index != 0 ? "width (mm)" : "width (m)";
    Announce(kBoardPart);
}

void CostingPage::BoardCost() {
    if (BoardSectionLB.empty()) return;
    if (BoardSectionLBIndex < 0 || static_cast<std::size_t>(BoardSectionLBIndex) >= BoardSectionLB.size()) {
        Inform(kSelectSize);
        return;
    }
    const TBoard* board = nullptr;
    int pos = BoardShapeOf(BoardSectionLBIndex, board);
    if (pos < 0) return;
    double length = 0, width = 0;
    if (!ReadSizes(BoardLengthEdit, BoardWidthEdit, true, BoardUnitsRG == 1, length, width)) return;
    const auto shown = ToMoney(board->ShapePrice(pos) * (width * length) / 100);
    if (!shown) {
        ShowInvalidValues();
        return;
    }
    BoardCostLabel = FormatMoneyTight(*shown);
    boardCost_ = *shown;
    Announce(kBoardPart);  // the cost stands behind the warning
    if (view_.OnCosts) {
        if (auto warning = CheckBoardSizes(BoardSectionLBIndex, length, width)) Inform(*warning);
    }
}

std::optional<std::string> CostingPage::CheckBoardSizes(int sizeEntry, double length, double width) const {
    const TBoard* board = nullptr;
    int pos = BoardShapeOf(sizeEntry, board);
    if (pos < 0) return std::nullopt;
    const int maxL = board->ShapeLength(pos);
    const int maxW = board->ShapeWidth(pos);
    if (std::max(WholeCentimetres(length), WholeCentimetres(width)) > maxL)
        return SizeLimitText("The maximum size available in ", BoardSectionLB[static_cast<std::size_t>(sizeEntry)].text,
                             maxL, maxW);
    return std::nullopt;
}

}  // namespace trevane
