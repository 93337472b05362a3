#pragma once
// The search-type dialog, the working-properties dialog and the advice dialog
// that follows a search with no or too many results. Each holds the state of its
// controls and the behaviour of its buttons; the Qt views only show them.
#include <string>

#include "help/help_contexts.h"
#include "common/user_interface.h"

namespace trevane {

// Results the search dialogs close with.
enum SearchDialogResult : int {
    kSearchResultSearch = 1,    // " search" / "search" / advice "OK"
    kSearchResultPrevious = 2,  // "previous search"
    kSearchResultCancel = 3,    // "cancel" (also closing the window)
};

// The search-type dialog (instance SearchFrm).
class TSearchFrm : public DialogModel {
public:
    // `workingChoices` is the working-properties dialog's bit mask, which lives
    // for the whole run; choosing "Search by defining working properties" refills it.
    TSearchFrm(IUserInterface& ui, int& workingChoices, bool previousSearchEnabled);
    const char* Name() const override { return "SearchFrm"; }

    static constexpr const char* kCaption = "Search";
    static constexpr const char* kPrompt =
        "Choose the type of search you want to make by clicking on one of the items in the box below";
    static constexpr const char* kNoTypeMessage = "Please choose the type of search";
    static constexpr int kWidth = 406, kHeight = 273;
    static constexpr int kHelpContext = kHelpSearchType;  // of SearchMaterialRG

    int SearchMaterialRG = -1;  // item index, -1 none
    bool OldSearchBtnEnabled = true;

    // An item of SearchMaterialRG was chosen.
    void SearchMaterialRGClick(int item);
    void OKBtnClick();
    void OldSearchBtnClick();
    void CancelBtnClick();

    int ChosenType() const { return SearchMaterialRG; }
    int WorkingChoices() const { return workingChoices_; }

private:
    IUserInterface& ui_;
    int& workingChoices_;
};

// The working-properties dialog (instance SubSearchFrm).
class TSubSearchFrm : public DialogModel {
public:
    explicit TSubSearchFrm(IUserInterface& ui) : ui_(ui) {}
    const char* Name() const override { return "SubSearchFrm"; }

    static constexpr const char* kCaption = "working properties";
    static constexpr const char* kPrompt = "choose one or more of the following";
    static constexpr const char* kNothingTickedMessage = "Please select at least one of the options";
    static constexpr int kWidth = 306, kHeight = 206;

    bool FabChk = false;    // tag 1
    bool FormChk = false;   // tag 2
    bool CastChk = false;   // tag 4
    bool WasteChk = false;  // tag 8

    void SpeedButton1Click();  // "search"
    void SpeedButton2Click();  // "cancel"

    // The tags of the ticked boxes added together.
    int Choices() const;

private:
    IUserInterface& ui_;
};

// The advice after a search with no or more than ten results (instance SillySrchFrm).
class TSillySrchFrm : public DialogModel {
public:
    TSillySrchFrm(IUserInterface& ui, bool nothingFound)
        : ZeroGBVisible(nothingFound), TooManyGBVisible(!nothingFound), ui_(ui) {}
    const char* Name() const override { return "SillySrchFrm"; }

    static constexpr const char* kCaption = "Search result suggestions";
    static constexpr int kWidth = 348, kHeight = 225;
    static constexpr const char* kTooManyText1 =
        "Your search found a lot of materials.\r\nReplace some of the \"don't care\" values\r\nand try again.";
    static constexpr const char* kTooManyText2 =
        "You should aim at finding about 3 or 4 materials\r\nif the search results are going to be of any use.";
    static constexpr const char* kZeroText1 =
        "Sorry no materials were found with this \r\ncombination of properties were found.";
    static constexpr const char* kZeroText2 =
        "Replace some of the less important properties\r\nwith \"don't care\" and try again.";
    static constexpr int kHelpContext = kHelpSearch;

    bool ZeroGBVisible;
    bool TooManyGBVisible;
    bool SearchTipChk = false;  // "don't show this message again"

    void SpeedButton1Click() { Close(kSearchResultSearch); }  // "OK"
    void SpeedButton2Click() { ui_.ShowHelp(kHelpContext); }  // "help"

private:
    IUserInterface& ui_;
};

}  // namespace trevane
