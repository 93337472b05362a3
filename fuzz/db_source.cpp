// Database sources for trevane-db compile: any text compiles or raises a
// located error. A source that compiles must dump to one that compiles to the
// same database bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "materials/database.h"
#include "common/errors.h"
#include "trevane-db/source_format.h"

using namespace trevane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        CompiledSource src = CompileSource(text, "fuzz.json");
        std::string bytes = SerializeDatabase(src.materials, src.level);
        CompiledSource back = CompileSource(DumpSource(src.materials, src.level), "dump.json");
        if (SerializeDatabase(back.materials, back.level) != bytes) std::abort();
    } catch (const EQelError&) {}
    return 0;
}
