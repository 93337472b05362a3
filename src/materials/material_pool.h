#pragma once
// Storage for material objects. A database of many materials is searched by
// walking its list and reading each material's category and flags; when the
// objects lie side by side (rather than among their names, descriptions,
// property lists and stock) that walk reads memory in order. Material objects
// are therefore taken from blocks of their own.
#include <cstddef>

namespace trevane::material_pool {

void* Allocate(std::size_t size);
void Release(void* p, std::size_t size) noexcept;

}  // namespace trevane::material_pool
