// Reading material pictures and rendering help topics, on the inputs that once
// froze the window: large and lying JPEG files, and unusual help text.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "help/help_file.h"
#include "browse/jpeg.h"
#include "jpeg_write.h"

namespace {

using namespace trevane;

// A photo-like picture (smooth gradients with some texture), encoded in memory
// by the picture generator's encoder.
std::string EncodePicture(int width, int height) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    unsigned seed = 1;
    std::size_t i = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) & 15);
            rgb[i++] = static_cast<std::uint8_t>((x * 255 / width + noise) & 255);
            rgb[i++] = static_cast<std::uint8_t>((y * 255 / height + noise) & 255);
            rgb[i++] = static_cast<std::uint8_t>(((x + y) & 255) / 2 + noise);
        }
    return makepics::EncodeJpeg(rgb, width, height, 85);
}

const std::string& BigPicture() {
    static const std::string bytes = EncodePicture(6000, 4500);  // 27 megapixels
    return bytes;
}

// Arg 0: the whole picture; 1: for the 200 x 150 picture box.
void BM_DecodeLargePicture(benchmark::State& state) {
    const std::string& bytes = BigPicture();
    const bool forBox = state.range(0) == 1;
    for (auto _ : state) {
        Image img;
        const bool ok = forBox ? DecodeJpeg(bytes, img, 200, 150) : DecodeJpeg(bytes, img);
        if (!ok) state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(img.rgb.data());
    }
    state.SetLabel(forBox ? "for the box" : "whole");
}
BENCHMARK(BM_DecodeLargePicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A small file whose header claims 8192 x 8192 pixels.
void BM_RefuseLyingHeader(benchmark::State& state) {
    std::string bytes = EncodePicture(64, 48);
    const std::size_t sof = bytes.find("\xFF\xC0");
    for (std::size_t at : {sof + 5, sof + 7}) {
        bytes[at] = static_cast<char>(0x20);
        bytes[at + 1] = 0;
    }
    for (auto _ : state) {
        Image img;
        benchmark::DoNotOptimize(DecodeJpeg(bytes, img));
    }
    state.SetLabel(std::to_string(bytes.size()) + " bytes");
}
BENCHMARK(BM_RefuseLyingHeader)->Unit(benchmark::kMicrosecond);

// Help topics of n units: one line of "*a " openers that never close, "*_"
// nested n deep, and a contents page of n links.
HelpFile UnusualHelp(int n) {
    std::string stars, nested, links;
    for (int i = 0; i < n; ++i) stars += "*a ";
    for (int i = 0; i < n; ++i) nested += "*_";
    for (int i = 0; i < n; ++i) links += "- [[" + std::to_string(10 + i % 1000) + "]]\n";
    std::string text = "@topic 1\n@title Contents\n" + links + "@topic 2\n@title Stars\n" + stars +
                       "\n@topic 3\n@title Deep\n" + nested + "x" + std::string(nested.rbegin(), nested.rend()) + "\n";
    for (int i = 10; i < 1010; ++i) text += "@topic " + std::to_string(i) + "\n@title T" + std::to_string(i) + "\n";
    HelpFile help;
    help.Parse(text, "bench.hlp");
    return help;
}

void BM_RenderHelpTopic(benchmark::State& state) {
    const HelpFile help = UnusualHelp(static_cast<int>(state.range(1)));
    const HelpTopic* topic = help.Find(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(help.TopicHtml(*topic));
    state.SetComplexityN(state.range(1));
}
BENCHMARK(BM_RenderHelpTopic)
    ->ArgNames({"topic", "n"})
    ->ArgsProduct({{1, 2, 3}, {10000, 100000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
