#pragma once
// Whole-file reading and safe writing. Every file the program or its tools write
// goes through WriteFileAtomically: the old file survives any failure.
#include <optional>
#include <string>
#include <string_view>

namespace trevane {

bool FileExists(const std::string& path);

// Reads the whole file; throws EFileError with the system's message on failure.
// Files larger than `maxBytes` are refused with EFileError.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes = 512u * 1024u * 1024u);

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk,
// then renames it over `path`. Throws EFileError naming the file and the system's
// reason; on failure the previous file is untouched and no temporary is left.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Finds `name` in folder `dir`: the exact name when it exists, else the first entry
// whose name equals it without regard to ASCII letter case. Returns the full path,
// or nothing when neither exists.
std::optional<std::string> FindFileNoCase(const std::string& dir, const std::string& name);

// Joins a folder and a file name with one separator.
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace trevane
