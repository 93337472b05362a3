#pragma once
// JPEG pictures of the materials, decoded with libjpeg into an RGB image.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/image.h"

namespace trevane {

// Limits on what is decoded: larger pictures are refused rather than allocated.
constexpr int kMaxJpegSide = 8192;                            // pixels, each way
constexpr std::size_t kMaxJpegFileBytes = 32u * 1024 * 1024;  // bytes of a file

// A file holds at least a bit for every 8 x 8 block of its picture; one that
// claims more than this many pixels per byte of file is refused unread.
constexpr std::uint64_t kMaxJpegPixelsPerByte = 4096;

// Decodes a whole JPEG file held in memory (greyscale, colour, CMYK/YCCK,
// baseline or progressive). On any failure (not a JPEG, damaged, truncated,
// too large, unsupported) returns false and leaves `out` empty.
// With a box (fitWidth, fitHeight) given, a picture larger than the box is
// decoded at a half, quarter or eighth of its size, the smallest of these that
// still covers the picture scaled down to fit the box whole.
bool DecodeJpeg(std::string_view bytes, Image& out, int fitWidth = 0, int fitHeight = 0);

// Reads and decodes a JPEG file. A missing, unreadable, oversized or
// undecodable file returns false and leaves `out` empty.
bool LoadJpegFile(const std::string& path, Image& out, int fitWidth = 0, int fitHeight = 0);

// The size of a picture of width x height scaled down, proportions kept, to
// fit whole into fitWidth x fitHeight; pictures that fit keep their size.
void FitPictureSize(int width, int height, int fitWidth, int fitHeight, int& outWidth, int& outHeight);

}  // namespace trevane
