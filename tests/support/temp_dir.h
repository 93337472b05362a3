#pragma once
// A temporary folder for a test, removed with everything in it afterwards.
#include <string>

namespace trevane::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Writes bytes to a file (test set-up only; no atomic rename needed).
void WriteTestFile(const std::string& path, const std::string& bytes);

}  // namespace trevane::testing
