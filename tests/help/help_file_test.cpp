// The help file: problems with file and line, rendering and search; and the help
// texts shipped in data/help: a topic for every context the program opens, and
// no mark-up left over in what the viewer shows.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "common/errors.h"
#include "common/file_io.h"
#include "help/help_contexts.h"
#include "help/help_file.h"
#include "materials/property_rows.h"
#include "materials/tables.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

// Three topics; topic 2003 starts on line 9, its body on line 12.
const char* const kSample =
    "@topic 1\n@title Contents\n@keywords contents\n\n= Materials\n- [[2003]]\n- [[2006|How heavy is it?]]\n\n"
    "@topic 2003\n@title Hardness\n@keywords hardness; hard; soft\nA *hard* material resists _scratches_ and "
    "dents.\nCompare with [[2006]].\n\nSecond paragraph with snake_case_word and 2 * 3 < 7 & \"quotes\".\n\n\n"
    "@topic 2006\n@title Density\n@keywords weight; heavy\nMass per volume.\n";

HelpFile Sample() {
    HelpFile help;
    std::vector<HelpProblem> problems;
    help.Parse(kSample, "a.txt", &problems);
    EXPECT_TRUE(problems.empty()) << problems.front().Text();
    return help;
}

std::string Texts(const std::vector<HelpProblem>& problems) {
    std::string s;
    for (const HelpProblem& p : problems) s += p.Text() + "\n";
    return s;
}

TEST(HelpFileTest, ProblemsNameFileAndLineAndAreSkipped) {
    HelpFile help;
    std::vector<HelpProblem> problems;
    help.Parse(
        "stray text\n@topic 7\r\n@title Seven\r\n@title Again\n@colour red\nBody of seven.\n"  // lines 1-6
        "@topic 7\n@title Duplicate\nDuplicate body.\n@topic twelve\n@title Bad\nBad body.\n"  // lines 7-12
        "@topic 99999999999\n@topic 8\n",
        "b.txt", &problems);
    EXPECT_EQ(Texts(problems),
              "b.txt:1: text before the first @topic line\nb.txt:4: second title for topic 7\n"
              "b.txt:5: unknown line \"@colour\"\nb.txt:7: topic 7 is already defined at b.txt:2\n"
              "b.txt:10: malformed topic line \"@topic twelve\" (expected @topic and a number)\n"
              "b.txt:13: malformed topic line \"@topic 99999999999\" (expected @topic and a number)\n");
    ASSERT_EQ(help.Topics().size(), 2u);
    EXPECT_EQ(help.TopicHtml(*help.Find(7)), "<h1>Seven</h1>\n<p>Body of seven.</p>\n");
    EXPECT_EQ(Texts(help.Validate()), ":0: there is no topic 1 (the contents page)\nb.txt:14: topic 8 has no @title\n");

    HelpFile links;
    links.Parse("@topic 1\n@title C\nSee [[3]] and [[x]] and [[1|me]].\n[[2\n", "c.txt");
    EXPECT_EQ(Texts(links.Validate()),
              "c.txt:3: link to topic 3, which does not exist\n"
              "c.txt:3: malformed link (expected [[number]] or [[number|text]])\n"
              "c.txt:4: malformed link (expected [[number]] or [[number|text]])\n");
}

TEST(HelpFileTest, RendersBlocksInlineMarkupAndLinks) {
    const HelpFile help = Sample();
    EXPECT_EQ(
        help.TopicHtml(*help.Find(1)),
        "<h1>Contents</h1>\n<h2>Materials</h2>\n"
        "<ul><li><a href=\"topic:2003\">Hardness</a></li><li><a href=\"topic:2006\">How heavy is it?</a></li></ul>\n");
    EXPECT_EQ(help.TopicHtml(*help.Find(2003)),
              "<h1>Hardness</h1>\n"
              "<p>A <b>hard</b> material resists <i>scratches</i> and dents. "
              "Compare with <a href=\"topic:2006\">Density</a>.</p>\n"
              "<p>Second paragraph with snake_case_word and 2 * 3 &lt; 7 &amp; &quot;quotes&quot;.</p>\n");

    HelpFile other;
    other.Parse("@topic 5\n@title <T>\n*bold _both_* [[9]] [[9|gone]] *open\n", "d.txt");
    EXPECT_EQ(other.TopicHtml(*other.Find(5)),
              "<h1>&lt;T&gt;</h1>\n<p><b>bold <i>both</i></b> topic 9 gone *open</p>\n");
}

TEST(HelpFileTest, SearchRanksKeywordsThenTitles) {
    const HelpFile help = Sample();
    const auto titles = [&](const char* query) {
        std::string r;
        for (const HelpTopic* t : help.Search(query)) r += t->Title + ";";
        return r;
    };
    EXPECT_EQ(titles("HARD"), "Hardness;");
    EXPECT_EQ(titles("  "), "Contents;Density;Hardness;");
    EXPECT_EQ(titles("en"), "Contents;Density;");
    EXPECT_EQ(titles("zebra"), "");
    EXPECT_EQ(titles("hea"), "Density;");  // "heavy" is an exact keyword of Density; "hea" only a prefix
}

// Lines that once took seconds: every opener without a closer, deep nesting
// (read to six levels, the rest left as it is), a line of "[[" with no link.
TEST(HelpFileTest, UnusualLinesRenderWhole) {
    std::string stars, nested, brackets = std::string(40000, '[') + "|x", pairs, closers;
    for (int i = 0; i < 20000; ++i) stars += "*a ", nested += "*_";
    for (int i = 0; i < 6666; ++i) pairs += "<b>_</b><i>*</i>", closers += "<i>*</i><b>_</b>";
    HelpFile help;
    help.Parse("@topic 1\n@title T\n" + stars + "\n\n" + nested + "x" + std::string(nested.rbegin(), nested.rend()) +
                   "\n\n" + brackets + "\n",
               "u.txt");
    stars.pop_back();  // the blank at the end of a line is trimmed
    EXPECT_EQ(help.TopicHtml(*help.Find(1)), "<h1>T</h1>\n<p>" + stars + "</p>\n<p>" + pairs +
                                                 "<b>_</b><i>x</i><b>_</b>" + closers + "</p>\n<p>" + brackets +
                                                 "</p>\n");
    EXPECT_FALSE(help.Validate().empty());
}

// A contents page of thousands of links shows the first ones as links and the
// rest as their titles, so the viewer lays the page out at once.
TEST(HelpFileTest, ManyLinksOnATopicAreBounded) {
    std::string text = "@topic 1\n@title Contents\n";
    for (int n = 2; n < 5002; ++n) text += "- [[" + std::to_string(n) + "]]\n";
    for (int n = 2; n < 5002; ++n) text += "@topic " + std::to_string(n) + "\n@title T" + std::to_string(n) + "\n";
    HelpFile help;
    help.Parse(text, "c.txt");
    const std::string html = help.TopicHtml(*help.Find(1));
    std::size_t anchors = 0;
    for (std::size_t at = 0; (at = html.find("<a href=", at)) != std::string::npos; ++at) ++anchors;
    EXPECT_EQ(anchors, 2000u);
    EXPECT_NE(html.find("&#8226; T5001</p>"), std::string::npos);
    // A list lays out its first 200 items as a list, the rest as bulleted
    // paragraphs, which a viewer lays out in time proportional to their count.
    EXPECT_NE(html.find("<li><a href=\"topic:201\">T201</a></li></ul>\n<p style=\"margin-left: 24px\">&#8226; "
                        "<a href=\"topic:202\">T202</a></p>\n"),
              std::string::npos);
}

TEST(HelpFileTest, UrlsAndLoading) {
    EXPECT_EQ(HelpTopicFromUrl(HelpTopicUrl(2049)), 2049);
    EXPECT_EQ(HelpTopicFromUrl("topic:") + HelpTopicFromUrl("http://x"), -2);

    testing::TempDir dir;
    EXPECT_THROW(LoadHelpFile(dir.File("QEL.hlp")), EFileError);
    testing::WriteTestFile(dir.File("QEL.hlp"), kSample);
    EXPECT_EQ(LoadHelpFile(dir.File("QEL.hlp")).Topics().size(), 3u);
    // A named pipe with no writer would block the reader for ever.
    ASSERT_EQ(::mkfifo(dir.File("pipe.hlp").c_str(), 0600), 0);
    EXPECT_THROW(LoadHelpFile(dir.File("pipe.hlp")), EFileError);
    EXPECT_THROW(LoadHelpFile(dir.Path()), EFileError);
}

namespace fs = std::filesystem;

// The shipped sources, read in the compiler's order (the build refuses any
// problem in them).
class HelpTopics : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::vector<std::string> files;
        for (const auto& e : fs::directory_iterator(std::string(TREVANE_SOURCE_DIR) + "/data/help"))
            if (e.path().extension() == ".txt") files.push_back(e.path().string());
        std::sort(files.begin(), files.end());
        for (const auto& f : files) shipped.Parse(ReadWholeFile(f), f);
    }
    static inline HelpFile shipped;
    const HelpFile* help = &shipped;
};

// Every context the program opens has a topic; a property's definition carries
// the property's name, so that a search for the name finds it.
TEST_F(HelpTopics, EveryContextTheProgramOpensHasATopicWithKeywords) {
    std::set<int> contexts(kHelpContexts.begin(), kHelpContexts.end());
    for (int code = kRowName; code <= kRowChemicalName; ++code) contexts.insert(kHelpDefinitionBase + code);
    for (int n : contexts) EXPECT_TRUE(help->Find(n) && !help->Find(n)->Body.empty()) << "topic " << n;
    for (const HelpTopic& t : help->Topics()) EXPECT_FALSE(t.Keywords.empty()) << "topic " << t.Number;
    for (int n = 1; n <= kPropertyCount; ++n) {
        const HelpTopic* t = help->Find(kHelpDefinitionBase + n);
        ASSERT_NE(t, nullptr) << "property " << n;
        EXPECT_EQ(t->Title, PropertyTitle(n));
        const auto found = help->Search(PropertyTitle(n));
        EXPECT_NE(std::find(found.begin(), found.end(), t), found.end()) << PropertyTitle(n);
    }
}

// No mark-up is left in what the viewer shows, and every topic can be reached
// by following links from the contents.
TEST_F(HelpTopics, ViewerShowsNoLeftOverMarkUpAndEveryTopicIsReachable) {
    std::set<int> seen = {kHelpContents};
    for (std::vector<int> todo = {kHelpContents}; !todo.empty();) {
        const HelpTopic* t = help->Find(todo.back());
        todo.pop_back();
        for (const auto& line : t ? t->Body : std::vector<HelpBodyLine>{})
            for (const HelpLink& link : FindHelpLinks(line.text))
                if (link.valid && seen.insert(link.topic).second) todo.push_back(link.topic);
    }
    for (const HelpTopic& t : help->Topics()) {
        EXPECT_TRUE(seen.count(t.Number)) << "topic " << t.Number << " cannot be reached from the contents";
        const std::string html = help->TopicHtml(t);
        EXPECT_EQ(html.find('*'), std::string::npos) << "unmatched bold in topic " << t.Number;
        EXPECT_EQ(html.find("[["), std::string::npos) << "broken link in topic " << t.Number;
        EXPECT_EQ(html.find(" _"), std::string::npos) << "unmatched italic in topic " << t.Number;
    }
}

}  // namespace
}  // namespace trevane
