#include "editor/pictures.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "common/file_io.h"
#include "materials/tables.h"

namespace trevane {

int FreePictureNumber(const std::string& picsDir, const TMaterialList& materials) {
    long long largest = 0;
    for (const auto& m : materials) largest = std::max<long long>(largest, m->PictureNumber);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(picsDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 5 || name.compare(name.size() - 4, 4, ".jpg") != 0) continue;
        long long n = 0;
        const auto [p, err] = std::from_chars(name.data(), name.data() + name.size() - 4, n);
        if (err == std::errc() && p == name.data() + name.size() - 4) largest = std::max(largest, n);
    }
    return static_cast<int>(std::min<long long>(largest + 1, INT32_MAX));
}

std::string PicturePath(const std::string& picsDir, int number) { return JoinPath(picsDir, PictureFileName(number)); }

CropRect PictureCrop(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    CropRect r;
    // Compare width/height with 200/150 in whole numbers.
    if (static_cast<long long>(width) * kPictureHeight > static_cast<long long>(height) * kPictureWidth) {
        r.height = height;
        r.width = static_cast<int>(static_cast<long long>(height) * kPictureWidth / kPictureHeight);
    } else {
        r.width = width;
        r.height = static_cast<int>(static_cast<long long>(width) * kPictureHeight / kPictureWidth);
    }
    r.width = std::max(1, r.width);
    r.height = std::max(1, r.height);
    r.x = (width - r.width) / 2;
    r.y = (height - r.height) / 2;
    return r;
}

}  // namespace trevane
