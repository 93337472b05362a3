#pragma once
// Line numbers of the values in a JSON source, so that an error found after
// parsing can name the line where the offending key or value stands.
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/errors.h"

namespace trevane {

// A fault in a source file; the message reads "FILE:LINE: what is wrong".
class SourceError : public EQelError {
public:
    SourceError(const std::string& file, int line, const std::string& what)
        : EQelError(file + ":" + std::to_string(line) + ": " + what) {}
};

// Paths name a value from the root: "" the root, "/materials/3/name" a member.
// Keys are escaped as in JSON pointers ("~" as "~0", "/" as "~1").
std::string ChildPath(const std::string& parent, const std::string& key);
std::string ChildPath(const std::string& parent, std::size_t index);

class SourceLines {
public:
    // Scans valid JSON text (parse it first). Throws SourceError when an object
    // repeats a key, since only one of the values could be kept.
    SourceLines(std::string_view text, const std::string& file);

    // The line (from 1) where the member's key, or the array element, begins;
    // for an unknown path the line of its nearest known parent.
    int LineOf(const std::string& path) const;

private:
    std::unordered_map<std::string, int> lines_;
};

// The line (from 1) of a byte offset in the text.
int LineAtOffset(std::string_view text, std::size_t offset);

}  // namespace trevane
