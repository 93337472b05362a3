// Cutting layouts: how many sheets random school-sized cutting lists need
// against the area lower bound and against a maxrects packer, and how long
// laying out long lists takes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <vector>

#include "costing/cutting_layout.h"

namespace trevane {
namespace {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : s_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double Uniform(double lo, double hi) { return lo + (hi - lo) * static_cast<double>(Next() >> 11) * 0x1p-53; }
    int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }

private:
    std::uint64_t s_;
};

struct ListCase {
    double L, W;
    std::vector<PieceSize> pieces;
};

// Parts as pupils draw them: sizes in whole 5 mm, mostly small, some as long as
// the sheet; each part one to four times (the two sides of a box).
std::vector<PieceSize> RandomParts(Rng& rng, std::size_t count, double L, double W) {
    std::vector<PieceSize> pieces;
    while (pieces.size() < count) {
        const int kind = rng.Int(0, 9);
        double l = 0, w = 0;
        if (kind < 6) {
            l = rng.Uniform(0.04, 0.25) * L, w = rng.Uniform(0.05, 0.35) * W;
        } else if (kind < 9) {
            l = rng.Uniform(0.15, 0.5) * L, w = rng.Uniform(0.15, 0.6) * W;
        } else {
            l = rng.Uniform(0.3, 0.95) * L, w = rng.Uniform(0.25, 0.95) * W;
        }
        l = std::max(5.0, std::round(l / 5) * 5);
        w = std::max(5.0, std::round(w / 5) * 5);
        if (rng.Int(0, 2) == 0) std::swap(l, w);
        const int copies = std::min<int>(rng.Int(1, 4), static_cast<int>(count - pieces.size()));
        for (int c = 0; c < copies; ++c) pieces.push_back({l, w});
    }
    return pieces;
}

// 200 school-sized lists (3 to 40 pieces) and 8 class-sized lists of 300 pieces.
const std::vector<ListCase>& Lists() {
    static const std::vector<ListCase> lists = [] {
        const double sheets[][2] = {{2440, 1220}, {1220, 610}, {1000, 600}, {600, 300}, {610, 457}};
        Rng rng(20261207);
        std::vector<ListCase> out;
        for (int i = 0; i < 208; ++i) {
            const auto* s = sheets[rng.Int(0, 4)];
            const std::size_t n = i < 200 ? static_cast<std::size_t>(rng.Int(3, 40)) : 300;
            out.push_back({s[0], s[1], RandomParts(rng, n, s[0], s[1])});
        }
        return out;
    }();
    return lists;
}

std::size_t AreaBound(const ListCase& c) {
    double area = 0;
    for (const PieceSize& p : c.pieces) area += p.Length * p.Width;
    return static_cast<std::size_t>(std::ceil(area / (c.L * c.W) - 1e-9));
}

// ------------------------------------------------------------ maxrects
// Maximal free rectangles, best short side fit, pieces may turn, each piece into
// the best place over all open sheets, largest pieces first. Cuts need not be
// guillotine. Pieces and sheets are grown by the kerf as in the layout.

struct R {
    double x, y, w, h;
};

bool Contains(const R& a, const R& b) {
    return b.x >= a.x - 1e-9 && b.y >= a.y - 1e-9 && b.x + b.w <= a.x + a.w + 1e-9 && b.y + b.h <= a.y + a.h + 1e-9;
}

void PlaceInBin(std::vector<R>& free, const R& used) {
    std::vector<R> next;
    for (const R& f : free) {
        if (used.x >= f.x + f.w || used.x + used.w <= f.x || used.y >= f.y + f.h || used.y + used.h <= f.y) {
            next.push_back(f);
            continue;
        }
        if (used.x > f.x) next.push_back({f.x, f.y, used.x - f.x, f.h});
        if (used.x + used.w < f.x + f.w) next.push_back({used.x + used.w, f.y, f.x + f.w - used.x - used.w, f.h});
        if (used.y > f.y) next.push_back({f.x, f.y, f.w, used.y - f.y});
        if (used.y + used.h < f.y + f.h) next.push_back({f.x, used.y + used.h, f.w, f.y + f.h - used.y - used.h});
    }
    free.clear();
    for (std::size_t i = 0; i < next.size(); ++i) {
        bool inside = false;
        for (std::size_t j = 0; j < next.size() && !inside; ++j)
            if (i != j && Contains(next[j], next[i]) && (!Contains(next[i], next[j]) || j < i)) inside = true;
        if (!inside) free.push_back(next[i]);
    }
}

std::size_t MaxRectsSheets(const ListCase& c, double kerf) {
    std::vector<PieceSize> pieces;
    for (const PieceSize& p : c.pieces)
        if ((p.Length <= c.L && p.Width <= c.W) || (p.Width <= c.L && p.Length <= c.W))
            pieces.push_back({p.Length + kerf, p.Width + kerf});
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const PieceSize& a, const PieceSize& b) { return a.Length * a.Width > b.Length * b.Width; });
    std::vector<std::vector<R>> bins;
    for (const PieceSize& p : pieces) {
        double bestShort = std::numeric_limits<double>::infinity(), bestLong = bestShort;
        std::size_t bestBin = bins.size();
        R bestRect{};
        for (std::size_t b = 0; b <= bins.size(); ++b) {
            if (b == bins.size() && bestBin != bins.size()) break;
            const std::vector<R> fresh{{0, 0, c.L + kerf, c.W + kerf}};
            const std::vector<R>& free = b < bins.size() ? bins[b] : fresh;
            for (const R& f : free)
                for (int t = 0; t < 2; ++t) {
                    const double w = t ? p.Width : p.Length, h = t ? p.Length : p.Width;
                    if (w > f.w + 1e-9 || h > f.h + 1e-9) continue;
                    const double s = std::min(f.w - w, f.h - h), l = std::max(f.w - w, f.h - h);
                    if (s < bestShort || (s == bestShort && l < bestLong)) {
                        bestShort = s, bestLong = l, bestBin = b;
                        bestRect = {f.x, f.y, w, h};
                    }
                }
        }
        if (bestBin == bins.size()) bins.push_back({{0, 0, c.L + kerf, c.W + kerf}});
        PlaceInBin(bins[bestBin], bestRect);
    }
    return bins.size();
}

// ------------------------------------------------------------ quality

void BM_SchoolListsSheetsUsed(benchmark::State& state) {
    const auto& lists = Lists();
    std::size_t used = 0, bound = 0, maxrects = 0, worse = 0, better = 0, atBound = 0;
    std::size_t schoolUsed = 0, schoolBound = 0, schoolMaxrects = 0;
    std::vector<std::size_t> sheets(lists.size()), theirs(lists.size());
    for (std::size_t i = 0; i < lists.size(); ++i) theirs[i] = MaxRectsSheets(lists[i], kCutKerf);
    for (auto _ : state)
        for (std::size_t i = 0; i < lists.size(); ++i)
            sheets[i] = LayOutSheets(lists[i].pieces, lists[i].L, lists[i].W).Stock.size();
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const std::size_t b = AreaBound(lists[i]);
        used += sheets[i], bound += b, maxrects += theirs[i];
        if (i < 200) schoolUsed += sheets[i], schoolBound += b, schoolMaxrects += theirs[i];
        worse += sheets[i] > theirs[i];
        better += sheets[i] < theirs[i];
        atBound += sheets[i] == b;
    }
    state.counters["lists"] = static_cast<double>(lists.size());
    state.counters["sheets"] = static_cast<double>(used);
    state.counters["area_bound"] = static_cast<double>(bound);
    state.counters["maxrects"] = static_cast<double>(maxrects);
    state.counters["over_bound_%"] = 100.0 * (static_cast<double>(used) / static_cast<double>(bound) - 1);
    state.counters["school_over_bound_%"] =
        100.0 * (static_cast<double>(schoolUsed) / static_cast<double>(schoolBound) - 1);
    state.counters["school_maxrects"] = static_cast<double>(schoolMaxrects);
    state.counters["school_sheets"] = static_cast<double>(schoolUsed);
    state.counters["lists_worse_%"] = 100.0 * static_cast<double>(worse) / static_cast<double>(lists.size());
    state.counters["lists_better"] = static_cast<double>(better);
    state.counters["lists_at_bound"] = static_cast<double>(atBound);
}
BENCHMARK(BM_SchoolListsSheetsUsed)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MaxRectsSameLists(benchmark::State& state) {
    const auto& lists = Lists();
    for (auto _ : state)
        for (const ListCase& c : lists) benchmark::DoNotOptimize(MaxRectsSheets(c, kCutKerf));
}
BENCHMARK(BM_MaxRectsSameLists)->Unit(benchmark::kMillisecond)->Iterations(1);

// ------------------------------------------------------------ speed

void BM_LayOutSchoolList(benchmark::State& state) {
    const auto& lists = Lists();
    std::size_t i = 0;
    for (auto _ : state) {
        const ListCase& c = lists[i++ % 200];
        benchmark::DoNotOptimize(LayOutSheets(c.pieces, c.L, c.W));
    }
}
BENCHMARK(BM_LayOutSchoolList)->Unit(benchmark::kMicrosecond);

void BM_LayOutSheetPieces(benchmark::State& state) {
    Rng rng(7);
    const auto n = static_cast<std::size_t>(state.range(0));
    const auto pieces = RandomParts(rng, n, 2440, 1220);
    std::size_t sheets = 0;
    for (auto _ : state) sheets = LayOutSheets(pieces, 2440, 1220).Stock.size();
    state.counters["sheets"] = static_cast<double>(sheets);
    state.counters["area_bound"] = static_cast<double>(AreaBound({2440, 1220, pieces}));
}
BENCHMARK(BM_LayOutSheetPieces)->Arg(300)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LayOutCuttingList(benchmark::State& state) {
    // A class's list: three sheet materials and two timbers, 1,000 pieces in all.
    Rng rng(11);
    const std::vector<CutStock> stocks = {
        {"MDF", "6 (mm)", StockKind::Sheet, 2440, 1220},
        {"Plywood", "4 (mm)", StockKind::Sheet, 1220, 610},
        {"Acrylic", "3 (mm)", StockKind::Sheet, 1000, 600},
        {"Pine", "95 x 20 mm", StockKind::Length, 4000, 0},
        {"Mild steel", "12 x 3 [strip]", StockKind::Length, 3000, 0},
    };
    std::vector<CutPiece> pieces;
    for (int i = 0; i < 1000; ++i) {
        const auto s = static_cast<std::size_t>(rng.Int(0, 4));
        const auto one =
            RandomParts(rng, 1, stocks[s].Length, stocks[s].Kind == StockKind::Sheet ? stocks[s].Width : 100);
        pieces.push_back({i / 3 + 1, "", s, one[0].Length, one[0].Width});
    }
    for (auto _ : state) benchmark::DoNotOptimize(LayOutCuttingList(stocks, pieces));
}
BENCHMARK(BM_LayOutCuttingList)->Unit(benchmark::kMillisecond);

void BM_LayOutLengths(benchmark::State& state) {
    Rng rng(3);
    std::vector<double> pieces(static_cast<std::size_t>(state.range(0)));
    double total = 0;
    for (double& p : pieces) total += (p = std::round(rng.Uniform(50, 1800)));
    std::size_t lengths = 0;
    for (auto _ : state) lengths = LayOutLengths(pieces, 4000).Stock.size();
    state.counters["lengths"] = static_cast<double>(lengths);
    state.counters["length_bound"] = std::ceil(total / 4000);
}
BENCHMARK(BM_LayOutLengths)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// School-sized lists of timber parts (3 to 40 pieces of 150 to 1,200 mm on
// 4 m lengths): lengths used against the bound set by the total length.
void BM_SchoolListsLengthsUsed(benchmark::State& state) {
    Rng rng(42);
    std::vector<std::vector<double>> lists(200);
    std::size_t bound = 0, used = 0;
    for (auto& list : lists) {
        double total = 0;
        for (int i = rng.Int(3, 40); i > 0; --i) total += list.emplace_back(std::round(rng.Uniform(150, 1200) / 5) * 5);
        bound += static_cast<std::size_t>(std::ceil(total / 4000));
    }
    for (auto _ : state) {
        used = 0;
        for (const auto& list : lists) used += LayOutLengths(list, 4000).Stock.size();
    }
    state.counters["lengths"] = static_cast<double>(used);
    state.counters["length_bound"] = static_cast<double>(bound);
}
BENCHMARK(BM_SchoolListsLengthsUsed)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace trevane
