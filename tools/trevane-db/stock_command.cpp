#include "trevane-db/stock_command.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "costing/stock_needed.h"
#include "materials/database.h"
#include "common/file_io.h"
#include "project/project_file.h"
#include "common/string_grid.h"

namespace trevane {

namespace {

constexpr int kCutColumns = 9;

// The project's cutting list as the costing page's grid would hold it.
StringGrid CuttingGridOf(const ProjectData& data) {
    const auto lines = static_cast<int>(std::count(data.CutBlock.begin(), data.CutBlock.end(), '\n')) + 1;
    StringGrid grid(kCutColumns, std::min(data.CutRows, lines) + 2, 1, 1);
    ReadCuttingList(data, grid);
    return grid;
}

nlohmann::json PieceJson(const CutPiece& piece) {
    return {{"part", piece.Part}, {"name", piece.Name}, {"length", piece.Length}, {"width", piece.Width}};
}

}  // namespace

std::string StockSummaryJson(const StockSummary& summary, const std::string& databaseFileName) {
    nlohmann::json stock = nlohmann::json::array(), lines = nlohmann::json::array(), tooLarge = nlohmann::json::array();
    for (const StockLine& line : summary.Lines) {
        const char* kind = line.Sheets ? "sheet" : "length";
        lines.push_back({{"material", line.Material},
                         {"size", line.Size},
                         {"kind", kind},
                         {"stock_length", line.StockLength},
                         {"stock_width", line.StockWidth},
                         {"count", line.Count},
                         {"pieces", line.Pieces},
                         {"text", line.Text()}});
        for (std::size_t i : line.Layout.TooLarge) {
            nlohmann::json piece = PieceJson(line.Cut[i]);
            piece["material"] = line.Material;
            piece["size"] = line.Size;
            tooLarge.push_back(std::move(piece));
        }
        for (const StockUse& use : line.Layout.Stock) {
            nlohmann::json placements = nlohmann::json::array(), leftovers = nlohmann::json::array();
            for (const Placement& p : use.Pieces) {
                const CutPiece& piece = line.Cut[p.Piece];
                placements.push_back({{"part", piece.Part},
                                      {"name", piece.Name},
                                      {"x", p.X},
                                      {"y", p.Y},
                                      {"length", p.Length},
                                      {"width", p.Width},
                                      {"turned", p.Turned}});
            }
            for (const Leftover& l : use.Leftovers)
                leftovers.push_back(
                    {{"x", l.X}, {"y", l.Y}, {"length", l.Length}, {"width", l.Width}, {"offcut", l.Offcut}});
            stock.push_back({{"material", line.Material},
                             {"size", line.Size},
                             {"kind", kind},
                             {"stock_length", line.StockLength},
                             {"stock_width", line.StockWidth},
                             {"placements", std::move(placements)},
                             {"leftovers", std::move(leftovers)}});
        }
    }
    const nlohmann::json doc = {{"database", databaseFileName},     {"kerf", kSawKerf},
                                {"lines", std::move(lines)},        {"stock", std::move(stock)},
                                {"too_large", std::move(tooLarge)}, {"notes", summary.Notes}};
    return doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

int StockCommand(const std::vector<std::string>& args, const std::string& toolDir, std::ostream& out,
                 std::ostream& err) {
    bool json = false;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i].rfind("--", 0) == 0) {
            err << "trevane-db: unknown option " << args[i] << '\n';
            return 2;
        } else
            files.push_back(args[i]);
    }
    if (files.size() != 1) {
        err << "trevane-db: stock needs one project file: trevane-db stock PROJECT.prj [--json]\n";
        return 2;
    }
    const ProjectData data = ReadProjectFile(files[0]);
    TMaterialList materials;
    std::uint8_t level = 1;
    const std::string database =
        FindFileNoCase(toolDir, data.DatabaseFileName).value_or(JoinPath(toolDir, data.DatabaseFileName));
    LoadDatabase(database, materials, level);

    const StockSummary summary = SummariseStock(StockPiecesOf(CuttingGridOf(data)), materials);
    if (json)
        out << StockSummaryJson(summary, data.DatabaseFileName);
    else if (!summary.Text().empty())
        out << summary.Text() << '\n';
    return 0;
}

}  // namespace trevane
