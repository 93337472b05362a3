#pragma once
// JPEG encoding of an RGB picture into memory with libjpeg.
#include <cstdint>
#include <string>
#include <vector>

namespace makepics {

// Encodes `rgb` (width * height * 3 bytes, rows top to bottom) as a baseline
// JPEG file. Throws std::runtime_error with libjpeg's message on failure.
std::string EncodeJpeg(const std::vector<std::uint8_t>& rgb, int width, int height, int quality);

}  // namespace makepics
