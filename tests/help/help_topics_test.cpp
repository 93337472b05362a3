// The help texts shipped in data/help: a topic for every context the program
// opens, property definitions under the property's own name, every topic found
// from the contents page, and no mark-up left over in what the viewer shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "help/help_contexts.h"
#include "help/help_file.h"
#include "common/file_io.h"
#include "materials/property_rows.h"
#include "materials/tables.h"

namespace trevane {
namespace {

namespace fs = std::filesystem;

class HelpTopics : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        help = new HelpFile;
        std::vector<std::string> files;
        for (const auto& e : fs::directory_iterator(std::string(TREVANE_SOURCE_DIR) + "/data/help"))
            if (e.path().extension() == ".txt") files.push_back(e.path().string());
        std::sort(files.begin(), files.end());  // the compiler's order
        for (const auto& f : files) help->Parse(ReadWholeFile(f), f, &problems);
    }
    static void TearDownTestSuite() {
        delete help;
        help = nullptr;
    }
    static HelpFile* help;
    static std::vector<HelpProblem> problems;
};
HelpFile* HelpTopics::help = nullptr;
std::vector<HelpProblem> HelpTopics::problems;

TEST_F(HelpTopics, CompileWithoutProblems) {
    for (const auto& p : problems) ADD_FAILURE() << p.Text();
    for (const auto& p : help->Validate()) ADD_FAILURE() << p.Text();
}

TEST_F(HelpTopics, EveryContextTheProgramOpensHasATopicWithKeywords) {
    std::set<int> contexts(kHelpContexts.begin(), kHelpContexts.end());
    for (int code = kRowName; code <= kRowChemicalName; ++code) contexts.insert(kHelpDefinitionBase + code);
    for (int n : contexts) {
        const HelpTopic* t = help->Find(n);
        ASSERT_NE(t, nullptr) << "topic " << n;
        EXPECT_FALSE(t->Body.empty()) << "topic " << n;
    }
    for (const HelpTopic& t : help->Topics()) EXPECT_FALSE(t.Keywords.empty()) << "topic " << t.Number;
}

TEST_F(HelpTopics, PropertyDefinitionsCarryThePropertyNameAndAnExample) {
    for (int n = 1; n <= kPropertyCount; ++n) {
        const HelpTopic* t = help->Find(2000 + n);
        ASSERT_NE(t, nullptr) << "property " << n;
        EXPECT_EQ(t->Title, PropertyTitle(n));
        // A keyword search for the property's name finds its definition.
        const auto found = help->Search(PropertyTitle(n));
        EXPECT_NE(std::find(found.begin(), found.end(), t), found.end()) << PropertyTitle(n);
        bool example = false;
        for (const auto& line : t->Body) example = example || line.text.find("Example") != std::string::npos;
        EXPECT_TRUE(example) << PropertyTitle(n);
    }
}

TEST_F(HelpTopics, EveryTopicCanBeReachedFromTheContents) {
    std::set<int> seen = {1};
    std::vector<int> todo = {1};
    while (!todo.empty()) {
        const HelpTopic* t = help->Find(todo.back());
        todo.pop_back();
        if (!t) continue;
        for (const auto& line : t->Body)
            for (const HelpLink& link : FindHelpLinks(line.text))
                if (link.valid && seen.insert(link.topic).second) todo.push_back(link.topic);
    }
    for (const HelpTopic& t : help->Topics()) EXPECT_TRUE(seen.count(t.Number)) << "topic " << t.Number;
}

TEST_F(HelpTopics, ViewerShowsNoLeftOverMarkUp) {
    for (const HelpTopic& t : help->Topics()) {
        const std::string html = help->TopicHtml(t);
        EXPECT_EQ(html.find('*'), std::string::npos) << "unmatched bold in topic " << t.Number;
        EXPECT_EQ(html.find("[["), std::string::npos) << "broken link in topic " << t.Number;
        EXPECT_EQ(html.find(" _"), std::string::npos) << "unmatched italic in topic " << t.Number;
    }
}

TEST_F(HelpTopics, ParagraphsAreNotGluedToTheBulletAboveThem) {
    // The viewer continues a bullet with the lines that follow it, so a new
    // paragraph after a list needs a blank line first.
    for (const HelpTopic& t : help->Topics()) {
        for (std::size_t i = 1; i < t.Body.size(); ++i) {
            const std::string& prev = t.Body[i - 1].text;
            const std::string& line = t.Body[i].text;
            if (prev.rfind("- ", 0) == 0 && !line.empty() && line.rfind("- ", 0) != 0 && line.rfind("= ", 0) != 0)
                ADD_FAILURE() << t.File << ":" << t.Body[i].line << ": paragraph glued to a bullet";
        }
    }
}

}  // namespace
}  // namespace trevane
