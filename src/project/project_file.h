#pragma once
// The project file (*.prj): the database in use, the search that was set up (type,
// working processes, criteria rows, evaluation) and the cutting list.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/string_grid.h"

namespace trevane {

class Session;

// Message of every damaged or foreign project file.
inline constexpr const char* kNotAProjectFile = "This is not a valid *.prj project file";

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
// the last field, a database name that is not a bare file name) throws
// EBadFileFormat(kNotAProjectFile).
ProjectData ParseProject(std::string_view bytes);

// The bytes of a project file for the given state.
std::string SerializeProject(const std::string& databaseFileName, std::int32_t searchType,
                             std::int32_t workingMask, const StringGrid& criteriaGrid,
                             const std::string& evaluation, const StringGrid& cutGrid);

// Writes the session's project to `path` through a temporary file that replaces
// the old one only when it is complete. Throws EFileError with the system's reason.
void WriteProject(Session& session, const std::string& path);

// Reads `path` into the session: all or nothing. A missing file throws
// ENoDBfile(path + " file not found"); a damaged one EBadFileFormat; a database
// that cannot be loaded, the loader's error. In each case nothing has changed.
// A project made with another database switches to it first (search state kept).
void ReadProject(Session& session, const std::string& path);

// Puts parsed project data into the pages (the steps after the database switch).
void ReadSearchState(Session& session, const ProjectData& data);
void ReadCuttingList(Session& session, const ProjectData& data);

}  // namespace trevane
