#pragma once
// Naming of imported pictures: the pictures of both databases share one folder
// (pics/ beside the program), a file per picture number.
#include <string>

#include "materials/database.h"

namespace trevane {

// The picture size the browse page and the printed page are drawn for (pixels).
inline constexpr int kPictureWidth = 200;
inline constexpr int kPictureHeight = 150;

// A picture number that neither a file in `picsDir` nor a material of `materials`
// uses: one more than the largest of them (so a number the other database level
// uses with a missing file is not taken either), at least 1.
int FreePictureNumber(const std::string& picsDir, const TMaterialList& materials);

// The file of a picture number in `picsDir`.
std::string PicturePath(const std::string& picsDir, int number);

// The part of an image of `width` x `height` that fills the picture size when
// scaled: the largest centred rectangle of the picture's proportions.
struct CropRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const CropRect&) const = default;
};
CropRect PictureCrop(int width, int height);

}  // namespace trevane
