#pragma once
// A decoded picture: 8-bit RGB, rows top to bottom, no padding.
#include <cstdint>
#include <vector>

namespace trevane {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes
    bool Empty() const { return width <= 0 || height <= 0; }
};

}  // namespace trevane
