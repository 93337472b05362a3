#include "costing/costing_page.h"

#include <algorithm>
#include <string_view>

#include "costing/cutting_list.h"
#include "costing/costing_numbers.h"
#include "costing/cutting_list.h"
#include "common/errors.h"
#include "materials/material.h"
#include "materials/tables.h"

namespace trevane {

namespace {

// Announces the tabs' controls once a handler is done, whichever way it leaves.
class ControlsChanged {
public:
    explicit ControlsChanged(Notifier<CostingChange>& changes) : changes_(changes) {}
    ControlsChanged(const ControlsChanged&) = delete;
    ControlsChanged& operator=(const ControlsChanged&) = delete;
    ~ControlsChanged() { changes_.Announce(CostingChange::Controls); }

private:
    Notifier<CostingChange>& changes_;
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

}  // namespace

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

void CostingPage::OnDatabaseSwitched() {
    const ControlsChanged announce(Changes);
    ClearIndexedList(DMaterialCombo);
    DMaterialComboIndex = -1;
    ClearIndexedList(MetalSectionLB);
    MetalSectionLBIndex = -1;
    ClearIndexedList(PlasticSectionLB);
    PlasticSectionLBIndex = -1;
    ClearIndexedList(BoardSectionLB);
    BoardSectionLBIndex = -1;
    MaterialPCIndex = kWoodTab;
}

void CostingPage::SetUpCostMaterials(int code) {
    const ControlsChanged announce(Changes);
    const auto& materials = database_.Materials;
    if (materials.empty()) return;
    if (!DMaterialCombo.empty()) {
        ClearIndexedList(DMaterialCombo);
        DMaterialComboIndex = -1;
    }
    for (std::size_t i = 0; i < materials.size(); ++i) {
        const TMaterial& m = *materials[i];
        if (m.CostingFlag == 0) continue;
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
}

void CostingPage::MaterialPCChange(int tab) {
    const ControlsChanged announce(Changes);
    static constexpr int kCodes[] = {0, 1, 2, 10};
    if (tab < kWoodTab || tab > kBoardTab) return;
    MaterialPCIndex = tab;
    SetUpCostMaterials(kCodes[tab]);
}

void CostingPage::MaterialChosen(int entry) {
    const TMaterial* m = MaterialOfEntry(DMaterialCombo, entry);
    if (!m) return;
    switch (m->Category) {
        case kCatWood:
            if (auto* wood = dynamic_cast<const TWood*>(m)) WoodSqmCostLabel = FormatMoney(wood->Price * 0.00025);
            break;
        case kCatPlastic:
            FillPlasticSizes(entry, PlasticKindOfButton(PlasticSectBtnDown));
            break;
        case kCatSteel:
        case kCatAluminium:
        case kCatBrass:
        case kCatCopper:
            FillMetalSizes(entry, MetalSectBtnDown);
            break;
        case kCatBoard:
            FillBoardSizes(entry);
            break;
        default:
            break;
    }
}

void CostingPage::DMaterialComboClick(int item) {
    const ControlsChanged announce(Changes);
    if (item >= 0 && static_cast<std::size_t>(item) < DMaterialCombo.size()) DMaterialComboIndex = item;
    if (HasChosenMaterial()) MaterialChosen(DMaterialComboIndex);
}

void CostingPage::WoodCostBtnClick() {
    const ControlsChanged announce(Changes);
    switch (MaterialPCIndex) {
        case kWoodTab: WoodCost(); break;
        case kMetalTab: MetalCost(); break;
        case kPlasticTab: PlasticCost(); break;
        case kBoardTab: BoardCost(); break;
        default: break;
    }
}

void CostingPage::WoodAddCLBtnClick() { cutList_.AddToCuttingList(*this); }

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

        double cost = wood->Price / 100.0 * length * width * thickness;
        if (!IsShowableAmount(cost)) {
            // Name the size that made the cost absurd: the largest of the three.
            const std::string* culprit = &LengthEdit;
            if (width > length && width >= thickness) culprit = &WidthEdit;
            if (thickness > length && thickness > width) culprit = &ThicknessEdit;
            throw EConvertError(*culprit);
        }
        if (view_.OnCosts) {
            if (auto warning = CheckWoodSizes(length, width, thickness)) Inform(*warning);
        }
        WoodCostLabel = FormatMoney(cost);
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
        text += crlf + "The maximum thickness of timber is about 100 mm" + crlf + "Are you sure your value is correct?" +
                crlf;
        fired = true;
    }
    if (!fired) return std::nullopt;
    return text;
}

void CostingPage::LengthUnitRGClick(int index) {
    const ControlsChanged announce(Changes);
    LengthUnitRG = index;
    WoodLengthLabel = index != 0 ? "length (m)" : "length (mm)";
}

void CostingPage::WidthUnitRGClick(int index) {
    const ControlsChanged announce(Changes);
    WidthUnitRG = index;
    WoodWidthLabel = index != 0 ? "width (m)" : "width (mm)";
}

// ---------------------------------------------------------------- metal

void CostingPage::SectBtn1Click(int tag) {
    const ControlsChanged announce(Changes);
    if (tag < 0 || tag > 7) return;
    MetalSectBtnDown = tag + 1;  // the pressed button of the group goes down
    if (!HasChosenMaterial()) return;
    int kind = tag + 1;
    FillMetalSizes(DMaterialComboIndex, kind);
    ShowMetalWidth(kind == kKindSheet);
}

void CostingPage::FillMetalSizes(int entry, int kind) {
    const auto* metal = dynamic_cast<const TCustomMetal*>(MaterialOfEntry(DMaterialCombo, entry));
    ClearIndexedList(MetalSectionLB);
    MetalSectionLBIndex = -1;
    if (!metal) return;
    const std::int32_t position = DMaterialCombo[static_cast<std::size_t>(entry)].index;
    for (const auto& shape : metal->Shapes) {
        if (shape->Kind == kind && shape->Stocked != 0)
            MetalSectionLB.push_back({MetalSizeText(shape->SizeCode), position});
    }
}

void CostingPage::ShowMetalWidth(bool on) {
    MetalWidthLabelVisible = on;
    MetalWidthEditVisible = on;
    MetalUnitCostLabel = on ? "cost per sq. m" : "cost per metre";
}

int CostingPage::MetalShapeOf(int sizeEntry, const TCustomMetal*& metal) const {
    metal = dynamic_cast<const TCustomMetal*>(MaterialOfEntry(MetalSectionLB, sizeEntry));
    if (!metal || metal->Shapes.empty()) return -1;
    int pos = metal->FindShape(MetalSizeCode(MetalSectionLB[static_cast<std::size_t>(sizeEntry)].text));
    if (pos < 0 || pos >= metal->ShapeCount()) return -1;
    return pos;
}

void CostingPage::MetalSectionLBClick(int item) {
    const ControlsChanged announce(Changes);
    if (MetalSectionLB.empty()) return;
    if (item >= 0 && static_cast<std::size_t>(item) < MetalSectionLB.size()) MetalSectionLBIndex = item;
    const TCustomMetal* metal = nullptr;
    int pos = MetalShapeOf(MetalSectionLBIndex, metal);
    if (pos < 0) return;
    UnitCostLabel = FormatMoney(metal->ShapePrice(pos) / 100.0);
}

void CostingPage::MetalUnitsRGClick(int index) {
    const ControlsChanged announce(Changes);
    MetalUnitsRG = index;
    MetalLengthLabel = index == 0 ? "length (m)" : "length (mm)";
    MetalWidthLabel = index == 0 ? "width (m)" : "width (mm)";
}

double CostingPage::MetalCostValue(int sizeEntry, double length, double width) const {
    if (MetalSectionLB.empty()) return 0;
    const TCustomMetal* metal = nullptr;
    int pos = MetalShapeOf(sizeEntry, metal);
    if (pos < 0) return 0;
    double price = metal->ShapePrice(pos);
    if (MetalSectBtnDown == kKindSheet) return price * (width * length) / 100;
    return price * length / 100;
}

void CostingPage::MetalCost() {
    if (MetalSectionLB.empty()) return;
    if (MetalSectionLBIndex < 0 || static_cast<std::size_t>(MetalSectionLBIndex) >= MetalSectionLB.size()) {
        Inform(kSelectSize);
        return;
    }
    const bool sheet = MetalSectBtnDown == kKindSheet;
    double length = 0, width = 0;
    if (!ReadSizes(MetalLengthEdit, MetalWidthEdit, sheet, MetalUnitsRG == 1, length, width)) return;
    double cost = MetalCostValue(MetalSectionLBIndex, length, width);
    if (!IsShowableAmount(cost)) {
        ShowInvalidValues();
        return;
    }
    MetalCostLabel = FormatMoney(cost);
    if (view_.OnCosts) {
        if (auto warning = CheckMetalSizes(MetalSectionLBIndex, length, width)) {
            Changes.Announce(CostingChange::Controls);  // the cost stands behind the warning
            Inform(*warning);
        }
    }
}

std::optional<std::string> CostingPage::CheckMetalSizes(int sizeEntry, double length, double width) const {
    const TCustomMetal* metal = nullptr;
    int pos = MetalShapeOf(sizeEntry, metal);
    if (pos < 0) return std::nullopt;
    const int maxL = metal->ShapeMaxLength(pos);
    const int maxW = metal->ShapeMaxWidth(pos);
    const double lc = WholeCentimetres(length);
    const double wc = WholeCentimetres(width);
    const std::string& sizeText = MetalSectionLB[static_cast<std::size_t>(sizeEntry)].text;
    if (MetalSectBtnDown == kKindSheet) {
        if (std::max(lc, wc) > maxL) return SizeLimitText("The maximum size available for ", sizeText, maxL, maxW);
    } else if (lc > maxL) {
        return LengthLimitText("The maximum length available for ", sizeText, maxL);
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- plastic

void CostingPage::PlasticSectBtn1Click(int tag) {
    const ControlsChanged announce(Changes);
    if (tag < 0 || tag > 2) return;
    PlasticSectBtnDown = tag + 1;  // the pressed button of the group goes down
    if (!HasChosenMaterial()) return;
    FillPlasticSizes(DMaterialComboIndex, PlasticKindOfButton(tag + 1));
    ShowPlasticWidth(tag == 0);
}

void CostingPage::FillPlasticSizes(int entry, int kind) {
    const auto* plastic = dynamic_cast<const TPlastic*>(MaterialOfEntry(DMaterialCombo, entry));
    ClearIndexedList(PlasticSectionLB);
    PlasticSectionLBIndex = -1;
    if (!plastic) return;
    const std::int32_t position = DMaterialCombo[static_cast<std::size_t>(entry)].index;
    for (const auto& shape : plastic->Shapes) {
        if (shape->Kind == kind && shape->Stocked != 0)
            PlasticSectionLB.push_back({PlasticSizeText(shape->SizeCode), position});
    }
}

void CostingPage::ShowPlasticWidth(bool on) {
    PlasticWidthLabelVisible = on;
    PlasticWidthEditVisible = on;
    PlasticSizeLabel = on ? "cost per sq. metre" : "cost per metre";
}

int CostingPage::PlasticShapeOf(int sizeEntry, const TPlastic*& plastic) const {
    plastic = dynamic_cast<const TPlastic*>(MaterialOfEntry(PlasticSectionLB, sizeEntry));
    if (!plastic || plastic->Shapes.empty()) return -1;
    int pos = plastic->FindShape(PlasticSizeCode(PlasticSectionLB[static_cast<std::size_t>(sizeEntry)].text));
    if (pos < 0 || pos >= plastic->ShapeCount()) return -1;
    return pos;
}

void CostingPage::PlasticSectionLBClick(int item) {
    const ControlsChanged announce(Changes);
    if (PlasticSectionLB.empty()) return;
    if (item >= 0 && static_cast<std::size_t>(item) < PlasticSectionLB.size()) PlasticSectionLBIndex = item;
    const TPlastic* plastic = nullptr;
    int pos = PlasticShapeOf(PlasticSectionLBIndex, plastic);
    if (pos < 0) return;
    PlasticUnitCostLabel = FormatMoney(plastic->ShapePrice(pos) / 100.0);
}

void CostingPage::PlasticUnitsRGClick(int index) {
    const ControlsChanged announce(Changes);
    PlasticUnitsRG = index;
    PlasticLengthLabel = index == 0 ? "length (m)" : "length (mm)";
    PlasticWidthLabel = index == 0 ? "width (m)" : "width (mm)";
}

void CostingPage::PlasticCost() {
    if (PlasticSectionLB.empty()) return;
    if (PlasticSectionLBIndex < 0 || static_cast<std::size_t>(PlasticSectionLBIndex) >= PlasticSectionLB.size()) {
        Inform(kSelectSize);
        return;
    }
    const TPlastic* plastic = nullptr;
    int pos = PlasticShapeOf(PlasticSectionLBIndex, plastic);
    if (pos < 0) return;
    const bool sheet = PlasticSectBtnDown == 1;
    double length = 0, width = 0;
    if (!ReadSizes(PlasticLengthEdit, PlasticWidthEdit, sheet, PlasticUnitsRG == 1, length, width)) return;
    double price = plastic->ShapePrice(pos);
    double cost = sheet ? price * (width * length) / 100 : price * length / 100;
    if (!IsShowableAmount(cost)) {
        ShowInvalidValues();
        return;
    }
    PlasticCostLabel = FormatMoneyTight(cost);
    if (view_.OnCosts) {
        if (auto warning = CheckPlasticSizes(PlasticSectionLBIndex, length, width)) {
            Changes.Announce(CostingChange::Controls);  // the cost stands behind the warning
            Inform(*warning);
        }
    }
}

std::optional<std::string> CostingPage::CheckPlasticSizes(int sizeEntry, double length, double width) const {
    const TPlastic* plastic = nullptr;
    int pos = PlasticShapeOf(sizeEntry, plastic);
    if (pos < 0) return std::nullopt;
    const int maxL = plastic->ShapeMaxLength(pos);
    const int maxW = plastic->ShapeMaxWidth(pos);
    const double lc = WholeCentimetres(length);
    const double wc = WholeCentimetres(width);
    const std::string& sizeText = PlasticSectionLB[static_cast<std::size_t>(sizeEntry)].text;
    if (PlasticSectBtnDown == 1) {
        if (std::max(lc, wc) > maxL) return SizeLimitText("The maximum size available in ", sizeText, maxL, maxW);
    } else if (lc > maxL) {
        return LengthLimitText("The maximum length available in ", sizeText, maxL);
    }
    return std::nullopt;
}

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
}

int CostingPage::BoardShapeOf(int sizeEntry, const TBoard*& board) const {
    board = dynamic_cast<const TBoard*>(MaterialOfEntry(BoardSectionLB, sizeEntry));
    if (!board || board->Shapes.empty()) return -1;
    int pos = board->FindShape(BoardSizeCode(BoardSectionLB[static_cast<std::size_t>(sizeEntry)].text));
    if (pos < 0 || pos >= board->ShapeCount()) return -1;
    return pos;
}

void CostingPage::BoardSectionLBClick(int item) {
    const ControlsChanged announce(Changes);
    if (BoardSectionLB.empty()) return;
    if (item >= 0 && static_cast<std::size_t>(item) < BoardSectionLB.size()) BoardSectionLBIndex = item;
    const TBoard* board = nullptr;
    int pos = BoardShapeOf(BoardSectionLBIndex, board);
    if (pos < 0) return;
    BoardUnitCostLabel = FormatMoney(board->ShapePrice(pos) / 100.0);
}

void CostingPage::BoardUnitsRGClick(int index) {
    const ControlsChanged announce(Changes);
    BoardUnitsRG = index;
    BoardLengthLabel = index != 0 ? "length (mm)" : "length (m)";
    BoardWidthLabel = index != 0 ? "width (mm)" : "width (m)";
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
    double cost = board->ShapePrice(pos) * (width * length) / 100;
    if (!IsShowableAmount(cost)) {
        ShowInvalidValues();
        return;
    }
    BoardCostLabel = FormatMoneyTight(cost);
    if (view_.OnCosts) {
        if (auto warning = CheckBoardSizes(BoardSectionLBIndex, length, width)) {
            Changes.Announce(CostingChange::Controls);  // the cost stands behind the warning
            Inform(*warning);
        }
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
