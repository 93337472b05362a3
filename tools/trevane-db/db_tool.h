#pragma once
// The commands of trevane-db, callable in-process: compile, dump, list, search,
// show, order, stock and help. Exit status 0 on success, 1 for a file error (the message on
// `err`), 2 for a usage error.
#include <ostream>
#include <string>
#include <vector>

namespace trevane {

// `args` holds the command word and its arguments (no program name); `toolDir`
// is the folder the tool lies in, where "stock" and "order" find the databases.
int RunDbTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const std::string& toolDir = ".");

}  // namespace trevane
