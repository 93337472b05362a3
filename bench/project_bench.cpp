// Project files with a 10,000-row cutting list: building the bytes, checking and
// taking them apart, putting the list into a grid, and the atomic write to disk.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "common/binary_io.h"
#include "common/file_io.h"
#include "common/grid_util.h"
#include "project/project_file.h"

namespace trevane {
namespace {

constexpr int kRows = 10000;

StringGrid LongCuttingList() {
    StringGrid grid(9, kRows + 2, 1, 1);
    for (int r = 1; r <= kRows; ++r) {
        grid.SetCell(1, r, "leg " + std::to_string(r));
        grid.SetCell(2, r, "Oak");
        grid.SetCell(3, r, "4");
        grid.SetCell(4, r, "450 mm");
        grid.SetCell(5, r, "45 mm");
        grid.SetCell(6, r, "45 mm");
        grid.SetCell(7, r, "\xC2\xA3 1.25");
        grid.SetCell(8, r, "\xC2\xA3 5.00");
    }
    return grid;
}

StringGrid Criteria() {
    StringGrid grid(2, 50, 0, 1);
    for (int r = 1; r <= 20; ++r) {
        grid.SetCell(0, r, "Property " + std::to_string(r));
        grid.SetCell(1, r, "don't care");
    }
    return grid;
}

const std::string kEvaluation(4000, 'e');

void BM_SerializeProject(benchmark::State& state) {
    const StringGrid cut = LongCuttingList();
    const StringGrid criteria = Criteria();
    for (auto _ : state) benchmark::DoNotOptimize(SerializeProject("higher.mdf", 0, 0, criteria, kEvaluation, cut));
}
BENCHMARK(BM_SerializeProject)->Unit(benchmark::kMillisecond);

void BM_ParseAndFillGrid(benchmark::State& state) {
    const std::string bytes = SerializeProject("higher.mdf", 0, 0, Criteria(), kEvaluation, LongCuttingList());
    for (auto _ : state) {
        const ProjectData data = ParseProject(bytes);
        StringGrid grid(9, 101, 1, 1);
        ByteReader block(data.CutBlock);
        ReadGridText(grid, block, data.CutRows);
        benchmark::DoNotOptimize(grid.RowCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseAndFillGrid)->Unit(benchmark::kMillisecond);

void BM_WriteAndReadFile(benchmark::State& state) {
    const std::string bytes = SerializeProject("higher.mdf", 0, 0, Criteria(), kEvaluation, LongCuttingList());
    const std::string path = "/tmp/trevane_project_bench.prj";
    for (auto _ : state) {
        WriteFileAtomically(path, bytes);
        benchmark::DoNotOptimize(ParseProject(ReadWholeFile(path)));
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteAndReadFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevane
