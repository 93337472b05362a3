#pragma once
// The editable JSON source of a database (described in data/FORMAT.md) and its
// translation to and from material objects.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "materials/database.h"

namespace trevane {

// How the picture of a picture number is drawn (a material's "look" object as
// JSON text). The database files do not hold it; only the sources do.
using PictureLooks = std::map<std::int32_t, std::string>;

struct CompiledSource {
    std::uint8_t level = 1;
    TMaterialList materials;
    PictureLooks looks;  // the first material naming a picture number decides its look
};

// Builds the materials a source describes. `file` names the source in messages.
// Throws SourceError ("FILE:LINE: what is wrong") for the first fault found.
CompiledSource CompileSource(std::string_view text, const std::string& file);

// A source that compiles back to exactly these materials (byte for byte once
// serialized). Flags are written out only where the property values cannot
// explain them. A material whose picture number has a look gets it written out.
std::string DumpSource(const TMaterialList& materials, std::uint8_t level, const PictureLooks& looks = {});

// The source word of a record kind ("wood", "steel", ...); empty for other kinds.
std::string KindWord(int recordKind);

}  // namespace trevane
