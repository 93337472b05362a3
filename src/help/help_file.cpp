#include "help/help_file.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/text.h"

namespace trevane {

namespace {

constexpr std::size_t kMaxHelpBytes = 32u * 1024u * 1024u;
constexpr int kMaxInlineDepth = 6;
constexpr int kMaxTopicDigits = 9;
// Links of one topic shown as links; the rest show as their text.
constexpr int kMaxLinksPerTopic = 2000;
// Items of one list laid out as a list; further items are bulleted paragraphs.
constexpr int kMaxListItems = 200;
constexpr const char* kBulletParagraph = "<p style=\"margin-left: 24px\">&#8226; ";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsWordChar(char c) { return IsDigit(c) || IsAsciiLetter(c) || static_cast<unsigned char>(c) >= 0x80; }

// A whole number of 1..9 digits (and nothing else), or -1.
int ParseNumber(std::string_view s) {
    if (s.empty() || s.size() > static_cast<std::size_t>(kMaxTopicDigits)) return -1;
    int n = 0;
    for (char c : s) {
        if (!IsDigit(c)) return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "@word rest": the directive word (letters) and the rest, or an empty word.
std::pair<std::string_view, std::string_view> SplitDirective(std::string_view line) {
    if (line.size() < 2 || line[0] != '@' || !IsAsciiLetter(line[1])) return {};
    std::size_t end = 1;
    while (end < line.size() && IsAsciiLetter(line[end])) ++end;
    return {line.substr(1, end - 1), TrimBlanks(line.substr(end))};
}

void AppendEscaped(std::string& out, char c) {
    switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
    }
}

std::string Escaped(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) AppendEscaped(out, c);
    return out;
}

// Finds the "]]" that ends a link opened at s[i]. `cache` holds the last answer
// (npos: none left); positions only grow during one scan of a line, so a line
// full of "[[" is read once, not once per "[[".
std::size_t LinkClose(std::string_view s, std::size_t i, std::size_t& cache) {
    if (cache == std::string_view::npos) return cache;
    if (cache < i + 2 || cache == 0) cache = s.find("]]", i + 2);
    return cache;
}

// A link starting at s[i] == '[' (and s[i+1] == '['): the link and the index just
// past its "]]", or an invalid link and i. The number is read from its own few
// characters, so a "[[" that forms no link costs no scan of the rest of the line.
std::pair<HelpLink, std::size_t> ReadLink(std::string_view s, std::size_t i, std::size_t& closeCache) {
    const std::size_t close = LinkClose(s, i, closeCache);
    if (close == std::string_view::npos) return {HelpLink{}, i};
    std::size_t k = i + 2;
    while (k < close && IsBlank(s[k])) ++k;
    const std::size_t digits = k;
    while (k < close && IsDigit(s[k]) && k - digits <= static_cast<std::size_t>(kMaxTopicDigits)) ++k;
    const int number = ParseNumber(s.substr(digits, k - digits));
    while (k < close && IsBlank(s[k])) ++k;
    if (number < 0 || (k < close && s[k] != '|')) return {HelpLink{}, i};
    HelpLink link;
    link.valid = true;
    link.topic = number;
    if (k < close) link.text = std::string(TrimBlanks(s.substr(k + 1, close - k - 1)));
    return {link, close + 2};
}

// Emphasis marks: bold "*" opens before a non-blank and closes after one;
// italic "_" opens and closes only at word edges.
bool OpensEmphasis(std::string_view s, std::size_t i) {
    const char mark = s[i];
    if (i + 1 >= s.size() || IsBlank(s[i + 1]) || s[i + 1] == mark) return false;
    return mark != '_' || i == 0 || !IsWordChar(s[i - 1]);
}
bool ClosesEmphasis(std::string_view s, std::size_t j) {
    if (j == 0 || IsBlank(s[j - 1])) return false;
    return s[j] != '_' || j + 1 >= s.size() || !IsWordChar(s[j + 1]);
}

}  // namespace

std::vector<HelpLink> FindHelpLinks(std::string_view line) {
    std::vector<HelpLink> links;
    std::size_t i = 0;
    std::size_t closeCache = 0;
    while ((i = line.find("[[", i)) != std::string_view::npos) {
        auto [link, next] = ReadLink(line, i, closeCache);
        links.push_back(link);
        i = link.valid ? next : i + 2;
    }
    return links;
}

void HelpFile::Parse(std::string_view text, const std::string& fileName, std::vector<HelpProblem>* problems) {
    const auto report = [&](int line, std::string message) {
        if (problems) problems->push_back({fileName, line, std::move(message)});
    };
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    HelpTopic* current = nullptr;  // the topic the lines belong to
    bool skipping = false;         // inside a topic that was refused
    bool reportedStray = false;
    int lineNo = 0;
    const auto finish = [&] {
        if (!current) return;
        while (!current->Body.empty() && TrimBlanks(current->Body.back().text).empty()) current->Body.pop_back();
        current = nullptr;
    };

    while (!text.empty()) {
        ++lineNo;
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const auto [word, rest] = SplitDirective(line);
        if (word == "topic") {
            finish();
            skipping = true;
            const int number = ParseNumber(rest);
            if (number < 1) {
                report(lineNo, "malformed topic line \"" + std::string(line) + "\" (expected @topic and a number)");
                continue;
            }
            if (auto it = byNumber_.find(number); it != byNumber_.end()) {
                const HelpTopic& first = topics_[it->second];
                report(lineNo, "topic " + std::to_string(number) + " is already defined at " + first.File + ":" +
                                   std::to_string(first.Line));
                continue;
            }
            skipping = false;
            byNumber_[number] = topics_.size();
            topics_.push_back(HelpTopic{number, {}, {}, {}, fileName, lineNo});
            current = &topics_.back();
            continue;
        }
        if (!word.empty() && (word == "title" || word == "keywords")) {
            if (skipping) continue;
            if (!current) {
                report(lineNo, "@" + std::string(word) + " outside a topic");
                continue;
            }
            if (word == "title") {
                if (!current->Title.empty())
                    report(lineNo, "second title for topic " + std::to_string(current->Number));
                else if (rest.empty())
                    report(lineNo, "empty title for topic " + std::to_string(current->Number));
                else
                    current->Title = std::string(rest);
            } else {
                std::string_view list = rest;
                while (!list.empty()) {
                    const std::size_t semi = list.find(';');
                    const std::string_view k = TrimBlanks(list.substr(0, semi));
                    if (!k.empty()) current->Keywords.emplace_back(k);
                    list = semi == std::string_view::npos ? std::string_view() : list.substr(semi + 1);
                }
            }
            continue;
        }
        if (!word.empty()) {
            if (!skipping) report(lineNo, "unknown line \"@" + std::string(word) + "\"");
            continue;
        }
        if (skipping) continue;
        if (!current) {
            if (!TrimBlanks(line).empty() && !reportedStray) {
                report(lineNo, "text before the first @topic line");
                reportedStray = true;
            }
            continue;
        }
        if (current->Body.empty() && TrimBlanks(line).empty()) continue;
        current->Body.push_back({lineNo, std::string(line)});
    }
    finish();
}

const HelpTopic* HelpFile::Find(int number) const {
    auto it = byNumber_.find(number);
    return it == byNumber_.end() ? nullptr : &topics_[it->second];
}

std::vector<const HelpTopic*> HelpFile::Index() const {
    std::vector<const HelpTopic*> all;
    all.reserve(topics_.size());
    for (const HelpTopic& t : topics_) all.push_back(&t);
    std::stable_sort(all.begin(), all.end(), [](const HelpTopic* a, const HelpTopic* b) {
        return std::make_tuple(LowerAscii(a->Title), a->Number) < std::make_tuple(LowerAscii(b->Title), b->Number);
    });
    return all;
}

std::vector<const HelpTopic*> HelpFile::Search(std::string_view words) const {
    const std::string query = LowerAscii(TrimBlanks(words));
    std::vector<const HelpTopic*> index = Index();
    if (query.empty()) return index;
    std::vector<std::pair<int, const HelpTopic*>> hits;
    for (const HelpTopic* t : index) {
        int rank = 99;
        for (const std::string& k : t->Keywords) {
            const std::string key = LowerAscii(k);
            if (key == query)
                rank = std::min(rank, 0);
            else if (key.rfind(query, 0) == 0)
                rank = std::min(rank, 1);
            else if (key.find(query) != std::string::npos)
                rank = std::min(rank, 2);
        }
        if (LowerAscii(t->Title).find(query) != std::string::npos) rank = std::min(rank, 2);
        if (rank != 99) hits.emplace_back(rank, t);
    }
    std::stable_sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const HelpTopic*> result;
    for (auto& h : hits) result.push_back(h.second);
    return result;
}

// One pass over the text with a stack of the open emphasis marks. An opener
// pairs with the first closer of its mark after it that lies inside the
// enclosing emphasis; where the closers are is known beforehand from one pass
// backwards, so no text is read twice.
std::string HelpFile::Inline(std::string_view s, int& linksLeft) const {
    const std::size_t n = s.size();
    std::vector<std::size_t> nextBold(n + 2, std::string_view::npos), nextItalic(n + 2, std::string_view::npos);
    for (std::size_t j = n; j-- > 0;) {
        nextBold[j] = nextBold[j + 1];
        nextItalic[j] = nextItalic[j + 1];
        if ((s[j] == '*' || s[j] == '_') && ClosesEmphasis(s, j)) (s[j] == '*' ? nextBold : nextItalic)[j] = j;
    }

    struct Open {
        const char* tag;
        std::size_t close;
    };
    std::vector<Open> open;
    std::string out;
    out.reserve(n + 16);
    std::size_t closeCache = 0;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t end = open.empty() ? n : open.back().close;
        if (i == end) {
            out += std::string("</") + open.back().tag + ">";
            open.pop_back();
            ++i;
            continue;
        }
        const char c = s[i];
        if (c == '[' && i + 1 < end && s[i + 1] == '[') {
            auto [link, next] = ReadLink(s, i, closeCache);
            if (link.valid && next <= end) {
                const HelpTopic* target = Find(link.topic);
                std::string text = link.text;
                if (text.empty())
                    text = target && !target->Title.empty() ? target->Title : "topic " + std::to_string(link.topic);
                // A page of thousands of links would take the viewer a long time
                // to lay out; past the limit they are shown as plain text.
                if (target && linksLeft > 0) {
                    --linksLeft;
                    out += "<a href=\"" + HelpTopicUrl(link.topic) + "\">" + Escaped(text) + "</a>";
                } else {
                    out += Escaped(text);
                }
                i = next;
                continue;
            }
        }
        if ((c == '*' || c == '_') && open.size() < static_cast<std::size_t>(kMaxInlineDepth) && i + 2 <= n &&
            OpensEmphasis(s.substr(0, end), i)) {
            const std::size_t close = (c == '*' ? nextBold : nextItalic)[i + 2];
            if (close < end) {
                open.push_back({c == '*' ? "b" : "i", close});
                out += std::string("<") + open.back().tag + ">";
                ++i;
                continue;
            }
        }
        AppendEscaped(out, c);
        ++i;
    }
    while (!open.empty()) {  // closed at the very end of the text
        out += std::string("</") + open.back().tag + ">";
        open.pop_back();
    }
    return out;
}

std::string HelpFile::TopicHtml(const HelpTopic& topic) const {
    int linksLeft = kMaxLinksPerTopic;
    std::string html =
        "<h1>" + Escaped(topic.Title.empty() ? "Topic " + std::to_string(topic.Number) : topic.Title) + "</h1>\n";
    // Bullets: the items of a list past kMaxListItems, one paragraph each (a
    // viewer numbers and lays out list items in time that grows with the square
    // of their count).
    enum class Block { None, Paragraph, List, Bullets } block = Block::None;
    int items = 0;
    const auto close = [&] {
        if (block == Block::Paragraph || block == Block::Bullets) html += "</p>\n";
        if (block == Block::List) html += "</li></ul>\n";
        block = Block::None;
    };
    for (const HelpBodyLine& bl : topic.Body) {
        const std::string_view line = TrimBlanks(bl.text);
        if (line.empty()) {
            close();
        } else if (line.substr(0, 2) == "= " || line == "=") {
            close();
            html += "<h2>" + Inline(TrimBlanks(line.substr(1)), linksLeft) + "</h2>\n";
        } else if (line.substr(0, 2) == "- ") {
            if (block == Block::List && ++items >= kMaxListItems) {
                html += "</li></ul>\n" + std::string(kBulletParagraph);
                block = Block::Bullets;
            } else if (block == Block::Bullets) {
                html += "</p>\n" + std::string(kBulletParagraph);
            } else if (block == Block::List) {
                html += "</li><li>";
            } else {
                close();
                html += "<ul><li>";
                block = Block::List;
                items = 0;
            }
            html += Inline(TrimBlanks(line.substr(2)), linksLeft);
        } else {
            if (block == Block::None) {
                html += "<p>";
                block = Block::Paragraph;
            } else {
                html += ' ';
            }
            html += Inline(line, linksLeft);
        }
    }
    close();
    return html;
}

std::vector<HelpProblem> HelpFile::Validate() const {
    std::vector<HelpProblem> problems;
    if (!Find(1)) problems.push_back({"", 0, "there is no topic 1 (the contents page)"});
    for (const HelpTopic& t : topics_) {
        if (t.Title.empty())
            problems.push_back({t.File, t.Line, "topic " + std::to_string(t.Number) + " has no @title"});
        for (const HelpBodyLine& bl : t.Body) {
            for (const HelpLink& link : FindHelpLinks(bl.text)) {
                if (!link.valid)
                    problems.push_back({t.File, bl.line, "malformed link (expected [[number]] or [[number|text]])"});
                else if (!Find(link.topic))
                    problems.push_back(
                        {t.File, bl.line, "link to topic " + std::to_string(link.topic) + ", which does not exist"});
            }
        }
    }
    return problems;
}

HelpFile LoadHelpFile(const std::string& path) {
    // Opening a named pipe or a device for reading can wait forever for a writer.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) throw EFileError("Cannot open " + path + ": not a regular file");
    HelpFile file;
    file.Parse(ReadWholeFile(path, kMaxHelpBytes), path);
    return file;
}

std::string HelpTopicMissingText(int context) {
    return "Help topic " + std::to_string(context) + " is not in the help file";
}

std::string HelpTopicUrl(int number) { return "topic:" + std::to_string(number); }

int HelpTopicFromUrl(std::string_view url) {
    if (url.substr(0, 6) != "topic:") return -1;
    return ParseNumber(url.substr(6));
}

}  // namespace trevane
