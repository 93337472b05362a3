#pragma once
// The project file (*.prj): the database in use, the search that was set up (type,
// working processes, criteria rows, evaluation) and the cutting list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/app_state.h"
#include "common/string_grid.h"

namespace trevane {

// Message of every damaged or foreign project file.
inline constexpr const char* kNotAProjectFile = "This is not a valid *.prj project file";

// The longest cutting-list cell a project may hold: the most the cell editor
// lets a pupil type.
inline constexpr std::size_t kMaxCutCellBytes = 32767;

// A project file taken apart, before anything of it reaches the pages.
struct ProjectData {
    std::string DatabaseFileName;  // bare file name, UTF-8
    std::int32_t SearchType = -1;
    std::int32_t WorkingMask = 0;
    std::vector<std::pair<std::string, std::string>> Criteria;  // rows 1..k: name, value
    std::string Evaluation;                                     // lines separated by CR LF
    std::int32_t CutRows = 0;                                   // m
    std::string CutBlock;  // the grid text block as stored (count + Windows-1252 bytes)
};

// Checks and takes apart the bytes of a whole project file. Any fault (wrong tag,
// a count or length beyond the bytes that remain, a negative count, bytes after
// the last field, a database name that is not a bare file name or holds a
// control character, a cutting-list count other than the number of stored lines,
// a cell longer than kMaxCutCellBytes) throws EBadFileFormat(kNotAProjectFile).
ProjectData ParseProject(std::string_view bytes);

// The bytes of a project file for the given state. With no search (type -1) the
// criteria count is 0 and the evaluation empty, whatever the page holds.
std::string SerializeProject(const std::string& databaseFileName, std::int32_t searchType, std::int32_t workingMask,
                             const StringGrid& criteriaGrid, const std::string& evaluation, const StringGrid& cutGrid);

// Writes project bytes to `path` through a temporary file that replaces the old
// one only when it is complete. Throws EFileError with the system's reason.
void WriteProjectFile(const std::string& path, const std::string& bytes);

// Reads and checks the project file at `path`. A missing file throws
// ENoDBfile(path + " file not found"); a damaged one EBadFileFormat.
ProjectData ReadProjectFile(const std::string& path);

// Puts parsed project data into the search state, the criteria grid and the
// evaluation (the steps after a database switch).
void ReadSearchState(const ProjectData& data, SearchState& search, StringGrid& criteriaGrid, std::string& evaluation);
// Puts the parsed cutting list into the grid (part numbers are the caller's).
void ReadCuttingList(const ProjectData& data, StringGrid& cutGrid);

}  // namespace trevane
