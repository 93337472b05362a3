#pragma once
// Behaviour of the costing page (PageD): the material selector and the four
// costing tabs (wood, metal, plastic, board), free of any window. Each control's
// state is a public member named as the control; event handlers are public
// methods named as the control and event.
#include <optional>
#include <string>

#include "help/help_contexts.h"
#include "common/app_state.h"
#include "common/list_entry.h"
#include "common/navigation.h"
#include "common/notifier.h"
#include "common/user_interface.h"
#include "costing/costed_piece.h"
#include "materials/database.h"
#include "printing/print_job.h"

namespace trevane {

class CuttingList;
class TMaterial;
class TWood;
class TCustomMetal;
class TPlastic;
class TBoard;

// True when the material can be priced: offered for costing (CostingFlag) and
// every price and size costing reads from it is above zero (UsableForCosting). A
// material with a zero or negative value is not offered at all, so no cost can
// come out below zero or break the cutting list's total.
bool IsCostableMaterial(const TMaterial& m);

// What "add to cutting list" takes from the active tab: the piece, or nothing
// with the message to show (none when there is nothing to say).
struct PieceToAdd {
    std::optional<CostedPiece> piece;
    std::string message;
    bool invalidSizes = false;  // a size in metres did not parse: the project stays unchanged
};

// What an announcement of the costing page names: the parts of the page whose
// controls changed (CostingPage::Part bits).
struct CostingChange {
    unsigned parts = 0;
};

class CostingPage {
public:
    CostingPage(const MaterialDatabase& database, const ViewOptions& view, IUserInterface& ui, Navigator& navigator,
                PrintPreviewer& previewer, CuttingList& cutList);

    // Parts of the page a handler changed; listeners hear them after the change
    // (before any message the handler then shows).
    enum Part : unsigned {
        kTabPart = 1,       // MaterialPCIndex
        kSelectorPart = 2,  // DMaterialCombo and the chosen entry
        kWoodPart = 4,      // the controls of the wood tab
        kMetalPart = 8,
        kPlasticPart = 16,
        kBoardPart = 32,
        kAllParts = 63,
    };
    Notifier<CostingChange> Changes;

    // Tab indices of MaterialPC.
    static constexpr int kWoodTab = 0;
    static constexpr int kMetalTab = 1;
    static constexpr int kPlasticTab = 2;
    static constexpr int kBoardTab = 3;

    // ------------------------------------------------------------ shared
    int MaterialPCIndex = kWoodTab;  // active tab
    IndexedList DMaterialCombo;      // costable materials of the active tab
    int DMaterialComboIndex = -1;    // chosen entry

    // The database was replaced: empties the selector and the size lists and
    // shows the wood tab (the caller then offers the woods with
    // SetUpCostMaterials(0)).
    void OnDatabaseSwitched();
    // Fills the selector with the costable materials of a set-up code (0 wood,
    // 1 metal, 2 plastic, 10 board; any other code fills nothing) and chooses the
    // first. An empty material list leaves the selector as it is.
    void SetUpCostMaterials(int code);
    // The tab changed: 0..3 offer woods, metals, plastics, boards.
    void MaterialPCChange(int tab);
    // Selector entry `entry` became the chosen material.
    void MaterialChosen(int entry);
    // The pupil picked entry `item` of the selector.
    void DMaterialComboClick(int item);
    // "calculate cost": the cost of the active tab.
    void WoodCostBtnClick();
    // "add to cutting list": the piece of the active tab, with the cost its cost
    // label shows, goes to the cutting list.
    void WoodAddCLBtnClick();
    // The piece "add to cutting list" takes: the chosen material, the sizes of
    // the tab's edits, the chosen stock size and the tab's last cost.
    PieceToAdd PieceOfActiveTab() const;
    // "Main menu": back to the start page.
    void SpeedButton1Click();
    // The project and print tools of the toolbar: open, save, preview of the
    // cutting list, help on the costing page.
    void SpeedButton8Click();
    void SpeedButton9Click();
    void DPrntBtnClick();
    void SpeedButton11Click();
    static constexpr int kCostingHelpContext = kHelpCosting;

    // Key filters of the size edits. `key` is the typed character, `current` the
    // edit's text before it. Returns true when the key reaches the edit. Enter is
    // swallowed silently; every other refused key beeps. Pasted text is not
    // filtered: it is checked when the cost is calculated.
    bool DecimalKeyFilter(char32_t key, const std::string& current);
    bool WholeNumberKeyFilter(char32_t key, const std::string& current);
    // A character typed into a size edit; true when it reaches the edit.
    bool LengthEditKeyPress(char32_t key);
    bool WidthEditKeyPress(char32_t key);
    bool ThicknessEditKeyPress(char32_t key);
    bool MetalLengthEditKeyPress(char32_t key);
    bool MetalWidthEditKeyPress(char32_t key);
    bool PlasticLengthEditKeyPress(char32_t key);
    bool PlasticWidthEditKeyPress(char32_t key);
    bool BoardLengthEditKeyPress(char32_t key);
    bool BoardWidthEditKeyPress(char32_t key);

    // The chosen material of the selector, or nullptr.
    const TMaterial* ChosenMaterial() const;

    // ------------------------------------------------------------ wood tab
    std::string WoodSqmCostLabel;  // per sq. metre of a 25 mm board
    std::string LengthEdit = "0";
    int LengthUnitRG = 0;  // 0 "(mm)", 1 "(m)"
    std::string WoodLengthLabel = "length (mm)";
    std::string WidthEdit = "0";
    int WidthUnitRG = 0;  // 0 "(mm)", 1 "(m)"
    std::string WoodWidthLabel = "width (mm)";
    std::string ThicknessEdit = "0";  // always millimetres
    std::string WoodCostLabel;

    void WoodCost();
    // Plausibility of a wood piece (metres). The warning text when any rule fired.
    std::optional<std::string> CheckWoodSizes(double length, double width, double thickness) const;
    void LengthUnitRGClick(int index);
    void WidthUnitRGClick(int index);

    // ------------------------------------------------------------ metal tab
    IndexedList MetalSectionLB;  // stocked sizes of the chosen section
    int MetalSectionLBIndex = -1;
    int MetalSectBtnDown = 1;  // which of SectBtn1..SectBtn8 is down
    std::string MetalUnitCostLabel = "cost per metre";
    std::string UnitCostLabel;  // unit price of the chosen size
    std::string MetalLengthLabel = "length (mm)";
    std::string MetalLengthEdit = "0";
    std::string MetalWidthLabel = "width (mm)";
    std::string MetalWidthEdit = "0";
    bool MetalWidthLabelVisible = false;
    bool MetalWidthEditVisible = false;
    std::string MetalCostLabel;
    int MetalUnitsRG = 1;  // 0 "(m)", 1 "(mm)"

    // A section button was pressed; `tag` 0..7 for SectBtn1..SectBtn8.
    void SectBtn1Click(int tag);
    void FillMetalSizes(int entry, int kind);
    void ShowMetalWidth(bool on);
    void MetalSectionLBClick(int item);
    void MetalUnitsRGClick(int index);
    void MetalCost();

    // ------------------------------------------------------------ plastic tab
    IndexedList PlasticSectionLB;
    int PlasticSectionLBIndex = -1;
    int PlasticSectBtnDown = 1;  // which of PlasticSectBtn1..3 is down
    std::string PlasticSizeLabel = "cost per sq. metre";
    std::string PlasticUnitCostLabel;
    std::string PlasticLengthLabel = "length (mm)";
    std::string PlasticLengthEdit = "0";
    std::string PlasticWidthLabel = "width (mm)";
    std::string PlasticWidthEdit = "0";
    bool PlasticWidthLabelVisible = true;
    bool PlasticWidthEditVisible = true;
    std::string PlasticCostLabel;
    int PlasticUnitsRG = 1;  // 0 "(m)", 1 "(mm)"

    // A plastic section button was pressed; `tag` 0..2 for PlasticSectBtn1..3.
    void PlasticSectBtn1Click(int tag);
    void FillPlasticSizes(int entry, int kind);
    void ShowPlasticWidth(bool on);
    void PlasticSectionLBClick(int item);
    void PlasticUnitsRGClick(int index);
    void PlasticCost();

    // ------------------------------------------------------------ board tab
    IndexedList BoardSectionLB;  // stocked thicknesses
    int BoardSectionLBIndex = -1;
    std::string BoardUnitCostLabel;  // per square metre
    std::string BoardLengthLabel = "length (mm)";
    std::string BoardLengthEdit = "0";
    std::string BoardWidthLabel = "width (mm)";
    std::string BoardWidthEdit = "0";
    std::string BoardCostLabel;
    int BoardUnitsRG = 1;  // 0 "(m)", 1 "(mm)"

    void FillBoardSizes(int entry);
    void BoardSectionLBClick(int item);
    void BoardUnitsRGClick(int index);
    void BoardCost();
    std::optional<std::string> CheckBoardSizes(int sizeEntry, double length, double width) const;

private:
    // The fields and rules of a tab that prices stock sections: metal and
    // plastic share one implementation over these.
    struct SectionTab;
    struct SectionShape;
    static const SectionTab kMetalTabFields;
    static const SectionTab kPlasticTabFields;
    void FillSectionSizes(const SectionTab& tab, int entry, int kind);
    void SectionListClick(const SectionTab& tab, int item);
    void SectionCost(const SectionTab& tab);
    // The warning text when the piece is larger than the stock supplied.
    std::optional<std::string> CheckSectionSizes(const SectionTab& tab, int sizeEntry, double length,
                                                 double width) const;
    // Cost in pounds of `length` x `width` metres of size entry `sizeEntry`.
    double SectionCostValue(const SectionTab& tab, int sizeEntry, double length, double width) const;
    // The stock shape a size entry names: the first of its material's shapes with
    // the entry's size code (the first of all when none has it); nullopt when the
    // material has no shapes.
    std::optional<SectionShape> SectionShapeOf(const SectionTab& tab, int sizeEntry) const;
    PieceToAdd SectionPiece(const SectionTab& tab, CostedPiece piece) const;

    const TMaterial* MaterialAt(int position) const;
    const TMaterial* MaterialOfEntry(const IndexedList& list, int entry) const;
    bool HasChosenMaterial() const;
    void Inform(const std::string& text);
    void ShowInvalidValues();
    bool ReadSizes(const std::string& lengthText, const std::string& widthText, bool withWidth, bool inMillimetres,
                   double& length, double& width);
    int BoardShapeOf(int sizeEntry, const TBoard*& board) const;

    void Announce(unsigned parts);

    const MaterialDatabase& database_;
    const ViewOptions& view_;
    IUserInterface& ui_;
    Navigator& navigator_;
    PrintPreviewer& previewer_;
    CuttingList& cutList_;
    // The amounts the cost labels show, for the cutting list.
    Money woodCost_, metalCost_, plasticCost_, boardCost_;
};

}  // namespace trevane
