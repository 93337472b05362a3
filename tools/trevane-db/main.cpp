// trevane-db: the teachers' database tool.
#include <iostream>
#include <string>
#include <vector>

#include "trevane-db/db_tool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = trevane::RunDbTool(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
