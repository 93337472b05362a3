#pragma once
// The material list and the database file loader.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "materials/material.h"

namespace trevane {

// The ordered list that owns the loaded materials; a material's position in it
// is its identity on every page.
using TMaterialList = std::vector<std::unique_ptr<TMaterial>>;

// The database in use: its file name (no folder, resolved against the program's
// folder), its level (1 higher, 0 lower) and its materials.
struct MaterialDatabase {
    std::string DatabaseFileName = "Higher.mdf";
    std::uint8_t DatabaseLevel = 1;
    TMaterialList Materials;
};

// Parses a whole database file held in memory. `path` is used only in messages.
// Throws EBadFileFormat (path + " is not a valid *.mdf data file") for any
// damage: wrong magic, truncation, absurd counts or lengths, unknown record kinds,
// bytes left over. Nothing is returned unless the whole file is sound.
struct LoadedDatabase {
    std::uint8_t level = 1;
    TMaterialList materials;
};
LoadedDatabase ParseDatabase(std::string_view bytes, const std::string& path);

// Reads the file at `path` into `list` and `level`. Raises ENoDBfile
// (path + " file not found") when no such file exists, EBadFileFormat when it is
// damaged, EFileError when it cannot be read. On any failure `list` and `level`
// are left exactly as they were.
void LoadDatabase(const std::string& path, TMaterialList& list, std::uint8_t& level);

// The bytes of a database file holding `list` at `level` (used by the tools).
std::string SerializeDatabase(const TMaterialList& list, std::uint8_t level);

}  // namespace trevane
