#pragma once
// JPEG pictures of the materials, decoded with libjpeg into an RGB image.
#include <cstddef>
#include <string>
#include <string_view>

#include "common/image.h"

namespace trevane {

// Limits on what is decoded: larger pictures are refused rather than allocated.
constexpr int kMaxJpegSide = 8192;                          // pixels, each way
constexpr std::size_t kMaxJpegFileBytes = 32u * 1024 * 1024;  // bytes of a file

// Decodes a whole JPEG file held in memory (greyscale, colour, CMYK/YCCK,
// baseline or progressive). On any failure (not a JPEG, damaged, truncated,
// too large, unsupported) returns false and leaves `out` empty.
bool DecodeJpeg(std::string_view bytes, Image& out);

// Reads and decodes a JPEG file. A missing, unreadable, oversized or
// undecodable file returns false and leaves `out` empty.
bool LoadJpegFile(const std::string& path, Image& out);

}  // namespace trevane
