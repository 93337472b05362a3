#include "search/search_dialogs.h"

#include "search/search_types.h"

namespace trevane {

TSearchFrm::TSearchFrm(IUserInterface& ui, int& workingChoices, bool previousSearchEnabled)
    : OldSearchBtnEnabled(previousSearchEnabled), ui_(ui), workingChoices_(workingChoices) {}

void TSearchFrm::SearchMaterialRGClick(int item) {
    if (item < 0 || item >= kSearchTypeCount) return;
    SearchMaterialRG = item;
    if (item != kWorkingSearchType) return;

    // Working properties: ask which processes matter, straight away.
    workingChoices_ = 0;
    TSubSearchFrm sub(ui_);
    if (ui_.RunDialog(sub) == kSearchResultSearch)
        workingChoices_ = sub.Choices();
    else
        SearchMaterialRG = -1;
    if (workingChoices_ != 0) OKBtnClick();
}

void TSearchFrm::OKBtnClick() {
    if (SearchMaterialRG < 0) {
        ui_.Message(MsgKind::Information, kNoTypeMessage, kBtnOk);
        return;
    }
    Close(kSearchResultSearch);
}

void TSearchFrm::OldSearchBtnClick() {
    if (OldSearchBtnEnabled) Close(kSearchResultPrevious);
}

void TSearchFrm::CancelBtnClick() { Close(kSearchResultCancel); }

void TSubSearchFrm::SpeedButton1Click() {
    if (Choices() == 0) {
        ui_.Message(MsgKind::Information, kNothingTickedMessage, kBtnOk);
        return;
    }
    Close(kSearchResultSearch);
}

void TSubSearchFrm::SpeedButton2Click() { Close(kSearchResultCancel); }

int TSubSearchFrm::Choices() const {
    return (FabChk ? kFabrication : 0) | (FormChk ? kForming : 0) | (CastChk ? kCasting : 0) |
           (WasteChk ? kWasting : 0);
}

}  // namespace trevane
