#include "browse/jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

namespace trevane {
namespace {

// libjpeg's working memory for one picture is capped here; the largest picture
// allowed (8192 × 8192, progressive, full colour resolution) fits.
constexpr long kMaxDecoderMemory = 448L * 1024 * 1024;
// A progressive file needs only a handful of scans; thousands of tiny scans
// are a way to keep the decoder busy for minutes.
constexpr int kMaxScans = 1000;

// libjpeg reports errors through this manager. The default one prints and
// calls exit(); ours jumps back to the decoding function instead.
struct ErrorManager {
    jpeg_error_mgr pub;  // first, so that cinfo->err can be cast back
    std::jmp_buf jump;
    bool truncated;
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace messages
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    ++err->pub.num_warnings;
    // Scan data that ends (or meets a marker) before the decoder has all the
    // bits it needs is filled with grey by libjpeg; treat it as damaged. Running
    // out of file while only reading ahead (a file without its end marker) is
    // reported as JWRN_JPEG_EOF alone and does no harm.
    if (err->pub.msg_code == JWRN_HIT_MARKER) err->truncated = true;
}

void OutputMessage(j_common_ptr) {}

void ProgressMonitor(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) ErrorExit(cinfo);
}

inline std::uint8_t MulDiv255(unsigned a, unsigned b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }

// The largest scale denominator (1, 2, 4 or 8) whose picture is still at least
// as large as the picture scaled to fit the box.
unsigned ScaleDenominator(unsigned width, unsigned height, int fitWidth, int fitHeight) {
    if (fitWidth <= 0 || fitHeight <= 0) return 1;
    unsigned denom = 1;
    // width / (2 * denom) >= shown width, i.e. 2 * denom * shown <= width, for both sides.
    int shownW = 0, shownH = 0;
    FitPictureSize(static_cast<int>(width), static_cast<int>(height), fitWidth, fitHeight, shownW, shownH);
    while (denom < 8 && 2ull * denom * static_cast<unsigned>(shownW) <= width &&
           2ull * denom * static_cast<unsigned>(shownH) <= height)
        denom *= 2;
    return denom;
}

// Decodes into `out`. A libjpeg error jumps back to the setjmp here, so this
// function holds no objects with destructors: everything it builds lives in
// the caller's objects or in libjpeg's own pools.
bool DecodeWith(jpeg_decompress_struct& cinfo, ErrorManager& err, jpeg_progress_mgr& progress,
                const unsigned char* data, unsigned long size, Image& out, int fitWidth, int fitHeight) {
    if (setjmp(err.jump)) return false;

    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    progress.progress_monitor = ProgressMonitor;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, size);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxJpegSide ||
        cinfo.image_height > kMaxJpegSide)
        return false;
    // A short file that claims a huge picture would cost time and memory before
    // its damage shows.
    if (static_cast<std::uint64_t>(cinfo.image_width) * cinfo.image_height > size * kMaxJpegPixelsPerByte) return false;
    cinfo.scale_num = 1;
    cinfo.scale_denom = ScaleDenominator(cinfo.image_width, cinfo.image_height, fitWidth, fitHeight);

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGB;
    jpeg_start_decompress(&cinfo);

    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    if (width <= 0 || height <= 0 || width > static_cast<int>(cinfo.image_width) ||
        height > static_cast<int>(cinfo.image_height) || cinfo.output_components != (cmyk ? 4 : 3))
        return false;

    out.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    // CMYK rows pass through a row of libjpeg's pool (freed with the decoder).
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                           static_cast<JDIMENSION>(width) * 4, 1)
                              : nullptr;
    // Adobe's applications store CMYK inverted (0 = full ink) and mark the file
    // with their APP14 marker; files without it hold plain CMYK.
    const bool inverted = cinfo.saw_Adobe_marker;

    while (cinfo.output_scanline < cinfo.output_height) {
        std::uint8_t* dest = out.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * width * 3;
        if (!cmyk) {
            JSAMPROW row = dest;
            jpeg_read_scanlines(&cinfo, &row, 1);
            continue;
        }
        jpeg_read_scanlines(&cinfo, cmykRow, 1);
        const JSAMPLE* src = cmykRow[0];
        for (int x = 0; x < width; ++x, src += 4, dest += 3) {
            unsigned c = src[0], m = src[1], y = src[2], k = src[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            dest[0] = MulDiv255(c, k);
            dest[1] = MulDiv255(m, k);
            dest[2] = MulDiv255(y, k);
        }
    }
    jpeg_finish_decompress(&cinfo);
    if (err.truncated) return false;
    out.width = width;
    out.height = height;
    return true;
}

}  // namespace

void FitPictureSize(int width, int height, int fitWidth, int fitHeight, int& outWidth, int& outHeight) {
    outWidth = width;
    outHeight = height;
    if (width <= 0 || height <= 0 || fitWidth <= 0 || fitHeight <= 0) return;
    if (width <= fitWidth && height <= fitHeight) return;
    // The side that is the larger share of its box decides the scale.
    if (static_cast<long long>(width) * fitHeight >= static_cast<long long>(height) * fitWidth) {
        outWidth = fitWidth;
        outHeight = std::max(1, static_cast<int>(static_cast<long long>(height) * fitWidth / width));
    } else {
        outHeight = fitHeight;
        outWidth = std::max(1, static_cast<int>(static_cast<long long>(width) * fitHeight / height));
    }
}

bool DecodeJpeg(std::string_view bytes, Image& out, int fitWidth, int fitHeight) {
    out = Image{};
    if (bytes.empty() || bytes.size() > kMaxJpegFileBytes) return false;

    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.emit_message = EmitMessage;
    err.pub.output_message = OutputMessage;

    Image decoded;
    bool ok = false;
    try {
        ok = DecodeWith(cinfo, err, progress, reinterpret_cast<const unsigned char*>(bytes.data()),
                        static_cast<unsigned long>(bytes.size()), decoded, fitWidth, fitHeight);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    jpeg_destroy_decompress(&cinfo);  // frees every pool, on every path
    if (ok) out = std::move(decoded);
    return ok;
}

bool LoadJpegFile(const std::string& path, Image& out, int fitWidth, int fitHeight) {
    out = Image{};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > kMaxJpegFileBytes) return false;

    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));  // the file may have shrunk meanwhile
    return DecodeJpeg(bytes, out, fitWidth, fitHeight);
}

}  // namespace trevane
