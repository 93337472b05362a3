// The settings file: any text gives a value or the fallback.
#include <cstdint>
#include <string_view>

#include "common/settings.h"

using namespace trevane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)ReadIniString(text, "default user directory", "dir", "none");
    (void)ReadIniString(text, "", "", "");
    return 0;
}
