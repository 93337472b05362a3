// makepics: draws the material pictures named in the database sources.
//
//   makepics OUTDIR SOURCE.json [SOURCE.json ...]
//
// Every material with a "picture" number gets OUTDIR/<number>.jpg, 200 x 150,
// drawn from its "look". The first material that names a number decides its
// picture. The same sources always give the same files.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "jpeg_write.h"
#include "look.h"
#include "common/file_io.h"
#include "materials/tables.h"
#include "render.h"

namespace {

constexpr int kQuality = 88;

int Fail(const std::string& message) {
    std::fprintf(stderr, "makepics: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: makepics OUTDIR SOURCE.json [SOURCE.json ...]\n", stderr);
        return 2;
    }
    const std::string outDir = argv[1];

    // Read and check every source before anything is written.
    std::vector<makepics::PictureJob> jobs;
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    for (int i = 2; i < argc; ++i) {
        try {
            makepics::CollectPictures(trevane::ReadWholeFile(argv[i], 64u * 1024u * 1024u), argv[i], jobs, errors,
                                      warnings);
        } catch (const std::exception& e) {
            return Fail(std::string(e.what()) + "; no pictures written");
        }
    }
    for (const auto& w : warnings) std::fprintf(stderr, "makepics: warning: %s\n", w.c_str());
    if (!errors.empty()) {
        for (const auto& e : errors) std::fprintf(stderr, "makepics: %s\n", e.c_str());
        return Fail("no pictures written");
    }

    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) return Fail("cannot create folder " + outDir + ": " + ec.message());

    for (const auto& job : jobs) {
        const std::string path = trevane::JoinPath(outDir, trevane::PictureFileName(job.number));
        try {
            const auto rgb = makepics::RenderPicture(job.look, job.number);
            trevane::WriteFileAtomically(
                path, makepics::EncodeJpeg(rgb, makepics::kPictureWidth, makepics::kPictureHeight, kQuality));
        } catch (const std::exception& e) {
            return Fail(path + " (" + job.materialName + "): " + e.what());
        }
    }
    std::printf("makepics: %zu picture%s written to %s\n", jobs.size(), jobs.size() == 1 ? "" : "s", outDir.c_str());
    return 0;
}
