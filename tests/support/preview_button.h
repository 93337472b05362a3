#pragma once
// The preview button of a page, as a pupil presses it.
#include "app/app_model.h"
#include "browse/browse_page.h"
#include "costing/costing_page.h"
#include "search/search_page.h"

namespace trevane::testing {

inline void PressPreviewButton(AppModel& app, Page page) {
    app.ShowPage(page);
    switch (page) {
        case Page::Browse: app.Browse().BprintBtnClick(); break;
        case Page::Search: app.Search().CPrintBtnClick(); break;
        case Page::Costing: app.Costing().DPrntBtnClick(); break;
        default: break;
    }
}

}  // namespace trevane::testing
