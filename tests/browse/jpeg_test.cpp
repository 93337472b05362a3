// Decoding pictures made by other programs (checked in, or made by cjpeg), and refusing
// damaged or oversized ones without crashing.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "browse/jpeg.h"
#include "common/file_io.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

// A test picture: four coloured quadrants (red, green, blue, white) so that
// channel order, orientation and colour conversion all show.
using Rgb = std::array<int, 3>;
Rgb Quadrant(int x, int y, int w, int h) {
    static const Rgb colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    return colours[(x >= w / 2) + 2 * (y >= h / 2)];
}

std::string WritePpm(const TempDir& dir, int w, int h) {
    std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c : Quadrant(x, y, w, h)) ppm += static_cast<char>(c);
    const std::string path = dir.File("in.ppm");
    WriteTestFile(path, ppm);
    return path;
}

// Runs a shell command that writes `out`; returns the file's bytes.
std::string Make(const std::string& command, const std::string& out) {
    EXPECT_EQ(std::system((command + " 2>/dev/null").c_str()), 0) << command;
    return ReadWholeFile(out);
}

// The pixel at the centre of each quadrant (away from compression fringes).
void ExpectQuadrants(const Image& img, bool grey) {
    const int w = img.width, h = img.height;
    for (int qy = 0; qy < 2; ++qy)
        for (int qx = 0; qx < 2; ++qx) {
            const int x = w / 4 + qx * w / 2, y = h / 4 + qy * h / 2;
            Rgb want = Quadrant(x, y, w, h);
            if (grey) want.fill((299 * want[0] + 587 * want[1] + 114 * want[2] + 500) / 1000);
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(img.rgb[(static_cast<std::size_t>(y) * w + x) * 3 + k], want[k], 12)
                    << "quadrant " << qx << "," << qy;
        }
}

TEST(JpegCheckedInTest, DecodesColourGreyProgressiveAndAdobeCmyk) {
    const std::string dir = std::string(TREVANE_TEST_DATA_DIR) + "/jpeg/";
    struct Case {
        const char* file;
        bool grey;
    } cases[] = {{"quadrants.jpg", false}, {"quadrants-grey-progressive.jpg", true}, {"quadrants-cmyk.jpg", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Image img;
        ASSERT_TRUE(LoadJpegFile(dir + c.file, img));
        ASSERT_TRUE(img.width == 16 && img.height == 12 && img.rgb.size() == 16u * 12u * 3u);
        ExpectQuadrants(img, c.grey);
    }
}

class JpegFromToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v cjpeg >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "cjpeg is not installed (scripts/install-deps.sh installs it)";
        ppm_ = WritePpm(dir_, 64, 48);
    }
    TempDir dir_;
    std::string ppm_;
};

TEST_F(JpegFromToolsTest, DecodesSubsampledProgressiveArithmeticAndRgbFiles) {
    // 1x1 and (the default) 2x2 chroma subsampling; the last stored as RGB, not YCbCr.
    for (const char* options : {"-sample 1x1", "", "-progressive", "-arithmetic", "-rgb"}) {
        SCOPED_TRACE(options);
        const std::string out = dir_.File("out.jpg");
        const std::string bytes =
            Make(std::string("cjpeg -quality 95 ") + options + " -outfile " + out + " " + ppm_, out);
        Image img;
        ASSERT_TRUE(DecodeJpeg(bytes, img));
        ASSERT_TRUE(img.width == 64 && img.height == 48 && img.rgb.size() == 64u * 48u * 3u);
        ExpectQuadrants(img, false);
    }
}

// A picture larger than its box is decoded at the smallest of a half, a quarter
// or an eighth of its size that still covers it scaled to fit the box.
TEST_F(JpegFromToolsTest, LargePicturesAreDecodedNearTheSizeShown) {
    const std::string ppm = WritePpm(dir_, 1600, 1200);
    const std::string out = dir_.File("big.jpg");
    const std::string bytes = Make("cjpeg -quality 90 -outfile " + out + " " + ppm, out);
    struct Case {
        int fitW, fitH, w, h;
    } cases[] = {
        {400, 150, 200, 150},  // an eighth; the height decides
        {500, 500, 800, 600}   // shown 500 x 375: a half covers it, a quarter does not
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.fitW) + " x " + std::to_string(c.fitH));
        Image img;
        ASSERT_TRUE(DecodeJpeg(bytes, img, c.fitW, c.fitH));
        EXPECT_EQ(img.width, c.w);
        EXPECT_EQ(img.height, c.h);
        ASSERT_EQ(img.rgb.size(), static_cast<std::size_t>(c.w) * c.h * 3);
        ExpectQuadrants(img, false);
    }
}

TEST_F(JpegFromToolsTest, SizeLimitIsInclusive) {
    // One row of the largest width allowed decodes; one pixel wider is refused.
    for (int width : {kMaxJpegSide, kMaxJpegSide + 1}) {
        const std::string ppm = WritePpm(dir_, width, 2);
        const std::string out = dir_.File("wide.jpg");
        const std::string bytes = Make("cjpeg -outfile " + out + " " + ppm, out);
        Image img;
        EXPECT_EQ(DecodeJpeg(bytes, img), width <= kMaxJpegSide) << width;
        EXPECT_EQ(img.width, width <= kMaxJpegSide ? width : 0);
    }
}

TEST_F(JpegFromToolsTest, DamagedFilesAreRefusedAndLeaveNoPicture) {
    const std::string out = dir_.File("good.jpg");
    const std::string small = Make("cjpeg -quality 90 -outfile " + out + " " + ppm_, out);
    // A noisy picture, so that most of each file is scan data.
    std::string ppm = "P6\n128 96\n255\n";
    unsigned seed = 12345;
    for (int i = 0; i < 128 * 96 * 3; ++i) {
        seed = seed * 1103515245u + 12345u;
        ppm += static_cast<char>(seed >> 24);
    }
    WriteTestFile(ppm_, ppm);
    const std::string good = Make("cjpeg -quality 90 -outfile " + out + " " + ppm_, out);
    const std::string progressive = Make("cjpeg -progressive -outfile " + out + " " + ppm_, out);
    ASSERT_GT(good.size(), 10000u);
    ASSERT_LT(small.size() * kMaxJpegPixelsPerByte, 8192ull * 8192ull);

    // The SOF0 frame header: FF C0, length (2), precision (1), height (2), width (2).
    const std::size_t sof = good.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    auto withSize = [](std::string b, int w, int h) {
        const std::size_t at = b.find("\xFF\xC0") + 5;
        b[at] = static_cast<char>(h >> 8);
        b[at + 1] = static_cast<char>(h & 0xFF);
        b[at + 2] = static_cast<char>(w >> 8);
        b[at + 3] = static_cast<char>(w & 0xFF);
        return b;
    };

    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"garbage", std::string(4000, '\x5A')},
        {"only the start marker", std::string("\xFF\xD8", 2)},
        {"cut after the header", good.substr(0, sof + 40)},
        {"cut in the middle", good.substr(0, good.size() / 2)},
        {"progressive cut in the middle", progressive.substr(0, progressive.size() / 2)},
        {"progressive cut in the last scan", progressive.substr(0, progressive.size() - 100)},
        {"absurd width and height", withSize(good, 65535, 65535)},
        {"absurd height only", withSize(good, 128, 60000)},
        {"zero height", withSize(good, 128, 0)},
        // Refused from the header alone: far more pixels than the bytes can describe.
        {"huge picture in a small file", withSize(small, 8192, 8192)},
        {"png signature", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Image img{3, 1, std::vector<std::uint8_t>(9, 1)};  // stale content must not survive a failure
        EXPECT_FALSE(DecodeJpeg(c.bytes, img));
        EXPECT_TRUE(img.Empty() && img.rgb.empty());
    }
    // The good file still decodes after all that (no state left behind), and
    // so does one that lacks only its end marker.
    Image img;
    EXPECT_TRUE(DecodeJpeg(good, img) && DecodeJpeg(good.substr(0, good.size() - 2), img) &&
                DecodeJpeg(progressive.substr(0, progressive.size() - 2), img));
}

TEST(JpegFileTest, MissingDirectoryAndOversizedFilesAreRefusedUnread) {
    TempDir dir;
    Image img;
    EXPECT_FALSE(LoadJpegFile(dir.File("missing.jpg"), img) || LoadJpegFile(dir.Path(), img) || LoadJpegFile("", img));

    // A sparse file over the size limit is refused from its size alone.
    const std::string big = dir.File("big.jpg");
    WriteTestFile(big, "\xFF\xD8");
    std::filesystem::resize_file(big, kMaxJpegFileBytes + 1);
    EXPECT_FALSE(LoadJpegFile(big, img));
    EXPECT_TRUE(img.Empty());
}

}  // namespace
}  // namespace trevane
