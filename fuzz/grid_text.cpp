// The grid text block of project files, read into a cutting-list sized grid. The
// first input byte picks the row count handed to the reader.
#include <cstdint>
#include <string_view>

#include "common/binary_io.h"
#include "common/errors.h"
#include "common/grid_util.h"
#include "common/string_grid.h"

using namespace trevane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    int rows = static_cast<std::int8_t>(data[0]);
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    StringGrid grid{9, 101, 1, 1};
    try {
        ByteReader in(bytes);
        ReadGridText(grid, in, rows);
        (void)GridText(grid, LastUsedRow(grid));
    } catch (const EQelError&) {}
    return 0;
}
