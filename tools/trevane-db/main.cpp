// trevane-db: the teachers' database tool.
#include <filesystem>
#include <iostream>
#include <system_error>
#include <string>
#include <vector>

#include "trevane-db/db_tool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    // The databases lie beside the tool.
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argc > 0) self = std::filesystem::absolute(argv[0], ec);
    const std::string toolDir = self.has_parent_path() ? self.parent_path().string() : std::string(".");
    const int status = trevane::RunDbTool(args, std::cout, std::cerr, toolDir);
    std::cout.flush();
    return status;
}
