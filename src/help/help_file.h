#pragma once
// The help file QEL.hlp: UTF-8 text of topics keyed by context number.
//
//   @topic 2003
//   @title Hardness
//   @keywords hardness; hard; soft
//   Body. Paragraphs are separated by blank lines. "= " starts a heading line,
//   "- " a bullet line; *bold*, _italic_, [[2006]] or [[2006|text]] links.
//
// Topic 1 is the contents page. The reader never fails on bad text: it reports
// each problem (with file and line) and skips what it cannot use.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace trevane {

struct HelpProblem {
    std::string file;
    int line = 0;
    std::string message;
    std::string Text() const { return file + ":" + std::to_string(line) + ": " + message; }
};

struct HelpBodyLine {
    int line = 0;  // line number in its file
    std::string text;
};

struct HelpTopic {
    int Number = 0;
    std::string Title;
    std::vector<std::string> Keywords;
    std::vector<HelpBodyLine> Body;
    std::string File;  // where its @topic line stands
    int Line = 0;
};

// A link found in a body line: [[N]] or [[N|text]]; valid is false for a "[["
// that does not form a link (no number, no closing "]]").
struct HelpLink {
    bool valid = false;
    int topic = 0;
    std::string text;
};
std::vector<HelpLink> FindHelpLinks(std::string_view line);

class HelpFile {
public:
    // Adds the topics of one source text. Problems (malformed or duplicate topic
    // lines, directives outside a topic, text before the first topic) are added
    // to problems when given; the lines concerned are skipped (a duplicate
    // topic keeps its first definition).
    void Parse(std::string_view text, const std::string& fileName, std::vector<HelpProblem>* problems = nullptr);

    const std::vector<HelpTopic>& Topics() const { return topics_; }
    const HelpTopic* Find(int number) const;
    bool Empty() const { return topics_.empty(); }

    // Every topic, by title (letter case ignored), then by number.
    std::vector<const HelpTopic*> Index() const;
    // Topics whose keywords or title contain the words (letter case ignored):
    // keyword equal first, then keyword starting with the words, then the rest;
    // by title within each group. Empty words give the whole index.
    std::vector<const HelpTopic*> Search(std::string_view words) const;

    // The topic as HTML: its title as heading, then its body. Links to topics of
    // this file become <a href="topic:N">; links to missing topics plain text.
    std::string TopicHtml(const HelpTopic& topic) const;

    // What the help compiler refuses: topics without a title, links that are
    // malformed or name no topic, a missing contents topic 1.
    std::vector<HelpProblem> Validate() const;

private:
    // Emphasis and links of one line as HTML; linksLeft counts down the links
    // the topic may still show as links.
    std::string Inline(std::string_view text, int& linksLeft) const;
    std::vector<HelpTopic> topics_;
    std::map<int, std::size_t> byNumber_;
};

// Reads and parses a help file (problems are skipped). Throws EFileError when it
// cannot be read.
HelpFile LoadHelpFile(const std::string& path);

// The messages of the help viewer.
std::string HelpTopicMissingText(int context);
inline constexpr const char* kHelpFileMissingText = "The help file QEL.hlp could not be opened";

// Links of the rendered HTML: "topic:N" and back.
std::string HelpTopicUrl(int number);
// The number of a "topic:N" address, or -1.
int HelpTopicFromUrl(std::string_view url);

}  // namespace trevane
