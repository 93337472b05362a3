#include <gtest/gtest.h>

#include "editor/pictures.h"
#include "materials/material.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

TEST(Pictures, AFreeNumberIsAfterEveryFileAndEveryMaterial) {
    TempDir dir;
    TMaterialList materials;
    EXPECT_EQ(FreePictureNumber(dir.Path(), materials), 1);
    for (const char* name : {"3.jpg", "12.jpg", "notes.txt", "40.png", "x12.jpg", "7.jpg.bak"})
        WriteTestFile(dir.File(name), "x");
    EXPECT_EQ(FreePictureNumber(dir.Path(), materials), 13);
    materials.push_back(TWood::Create());
    materials.back()->PictureNumber = 20;  // its file is missing: still taken
    EXPECT_EQ(FreePictureNumber(dir.Path(), materials), 21);
    EXPECT_EQ(FreePictureNumber(dir.File("no such folder"), materials), 21);
    EXPECT_EQ(PicturePath(dir.Path(), 21), dir.File("21.jpg"));
}

TEST(Pictures, CropKeepsThePictureProportionsCentred) {
    EXPECT_EQ(PictureCrop(200, 150), (CropRect{0, 0, 200, 150}));
    EXPECT_EQ(PictureCrop(4000, 3000), (CropRect{0, 0, 4000, 3000}));
    EXPECT_EQ(PictureCrop(1920, 1080), (CropRect{240, 0, 1440, 1080}));  // wide: sides cut
    EXPECT_EQ(PictureCrop(1080, 1920), (CropRect{0, 555, 1080, 810}));   // tall: top and bottom cut
    EXPECT_EQ(PictureCrop(1, 1), (CropRect{0, 0, 1, 1}));
    EXPECT_EQ(PictureCrop(0, 5), CropRect{});
}

}  // namespace
}  // namespace trevane
