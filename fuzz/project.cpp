// Project files: ParseProject accepts a sound file or throws; the cutting-list
// block it returns must then read into a grid without fault.
#include <cstdint>
#include <string_view>

#include "common/binary_io.h"
#include "common/errors.h"
#include "common/grid_util.h"
#include "project/project_file.h"
#include "common/string_grid.h"

using namespace trevane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        ProjectData p = ParseProject(bytes);
        StringGrid grid{9, 101, 1, 1};
        ByteReader in(p.CutBlock);
        ReadGridText(grid, in, p.CutRows);
    } catch (const EQelError&) {}
    return 0;
}
