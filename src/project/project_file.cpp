#include "project/project_file.h"

#include <algorithm>

#include "common/binary_io.h"
#include "common/cp1252.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/grid_util.h"

namespace trevane {

namespace {

constexpr std::string_view kTag = "PRJ";

// A criteria row is two counted strings of at least four bytes each.
constexpr std::size_t kMinCriterionBytes = 8;

constexpr std::size_t kMaxCuttingListLines = 200000;

constexpr std::int32_t kLastSearchType = 4;
constexpr std::int32_t kAllProcesses = 15;

bool HasControlCharacter(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

void WriteSearchState(ByteWriter& out, std::int32_t searchType, std::int32_t workingMask, const StringGrid& grid,
                      const std::string& evaluation) {
    out.WriteInt32(searchType);
    out.WriteInt32(workingMask);
    // Without a search the criteria and the evaluation on the page belong to no
    // project (a reader ignores them): none of that text goes into the file.
    if (searchType == -1) {
        out.WriteInt32(0);
        out.WriteCountedString(std::string());
        return;
    }
    const int k = LastUsedRow(grid);
    out.WriteInt32(k);
    for (int r = 1; r <= k; ++r) {
        out.WriteCountedString(grid.Cell(0, r));
        out.WriteCountedString(grid.Cell(1, r));
    }
    out.WriteCountedString(evaluation);
}

void WriteCuttingList(ByteWriter& out, const StringGrid& grid) {
    const int m = LastUsedRow(grid);
    out.WriteInt32(m);
    WriteGridText(grid, out, m);
}

}  // namespace

ProjectData ParseProject(std::string_view bytes) {
    ProjectData d;
    try {
        ByteReader in(bytes);
        if (in.ReadCountedBytes() != kTag) throw EBadFileFormat(kNotAProjectFile);
        d.DatabaseFileName = in.ReadCountedString();
        // Only a bare file name may name the database: it is opened from the
        // program's own folder.
        if (d.DatabaseFileName.empty() || d.DatabaseFileName.find_first_of("/\\") != std::string::npos ||
            d.DatabaseFileName == "." || d.DatabaseFileName == ".." || HasControlCharacter(d.DatabaseFileName))
            throw EBadFileFormat(kNotAProjectFile);
        d.SearchType = in.ReadInt32();
        d.WorkingMask = in.ReadInt32();
        // Search types run from 0 (woods) to 4 (working properties), -1 for none;
        // the working processes are four bits.
        if (d.SearchType < -1 || d.SearchType > kLastSearchType || d.WorkingMask < 0 || d.WorkingMask > kAllProcesses)
            throw EBadFileFormat(kNotAProjectFile);
        const std::int32_t k = in.ReadInt32();
        if (k < 0 || static_cast<std::size_t>(k) > in.Remaining() / kMinCriterionBytes)
            throw EBadFileFormat(kNotAProjectFile);
        d.Criteria.reserve(static_cast<std::size_t>(k));
        for (std::int32_t i = 0; i < k; ++i) {
            std::string name = in.ReadCountedString();
            std::string value = in.ReadCountedString();
            d.Criteria.emplace_back(std::move(name), std::move(value));
        }
        d.Evaluation = in.ReadCountedString();
        d.CutRows = in.ReadInt32();
        if (d.CutRows < 0) throw EBadFileFormat(kNotAProjectFile);
        const std::size_t blockStart = in.Position();
        in.ReadCountedBytes();
        d.CutBlock = std::string(bytes.substr(blockStart, in.Position() - blockStart));
        // Every line of the block becomes a grid row, and the program writes as
        // many lines as the count says: a file that disagrees would mix its rows
        // with those of the list on the page. The line limit keeps a crafted file
        // from exhausting memory, the cell limit from making every repaint slow.
        const std::string_view text = std::string_view(d.CutBlock).substr(4);
        std::int64_t lines = 0;
        if (!text.empty()) {
            for (std::size_t start = 0;; ++lines) {
                const std::size_t end = text.find("\r\n", start);
                const std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
                for (std::size_t c = 0; c <= line.size();) {
                    const std::size_t tab = std::min(line.find('\t', c), line.size());
                    if (tab - c > kMaxCutCellBytes) throw EBadFileFormat(kNotAProjectFile);
                    c = tab + 1;
                }
                if (end == std::string_view::npos) {
                    ++lines;
                    break;
                }
                start = end + 2;
            }
        }
        if (lines > static_cast<std::int64_t>(kMaxCuttingListLines) || lines != static_cast<std::int64_t>(d.CutRows))
            throw EBadFileFormat(kNotAProjectFile);
        if (!in.AtEnd()) throw EBadFileFormat(kNotAProjectFile);
    } catch (const ETruncated&) {
        throw EBadFileFormat(kNotAProjectFile);
    }
    return d;
}

std::string SerializeProject(const std::string& databaseFileName, std::int32_t searchType, std::int32_t workingMask,
                             const StringGrid& criteriaGrid, const std::string& evaluation, const StringGrid& cutGrid) {
    ByteWriter out;
    out.WriteCountedBytes(kTag);
    out.WriteCountedString(databaseFileName);
    WriteSearchState(out, searchType, workingMask, criteriaGrid, evaluation);
    WriteCuttingList(out, cutGrid);
    return out.Take();
}

void WriteProjectFile(const std::string& path, const std::string& bytes) { WriteFileAtomically(path, bytes); }

void ReadSearchState(const ProjectData& data, SearchState& search, StringGrid& criteriaGrid, std::string& evaluation) {
    search.LastSearchType = data.SearchType;
    search.WorkingMask = data.WorkingMask;
    if (data.SearchType == -1) return;
    auto& grid = criteriaGrid;
    const int k = static_cast<int>(data.Criteria.size());
    if (grid.RowCount() < k + 1) grid.SetRowCount(k + 1);
    for (int i = 0; i < k; ++i) {
        grid.SetCell(0, i + 1, data.Criteria[static_cast<std::size_t>(i)].first);
        grid.SetCell(1, i + 1, data.Criteria[static_cast<std::size_t>(i)].second);
    }
    // Rows left over from a longer search of another type would show, print and
    // save properties the project's search does not have.
    ClearGridCells(grid, 0, k + 1, 1, grid.RowCount() - 1);
    evaluation = data.Evaluation;
}

void ReadCuttingList(const ProjectData& data, StringGrid& cutGrid) {
    auto& grid = cutGrid;
    ByteReader block(data.CutBlock);
    ReadGridText(grid, block, data.CutRows);
    if (data.CutRows >= 1) ClearGridCells(grid, 1, data.CutRows + 1, grid.ColCount() - 1, grid.RowCount() - 1);
}

ProjectData ReadProjectFile(const std::string& path) {
    if (!FileExists(path)) throw ENoDBfile(path + " file not found");
    return ParseProject(ReadWholeFile(path));
}

}  // namespace trevane
