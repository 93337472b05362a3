#pragma once
// `trevane-db stock PROJECT.prj [--json]`: the stock a project's cutting list
// needs, worked out with the database the project names, taken from `toolDir`
// (the folder the tool lies in). As text, the summary the costing page shows;
// with --json every sheet and length with every piece on it and every leftover.
#include <ostream>
#include <string>
#include <vector>

namespace trevane {

struct StockSummary;

// `args` holds "stock" and its arguments. Returns 0, or 2 on a usage error (the
// message on `err`); file and database errors are thrown (EQelError).
int StockCommand(const std::vector<std::string>& args, const std::string& toolDir, std::ostream& out,
                 std::ostream& err);

// The JSON text of a summary (one object; ends with a newline).
std::string StockSummaryJson(const StockSummary& summary, const std::string& databaseFileName);

}  // namespace trevane
