#include "trevane-db/db_tool.h"

#include <charconv>
#include <optional>

#include "editor/class_order.h"
#include "materials/property_rows.h"
#include "materials/database.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "materials/matching.h"
#include "search/search_types.h"
#include "trevane-db/help_command.h"
#include "trevane-db/source_format.h"
#include "trevane-db/stock_command.h"

namespace trevane {
namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  trevane-db compile SOURCE.json OUT.mdf\n"
    "  trevane-db dump FILE.mdf\n"
    "  trevane-db list FILE.mdf\n"
    "  trevane-db search FILE.mdf --type T [--working MASK] [--level L] [\"Property name=value word\"]...\n"
    "  trevane-db show FILE.mdf POSITION\n"
    "  trevane-db order [--csv] [--db FILE.mdf] A.prj B.prj ...\n"
    "  trevane-db stock PROJECT.prj [--json]\n"
    "  trevane-db help SRCDIR OUT.hlp\n";

// A wrong command line: the message is shown with the usage text, status 2.
struct UsageError {
    std::string message;
    bool showUsage = false;
};

std::optional<int> ParseInt(const std::string& s) {
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}

int IntArg(const std::string& text, const std::string& what, int lo, int hi) {
    const auto v = ParseInt(text);
    if (!v || *v < lo || *v > hi)
        throw UsageError{what + " must be a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) +
                         ", not \"" + text + "\""};
    return *v;
}

void ExpectArgs(const std::vector<std::string>& args, std::size_t count) {
    if (args.size() != count) throw UsageError{"wrong number of arguments for \"" + args[0] + "\""};
}

// A database named on the command line; a name that differs only in letter case
// from an existing file finds that file.
std::string DatabasePath(const std::string& path) {
    if (FileExists(path)) return path;
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return FindFileNoCase(dir, name).value_or(path);
}

struct Database {
    TMaterialList materials;
    std::uint8_t level = 1;
};

Database Load(const std::string& path) {
    Database db;
    LoadDatabase(DatabasePath(path), db.materials, db.level);
    return db;
}

int Compile(const std::vector<std::string>& args) {
    ExpectArgs(args, 3);
    const std::string text = ReadWholeFile(args[1], 64u * 1024u * 1024u);
    const CompiledSource source = CompileSource(text, args[1]);
    WriteFileAtomically(args[2], SerializeDatabase(source.materials, source.level));
    return 0;
}

int Dump(const std::vector<std::string>& args, std::ostream& out) {
    ExpectArgs(args, 2);
    const Database db = Load(args[1]);
    out << DumpSource(db.materials, db.level);
    return 0;
}

int List(const std::vector<std::string>& args, std::ostream& out) {
    ExpectArgs(args, 2);
    const Database db = Load(args[1]);
    for (std::size_t i = 0; i < db.materials.size(); ++i)
        out << i << '\t' << static_cast<int>(db.materials[i]->Category) << '\t' << db.materials[i]->Name << '\n';
    return 0;
}

int Search(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<std::string> file;
    std::optional<int> type, level;
    int mask = 0;
    std::vector<std::string> criteria;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
            return args[++i];
        };
        if (a == "--type")
            type = IntArg(value(), "--type", 0, 4);
        else if (a == "--working")
            mask = IntArg(value(), "--working", 0, 15);
        else if (a == "--level")
            level = IntArg(value(), "--level", 0, 1);
        else if (a.rfind("--", 0) == 0)
            throw UsageError{"unknown option " + a};
        else if (!file)
            file = a;
        else
            criteria.push_back(a);
    }
    if (!file) throw UsageError{"search needs a database file"};
    if (!type) throw UsageError{"search needs --type (0 woods, 1 metals, 2 plastics, 3 all materials, 4 working)"};
    const Database db = Load(*file);
    const int code = SearchCodeOfType(*type);
    auto t = BuildTemplate(code, level.value_or(db.level), mask);
    // As in the program's search, every row starts at "don't care": that clears
    // the flags a template class starts with, so only the criteria below count.
    for (int i = 0; i < t->PropertyCount(); ++i) t->SetPropertyValueText(i, kDontCare);
    for (const auto& c : criteria) {
        const auto eq = c.find('=');
        if (eq == std::string::npos)
            throw UsageError{"a criterion reads \"Property name=value word\", not \"" + c + "\""};
        const std::string name = c.substr(0, eq), word = c.substr(eq + 1);
        int i = 0;
        while (i < t->PropertyCount() && t->PropertyName(i) != name) ++i;
        if (i == t->PropertyCount()) throw UsageError{"this search has no criterion \"" + name + "\""};
        const FlagSet before = t->Flags;
        t->SetPropertyValueText(i, word);
        if (t->Flags == before && !word.empty() && word != "don't care")
            err << "warning: \"" << word << "\" changes nothing for \"" << name << "\"\n";
    }
    for (int pos : MatchingPositions(db.materials, t->Flags, code)) {
        const TMaterial& m = *db.materials[static_cast<std::size_t>(pos)];
        out << pos << '\t' << m.Name << '\t' << (m.CostingFlag != 0 ? "available" : "unavailable") << '\n';
    }
    return 0;
}

int Show(const std::vector<std::string>& args, std::ostream& out) {
    ExpectArgs(args, 3);
    const auto pos = ParseInt(args[2]);
    if (!pos || *pos < 0) throw UsageError{"POSITION must be a whole number from 0, not \"" + args[2] + "\""};
    const Database db = Load(args[1]);
    if (static_cast<std::size_t>(*pos) >= db.materials.size())
        throw UsageError{args[1] + " holds " + std::to_string(db.materials.size()) +
                         " materials; there is no position " + args[2]};
    const TMaterial& m = *db.materials[static_cast<std::size_t>(*pos)];
    for (const auto& row : PropertyRows(m)) out << row.code << '\t' << row.label << ',' << row.value << '\n';
    out << '\n' << m.Description << '\n';
    return 0;
}

// The class order of many projects: the combined grid, the cost of each project
// and the total; with --csv the same as comma-separated text. Without --csv the
// stock the order needs follows, from --db or the database the first project names
// (beside the tool).
int Order(const std::vector<std::string>& args, const std::string& toolDir, std::ostream& out, std::ostream& err) {
    bool csv = false;
    std::optional<std::string> db;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--csv")
            csv = true;
        else if (args[i] == "--db") {
            if (i + 1 >= args.size()) throw UsageError{"--db needs a database file"};
            db = args[++i];
        } else if (args[i].rfind("--", 0) == 0)
            throw UsageError{"unknown option " + args[i]};
        else
            files.push_back(args[i]);
    }
    if (files.empty()) throw UsageError{"order needs one or more project files"};
    const ClassOrder order = CombineProjects(files);
    for (const auto& p : order.problems) err << "trevane-db: " << p << '\n';
    if (order.projects.empty()) {
        err << "trevane-db: no project could be read\n";
        return 1;
    }
    if (csv) {
        out << OrderCsv(order);
        return 0;
    }
    out << OrderText(order);
    const std::string dbPath = db ? *db : JoinPath(toolDir, order.projects.front().database);
    try {
        const Database d = Load(dbPath);
        const std::string stock = OrderStock(order, d.materials).Text();
        if (!stock.empty()) out << "\nStock needed:\n" << stock << '\n';
    } catch (const EQelError& e) {
        err << "trevane-db: no stock summary: " << e.what() << '\n';
    }
    return 0;
}

int Help(const std::vector<std::string>& args) {
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    return HelpCommand(static_cast<int>(copy.size()), argv.data());
}

}  // namespace

int RunDbTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const std::string& toolDir) {
    try {
        if (args.empty()) throw UsageError{"no command given", true};
        const std::string& cmd = args[0];
        if (cmd == "compile") return Compile(args);
        if (cmd == "dump") return Dump(args, out);
        if (cmd == "list") return List(args, out);
        if (cmd == "search") return Search(args, out, err);
        if (cmd == "show") return Show(args, out);
        if (cmd == "stock") return StockCommand(args, toolDir, out, err);
        if (cmd == "order") return Order(args, toolDir, out, err);
        if (cmd == "help") {
            out.flush();
            return Help(args);
        }
        throw UsageError{"unknown command \"" + cmd + "\"", true};
    } catch (const UsageError& e) {
        err << "trevane-db: " << e.message << '\n';
        if (e.showUsage) err << kUsage;
        return 2;
    } catch (const EQelError& e) {
        err << e.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        err << "trevane-db: out of memory\n";
        return 1;
    } catch (const std::exception& e) {
        err << "trevane-db: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace trevane
