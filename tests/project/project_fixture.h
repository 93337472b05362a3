#pragma once
// A started session on a program folder holding higher.mdf and lower.mdf, with
// helpers that fill the search and the cutting list and take a picture of
// everything a project command may change.
#include <gtest/gtest.h>

#include <string>

#include "app/session.h"
#include "app/shell.h"
#include "costing/cutting_list.h"
#include "materials/database.h"
#include "materials/file_io.h"
#include "materials/matching.h"
#include "materials/material.h"
#include "materials/sample_materials.h"
#include "project/project_commands.h"
#include "project/grid_util.h"
#include "project/project_file.h"
#include "search/search_page.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace trevane::testing {

class ProjectTest : public ::testing::Test {
protected:
    TempDir program;
    TempDir work;
    FakeUi ui;
    std::unique_ptr<Session> session;

    void SetUp() override {
        WriteTestFile(program.File("higher.mdf"), SerializeDatabase(RichMaterials(), 1));
        WriteTestFile(program.File("lower.mdf"), SerializeDatabase(RichMaterials(), 0));
        session = StartedSession(ui);
    }

    std::unique_ptr<Session> StartedSession(FakeUi& fake) {
        auto s = std::make_unique<Session>(fake, program.Path());
        s->State.DatabaseFileName = "higher.mdf";
        s->App().Startup();
        s->State.DefaultUserDir = work.Path();
        return s;
    }

    AppState& St() { return session->State; }
    SearchPage& Search() { return session->Search(); }
    StringGrid& Cut() { return session->CutList().CutGrid; }
    ProjectCommands& Project() { return session->Project(); }

    // Sets up the criteria grid of a search type and steps row 1 off "don't care".
    void SetUpSearch(int type, int mask = 0) {
        St().SearchType = St().LastSearchType = type;
        St().WorkingMask = mask;
        Search().SetUpCriteriaGrid(type, mask);
        auto tmpl = BuildTemplate(SearchCodeOfType(type), St().DatabaseLevel, mask);
        if (tmpl && tmpl->PropertyCount() > 0)
            Search().GridC.SetCell(1, 1, Search().NextCriterionValue(*tmpl, Search().GridC.Cell(1, 1), 1));
    }

    void FillCutRows(int rows, const std::string& prefix = "piece") {
        for (int r = 1; r <= rows; ++r) {
            if (r >= Cut().RowCount()) Cut().SetRowCount(r + 1);
            for (int c = 1; c < Cut().ColCount(); ++c) Cut().SetCell(c, r, prefix + std::to_string(r * 10 + c));
        }
    }

    // Everything a failed command must leave as it was.
    std::string Snapshot() {
        const auto& st = St();
        return SerializeProject(st.DatabaseFileName, st.LastSearchType, st.WorkingMask, Search().GridC,
                                Search().EvalMemo, Cut()) +
               "|" + st.Caption + "|" + Project().ProjectFileName + "|" +
               std::to_string(static_cast<int>(session->ActivePage())) + "|" + std::to_string(st.SearchType) +
               "|" + std::to_string(st.ProjectChanged) + "|" + std::to_string(st.Materials.size()) + "|" +
               std::to_string(st.DatabaseLevel) + "|" + Search().NumFoundLabel + "|" +
               std::to_string(Search().FoundListbox.size()) + "|" + std::to_string(Cut().RowCount());
    }

    std::string ProjectBytes() {
        const auto& st = St();
        return SerializeProject(st.DatabaseFileName, st.LastSearchType, st.WorkingMask, Search().GridC,
                                Search().EvalMemo, Cut());
    }
};

}  // namespace trevane::testing
