#include "trevane-db/help_command.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "help/help_file.h"
#include "common/file_io.h"

namespace trevane {

namespace {

constexpr std::size_t kMaxSourceBytes = 8u * 1024u * 1024u;

// The first line (1-based) that is not UTF-8, or 0.
int FirstNonUtf8Line(std::string_view s) {
    int line = 1;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '\n') ++line;
        std::size_t extra = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c == 0xE0) {
            extra = 2;
            lo = 0xA0;
        } else if (c == 0xED) {
            extra = 2;
            hi = 0x9F;
        } else if (c >= 0xE1 && c <= 0xEF)
            extra = 2;
        else if (c == 0xF0) {
            extra = 3;
            lo = 0x90;
        } else if (c == 0xF4) {
            extra = 3;
            hi = 0x8F;
        } else if (c >= 0xF1 && c <= 0xF3)
            extra = 3;
        else
            return line;
        if (i + extra >= s.size() && extra > 0) return line;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if (k == 1 ? (b < lo || b > hi) : (b & 0xC0) != 0x80) return line;
        }
        i += extra + 1;
    }
    return 0;
}

void Print(const HelpProblem& p) { std::fprintf(stderr, "%s\n", p.Text().c_str()); }

}  // namespace

int HelpCommand(int argc, char** argv) {
    // Accept "help SRC OUT" and "trevane-db help SRC OUT".
    if (argc >= 2 && std::string_view(argv[0]) != "help" && std::string_view(argv[1]) == "help") {
        --argc;
        ++argv;
    }
    if (argc != 3) {
        std::fputs("usage: trevane-db help SRCDIR OUT.hlp\n", stderr);
        return 2;
    }
    const std::string srcDir = argv[1];
    const std::string outPath = argv[2];
    namespace fs = std::filesystem;

    std::vector<std::string> sources;
    std::error_code ec;
    for (fs::directory_iterator it(srcDir, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.extension() == ".txt" && it->is_regular_file(ec)) sources.push_back(p.string());
    }
    if (ec) {
        std::fprintf(stderr, "Cannot read the folder %s: %s\n", srcDir.c_str(), ec.message().c_str());
        return 1;
    }
    if (sources.empty()) {
        std::fprintf(stderr, "%s holds no *.txt help sources\n", srcDir.c_str());
        return 1;
    }
    std::sort(sources.begin(), sources.end(), [](const std::string& a, const std::string& b) {
        return fs::path(a).filename().string() < fs::path(b).filename().string();
    });

    HelpFile help;
    std::vector<HelpProblem> problems;
    std::string output;
    try {
        for (const std::string& src : sources) {
            std::string text = ReadWholeFile(src, kMaxSourceBytes);
            if (const int bad = FirstNonUtf8Line(text)) problems.push_back({src, bad, "the text is not UTF-8"});
            help.Parse(text, src, &problems);
            if (text.substr(0, 3) == "\xEF\xBB\xBF") text.erase(0, 3);
            if (!text.empty() && text.back() != '\n') text += '\n';
            output += text;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    for (HelpProblem& p : help.Validate()) problems.push_back(std::move(p));
    if (!problems.empty()) {
        for (const HelpProblem& p : problems) Print(p);
        std::fprintf(stderr, "%zu problem(s); %s was not written\n", problems.size(), outPath.c_str());
        return 1;
    }
    try {
        WriteFileAtomically(outPath, output);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("%s: %zu topics\n", outPath.c_str(), help.Topics().size());
    return 0;
}

}  // namespace trevane
