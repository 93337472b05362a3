#pragma once
// A session with a small database built in memory, and helpers that play the
// search dialogs through the recording fake.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "app/app_model.h"
#include "materials/material.h"
#include "search/search_dialogs.h"
#include "search/search_page.h"
#include "support/fake_ui.h"

namespace trevane::testing {

class SearchTest : public ::testing::Test {
protected:
    FakeUi ui;
    AppModel session{ui, "."};
    SearchPage& page = session.Search();
    AppState& st = session.State;

    template <class T>
    T& Add(const std::string& name, std::initializer_list<int> flags, bool available = true) {
        auto m = T::Create();
        m->Name = name;
        m->Flags = FlagSet{};  // a loaded material holds exactly its stored flags
        for (int f : flags) m->Flags.Add(f);
        m->CostingFlag = available ? -1 : 0;
        T& ref = *m;
        st.Database.Materials.push_back(std::move(m));
        return ref;
    }

    // The search-type dialog answers with a type (and, for type 4, the processes).
    void ScriptSearchType(int type, int processes = 0) {
        ui.dialogScripts["SearchFrm"].push_back([type](DialogModel& m) {
            static_cast<TSearchFrm&>(m).SearchMaterialRGClick(type);
            if (!m.Closed()) static_cast<TSearchFrm&>(m).OKBtnClick();
        });
        if (type == 4)
            ui.dialogScripts["SubSearchFrm"].push_back([processes](DialogModel& m) {
                auto& sub = static_cast<TSubSearchFrm&>(m);
                sub.FabChk = processes & 1;
                sub.FormChk = processes & 2;
                sub.CastChk = processes & 4;
                sub.WasteChk = processes & 8;
                sub.SpeedButton1Click();
            });
    }
    void StartSearch(int type, int processes = 0) {
        ScriptSearchType(type, processes);
        page.StartFromMenu();
    }

    int RowOf(const std::string& property) const {
        for (int r = 1; r < page.GridC.RowCount(); ++r)
            if (page.GridC.Cell(0, r) == property) return r;
        return -1;
    }
    void Want(const std::string& property, const std::string& value) {
        const int row = RowOf(property);
        ASSERT_GT(row, 0) << property;
        page.GridC.SetCell(1, row, value);
    }
    int LastRow() const {
        int last = 0;
        for (int r = 1; r < page.GridC.RowCount(); ++r)
            if (!page.GridC.Cell(0, r).empty()) last = r;
        return last;
    }
    std::string FoundNames() const {
        std::string s;
        for (const auto& e : page.FoundListbox) s += (s.empty() ? "" : ",") + e.text;
        return s;
    }
};

}  // namespace trevane::testing
