// Material pictures: any bytes decode to a consistent image or to nothing.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/image.h"
#include "browse/jpeg.h"

using namespace trevane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Image img;
    bool ok = DecodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size), img);
    if (ok && img.rgb.size() != static_cast<std::size_t>(img.width) * img.height * 3) std::abort();
    if (!ok && !img.Empty()) std::abort();
    return 0;
}
