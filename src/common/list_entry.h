#pragma once
// An entry of a list that stands for a material (or a property row): the text it
// shows and the 32-bit number it carries (a material's position in the material
// list, or a row code). Lists are plain vectors of these; emptying a list is
// clearing the vector.
#include <cstdint>
#include <string>
#include <vector>

namespace trevane {

struct ListEntry {
    std::string text;
    std::int32_t index = 0;  // the TIndex value
    bool operator==(const ListEntry&) const = default;
};

using IndexedList = std::vector<ListEntry>;

inline void ClearIndexedList(IndexedList& list) { list.clear(); }

}  // namespace trevane
