#include "trevane-db/source_lines.h"

#include <nlohmann/json.hpp>
#include <set>

namespace trevane {
namespace {

std::string Escape(const std::string& key) {
    std::string out;
    for (char c : key) {
        if (c == '~')
            out += "~0";
        else if (c == '/')
            out += "~1";
        else
            out += c;
    }
    return out;
}

// Walks text that nlohmann::json has already accepted, recording where every
// value begins. Only the structure is followed; scalars are skipped.
class Scanner {
public:
    Scanner(std::string_view text, const std::string& file, std::unordered_map<std::string, int>& lines)
        : s_(text), file_(file), lines_(lines) {}

    void Run() {
        lines_[""] = 1;
        Value("");
    }

private:
    void Space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r')) {
            if (s_[i_] == '\n') ++line_;
            ++i_;
        }
    }

    // The raw text of a string token, quotes included.
    std::string_view StringToken() {
        const std::size_t start = i_++;
        while (i_ < s_.size() && s_[i_] != '"') i_ += s_[i_] == '\\' ? 2 : 1;
        ++i_;
        return s_.substr(start, i_ - start);
    }

    void Value(const std::string& path) {
        Space();
        if (i_ >= s_.size()) return;
        // The source format nests four levels deep; far deeper nesting is a
        // damaged file, refused before it can exhaust the stack.
        if ((s_[i_] == '{' || s_[i_] == '[') && ++depth_ > kMaxDepth)
            throw SourceError(file_, line_, "the lists and objects nest too deep");
        switch (s_[i_]) {
            case '{':
                Object(path);
                --depth_;
                break;
            case '[':
                Array(path);
                --depth_;
                break;
            case '"': StringToken(); break;
            default:
                while (i_ < s_.size() && std::string_view(",]} \t\r\n").find(s_[i_]) == std::string_view::npos) ++i_;
        }
    }

    void Object(const std::string& path) {
        ++i_;
        std::set<std::string> seen;
        for (;;) {
            Space();
            if (i_ >= s_.size() || s_[i_] == '}') break;
            const int keyLine = line_;
            const std::string key = nlohmann::json::parse(StringToken()).get<std::string>();
            if (!seen.insert(key).second) throw SourceError(file_, keyLine, "the key \"" + key + "\" is given twice");
            const std::string child = ChildPath(path, key);
            lines_[child] = keyLine;
            Space();
            ++i_;  // ':'
            Value(child);
            Space();
            if (i_ < s_.size() && s_[i_] == ',') ++i_;
        }
        ++i_;
    }

    void Array(const std::string& path) {
        ++i_;
        for (std::size_t n = 0;; ++n) {
            Space();
            if (i_ >= s_.size() || s_[i_] == ']') break;
            const std::string child = ChildPath(path, n);
            lines_[child] = line_;
            Value(child);
            Space();
            if (i_ < s_.size() && s_[i_] == ',') ++i_;
        }
        ++i_;
    }

    std::string_view s_;
    const std::string& file_;
    std::unordered_map<std::string, int>& lines_;
    std::size_t i_ = 0;
    int line_ = 1;
    int depth_ = 0;
    static constexpr int kMaxDepth = 200;
};

}  // namespace

std::string ChildPath(const std::string& parent, const std::string& key) { return parent + "/" + Escape(key); }
std::string ChildPath(const std::string& parent, std::size_t index) { return parent + "/" + std::to_string(index); }

SourceLines::SourceLines(std::string_view text, const std::string& file) { Scanner(text, file, lines_).Run(); }

int SourceLines::LineOf(const std::string& path) const {
    std::string p = path;
    for (;;) {
        auto it = lines_.find(p);
        if (it != lines_.end()) return it->second;
        const auto slash = p.rfind('/');
        if (slash == std::string::npos) return 1;
        p.resize(slash);
    }
}

int LineAtOffset(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n') ++line;
    return line;
}

}  // namespace trevane
