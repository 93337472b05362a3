// Loading and searching synthetic materials databases.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <random>

#include "materials/database.h"
#include "common/file_io.h"
#include "materials/matching.h"
#include "materials/tables.h"

namespace {

using namespace trevane;

// A database of n materials cycling through every record kind, with texts of
// typical length and random property values (and so random flags).
TMaterialList MakeMaterials(int n) {
    static constexpr int kKinds[] = {0, 10, 1, 2, 5, 6, 7, 8};
    std::mt19937 rng(12345);
    TMaterialList list;
    list.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        auto m = CreateForRecordKind(kKinds[i % 8]);
        m->Name = "Material " + std::to_string(i);
        m->PictureNumber = i;
        m->Description = "A synthetic material used to measure loading and searching; about a line of text.";
        for (int p = 0; p < m->PropertyCount(); ++p) {
            const auto words = ScaleWords(m->PropertyScale(p));
            m->SetPropertyValueText(p, words[rng() % words.size()]);
        }
        list.push_back(std::move(m));
    }
    return list;
}

const std::string& DatabaseBytes(int n) {
    static std::map<int, std::string> cache;
    auto it = cache.find(n);
    if (it == cache.end()) it = cache.emplace(n, SerializeDatabase(MakeMaterials(n), 1)).first;
    return it->second;
}

void BM_ParseFromMemory(benchmark::State& state) {
    const std::string& bytes = DatabaseBytes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LoadedDatabase db = ParseDatabase(bytes, "bench.mdf");
        benchmark::DoNotOptimize(db.materials.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseFromMemory)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_LoadFromFile(benchmark::State& state) {
    const std::string& bytes = DatabaseBytes(static_cast<int>(state.range(0)));
    const std::string path = (std::filesystem::temp_directory_path() / "trevane_bench.mdf").string();
    WriteFileAtomically(path, bytes);
    TMaterialList list;
    std::uint8_t level = 0;
    for (auto _ : state) {
        LoadDatabase(path, list, level);
        benchmark::DoNotOptimize(list.data());
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadFromFile)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)  // 10^6 synthetic materials make 690 MB, over the loader's 512 MB file limit
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// One search as the search page runs it: template, criteria, walk of the list.
void RunSearch(benchmark::State& state, const TMaterialList& list) {
    // Metals that are hard and conduct; woods, boards, plastics are skipped by category.
    const std::vector<std::string> criteria = {"hard", "", "", "", "", "", "yes"};
    for (auto _ : state) {
        const FlagSet flags = SearchFlags(9, 1, 0, criteria);
        auto found = MatchingPositions(list, flags, 9);
        benchmark::DoNotOptimize(found.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

void BM_SearchLoaded(benchmark::State& state) {
    const LoadedDatabase db = ParseDatabase(DatabaseBytes(static_cast<int>(state.range(0))), "bench.mdf");
    RunSearch(state, db.materials);
}
BENCHMARK(BM_SearchLoaded)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond)->Complexity();

}  // namespace
