// Drawing the three printed pages on the recording canvas: the cost of the
// page layouts themselves (text measuring and geometry), without any painting.
#include <benchmark/benchmark.h>

#include <string>

#include "common/image.h"
#include "printing/page_layouts.h"
#include "support/recording_canvas.h"
#include "common/string_grid.h"

namespace trevane {
namespace {

const PageSetup kPage{7016, 4960, 600, 600, 96};  // A4 landscape at 600 dpi
const Rect kLargestPreview{0, 0, 2825, 2000};
const PageFont kPrintFont{"Arial", 19, true};

void BM_PropertiesPage(benchmark::State& state) {
    std::vector<PropertyRow> props{
        {"Name", "Oak", 100}, {"Other name", "European oak", 105}, {"Origin", "Europe", 101}};
    for (int i = 0; i < 24; ++i)
        props.push_back({"Property " + std::to_string(i), "value " + std::to_string(i), i + 1});
    const std::string name = "Oak";
    const std::string memo(900, 'w');
    const Image picture{200, 150, std::vector<std::uint8_t>(200 * 150 * 3, 120)};
    for (auto _ : state) {
        RecordingCanvas c;
        benchmark::DoNotOptimize(
            DrawPropertiesPage(c, kLargestPreview, kPage, {props, name, memo, picture, true, kPrintFont}));
    }
}
BENCHMARK(BM_PropertiesPage);

void BM_SearchPage(benchmark::State& state) {
    StringGrid grid{2, 50, 0, 1};
    for (int r = 1; r < 30; ++r) {
        grid.SetCell(0, r, "Property " + std::to_string(r));
        grid.SetCell(1, r, r % 3 ? "don't care" : "high");
    }
    IndexedList found;
    for (int i = 0; i < state.range(0); ++i) found.push_back({"Material " + std::to_string(i), i});
    const std::string category = "working properties: strength, hardness, weight, durability";
    const std::string memo(2000, 'e');
    const PageFont evalFont{"Arial", 13};
    const std::string pupil = "Sam", title = "Stool";
    for (auto _ : state) {
        RecordingCanvas c;
        benchmark::DoNotOptimize(DrawSearchPage(c, kLargestPreview, kPage,
                                                {category, grid, found, memo, evalFont, pupil, title, kPrintFont}));
    }
}
BENCHMARK(BM_SearchPage)->Arg(10)->Arg(100);

// The whole cutting list as a print job (every row over as many sheets as it needs).
void BM_CuttingListJob(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    StringGrid grid{9, rows + 2, 1, 1};
    grid.ColWidths = {32, 150, 150, 32, 48, 48, 48, 48, 48};
    grid.HeadingRowHeight = 40;
    grid.DefaultRowHeight = 24;
    for (int r = 1; r <= rows; ++r) {
        grid.SetCell(0, r, std::to_string(r));
        grid.SetCell(2, r, "Pine");
        grid.SetCell(3, r, "1");
        grid.SetCell(4, r, "300");
        grid.SetCell(7, r, "1.25");
        grid.SetCell(8, r, "1.25");
    }
    const PageFont gridFont{"Arial", 13};
    const std::string pupil = "Sam", title = "Stool";
    for (auto _ : state) {
        RecordingCanvas c(true);
        benchmark::DoNotOptimize(DrawCuttingListPage(c, {0, 0, kPage.width, kPage.height}, kPage,
                                                     {grid, gridFont, pupil, title, kPrintFont}));
    }
}
BENCHMARK(BM_CuttingListJob)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevane
