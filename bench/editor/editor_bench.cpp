// The staff program's core: an edit of the shipped database (each keeps a copy
// of the whole database for undo), the unsaved-changes test, and a class order
// of thirty projects.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "editor/class_order.h"
#include "editor/database_document.h"
#include "common/file_io.h"
#include "project/project_file.h"

namespace trevane {
namespace {

std::string ProgramDir() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
}

void BM_EditShippedDatabase(benchmark::State& state) {
    DatabaseDocument doc;
    doc.Open(JoinPath(ProgramDir(), "higher.mdf"));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.SetField(0, "price", std::to_string(1000 + (++i % 500))));
    }
}
BENCHMARK(BM_EditShippedDatabase);

void BM_ModifiedTest(benchmark::State& state) {
    DatabaseDocument doc;
    doc.Open(JoinPath(ProgramDir(), "higher.mdf"));
    for (auto _ : state) benchmark::DoNotOptimize(doc.Modified());
}
BENCHMARK(BM_ModifiedTest);

void BM_ClassOrderOfThirtyProjects(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "trevane-order-bench";
    std::filesystem::create_directories(dir);
    std::vector<std::string> paths;
    StringGrid criteria(2, 2, 0, 1);
    for (int p = 0; p < 30; ++p) {
        StringGrid cut(9, 101, 1, 1);
        for (int r = 1; r <= 10; ++r) {
            cut.SetCell(1, r, "part");
            cut.SetCell(2, r, r % 2 ? "Scots pine" : "MDF");
            cut.SetCell(3, r, std::to_string(1 + r % 4));
            cut.SetCell(4, r, std::to_string(200 + 50 * (r % 5)));
            cut.SetCell(5, r, r % 2 ? "45" : "300");
            cut.SetCell(6, r, r % 2 ? "45" : "18 (mm)");
            cut.SetCell(7, r, "1.25");
        }
        cut.SetCell(7, 11, "total");
        paths.push_back((dir / ("p" + std::to_string(p) + ".prj")).string());
        WriteFileAtomically(paths.back(), SerializeProject("higher.mdf", -1, 0, criteria, "", cut));
    }
    TMaterialList materials;
    std::uint8_t level = 1;
    LoadDatabase(JoinPath(ProgramDir(), "higher.mdf"), materials, level);
    for (auto _ : state) {
        const ClassOrder order = CombineProjects(paths);
        benchmark::DoNotOptimize(OrderStock(order, materials));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ClassOrderOfThirtyProjects)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevane
