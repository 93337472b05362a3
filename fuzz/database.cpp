// Database files: any bytes either load as a whole or raise the loader's error.
// A file that loads must write back to bytes that load to the same materials.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "materials/database.h"
#include "common/errors.h"

using namespace trevane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        LoadedDatabase db = ParseDatabase(bytes, "fuzz.mdf");
        std::string once = SerializeDatabase(db.materials, db.level);
        LoadedDatabase again = ParseDatabase(once, "again.mdf");
        if (again.level != db.level || again.materials.size() != db.materials.size() ||
            SerializeDatabase(again.materials, again.level) != once)
            std::abort();
    } catch (const EQelError&) {}
    return 0;
}
