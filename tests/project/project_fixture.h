#pragma once
// A started session on a program folder holding higher.mdf and lower.mdf, with helpers
// that fill the search and the cutting list and picture all a project command may change.
#include <gtest/gtest.h>

#include <string>

#include "app/app_model.h"
#include "app/main_window_model.h"
#include "app/project_commands.h"
#include "common/file_io.h"
#include "common/grid_util.h"
#include "costing/cutting_list.h"
#include "materials/database.h"
#include "materials/matching.h"
#include "materials/sample_materials.h"
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
    std::unique_ptr<AppModel> session;

    void SetUp() override {
        WriteTestFile(program.File("higher.mdf"), SerializeDatabase(RichMaterials(), 1));
        WriteTestFile(program.File("lower.mdf"), SerializeDatabase(RichMaterials(), 0));
        session = StartedSession(ui);
    }

    std::unique_ptr<AppModel> StartedSession(FakeUi& fake) {
        auto s = std::make_unique<AppModel>(fake, program.Path());
        s->State.Database.DatabaseFileName = "higher.mdf";
        s->Main().Startup();
        s->State.DefaultUserDir = work.Path();
        return s;
    }

    AppState& St() { return session->State; }
    SearchPage& Search() { return session->Search(); }
    StringGrid& Cut() { return session->CutList().CutGrid; }
    ProjectCommands& Project() { return session->Project(); }

    // Sets up the criteria grid of a search type and steps row 1 off "don't care".
    void SetUpSearch(int type, int mask = 0) {
        St().Search.SearchType = St().Search.LastSearchType = type;
        St().Search.WorkingMask = mask;
        Search().SetUpCriteriaGrid(type, mask);
        auto tmpl = BuildTemplate(SearchCodeOfType(type), St().Database.DatabaseLevel, mask);
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
        return ProjectBytes() + "|" + st.Caption + "|" + Project().ProjectFileName + "|" +
               std::to_string(static_cast<int>(session->ActivePage())) + "|" + std::to_string(st.Search.SearchType) +
               "|" + std::to_string(st.Project.ProjectChanged) + "|" + std::to_string(st.Database.Materials.size()) +
               "|" + std::to_string(st.Database.DatabaseLevel) + "|" + Search().NumFoundLabel + "|" +
               std::to_string(Search().FoundListbox.size()) + "|" + std::to_string(Cut().RowCount());
    }
    std::string ProjectBytes() { return Project().ProjectBytes(); }
};

}  // namespace trevane::testing
