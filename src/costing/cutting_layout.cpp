#include "costing/cutting_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <set>
#include <utility>

namespace trevane {

namespace {

constexpr double kEps = 1e-6;
constexpr double kInf = std::numeric_limits<double>::infinity();

// Work limits, in pieces placed: they keep a long list from taking long while a
// school-sized list gets every rule and a thorough search.
constexpr std::size_t kRuleBudget = 20000;
constexpr std::size_t kSearchBudget = 20000;
constexpr std::size_t kMaxSearchSteps = 1500;
constexpr std::uint64_t kSearchSeed = 0x7265766e61ULL;

bool Positive(double v) { return std::isfinite(v) && v > 0; }

// The fewest sheets or lengths `stock` worth of material can come from: rounded
// up, and never more than one for each of the n pieces.
std::size_t CountBound(double stock, std::size_t n) {
    const double b = std::ceil(stock - 1e-9);
    return b >= 0 && b <= static_cast<double>(n) ? static_cast<std::size_t>(b) : n;
}

// A small generator of its own, so that the search is the same everywhere.
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : s_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return n ? static_cast<std::size_t>(Next() % n) : 0; }

private:
    std::uint64_t s_;
};

// ------------------------------------------------------------ sheets
//
// Inside the packer every piece is grown by one kerf along its length and its
// width, and so is the sheet: grown pieces that do not overlap leave a kerf
// between the real ones, and a real piece may still reach the sheet's far edges.
// A free rectangle (grown) holds real material one kerf shorter each way.

struct Free {
    double x, y, w, h;  // w along the sheet's length, h across it
};

struct Item {
    double a, b;  // grown length and width
    double l, w;  // the piece's own
};

struct Spot {
    std::uint32_t sheet = 0;
    double x = 0, y = 0;
    bool turned = false;
};

struct Sheet {
    std::vector<Free> free;
    double maxShort = 0, maxLong = 0;  // the longest sides among the free rectangles
    double used = 0;                   // area of the real pieces

    void Measure() {
        maxShort = maxLong = 0;
        for (const Free& f : free) {
            maxShort = std::max(maxShort, std::min(f.w, f.h));
            maxLong = std::max(maxLong, std::max(f.w, f.h));
        }
    }
    // False when no free rectangle can hold a piece with these sides.
    bool MayHold(double shortSide, double longSide) const {
        return shortSide <= maxShort + kEps && longSide <= maxLong + kEps;
    }
};

enum class OrderRule : std::uint8_t { Area, LongSide, ShortSide, Perimeter, Elongated };
enum class FitRule : std::uint8_t { ShortSide, LongSide, Area };
enum class SplitRule : std::uint8_t { ShorterLeftover, LongerLeftover, MinArea, MaxArea, ShorterAxis, LongerAxis };

struct Rules {
    OrderRule order;
    FitRule fit;
    SplitRule split;
    bool bestSheet;  // the best free rectangle of all sheets, or the first sheet that holds the piece
};

// Every combination, spread so that taking every k-th keeps them varied.
const std::vector<Rules>& AllRules() {
    static const std::vector<Rules> rules = [] {
        std::vector<Rules> r;
        for (int sheet = 0; sheet < 2; ++sheet)
            for (int fit = 0; fit < 3; ++fit)
                for (int split = 0; split < 6; ++split)
                    for (int order = 0; order < 5; ++order)
                        r.push_back({static_cast<OrderRule>(order), static_cast<FitRule>(fit),
                                     static_cast<SplitRule>(split), sheet == 0});
        return r;
    }();
    return rules;
}

struct Choice {
    std::size_t rect = 0;
    bool turned = false;
    double s1 = kInf, s2 = kInf;  // lower is better
};

bool Before(double a1, double a2, double b1, double b2) {
    return a1 < b1 - kEps || (a1 <= b1 + kEps && a2 < b2 - kEps);
}

// The best free rectangle of the sheet for the item; true when it beats `best`.
bool BestIn(const Sheet& sheet, const Item& item, FitRule fit, Choice& best) {
    bool found = false;
    for (std::size_t i = 0; i < sheet.free.size(); ++i) {
        const Free& f = sheet.free[i];
        for (int t = 0; t < 2; ++t) {
            const bool turned = t == 1;
            if (turned && item.a == item.b) break;
            const double pl = turned ? item.b : item.a, pw = turned ? item.a : item.b;
            if (pl > f.w + kEps || pw > f.h + kEps) continue;
            const double dw = f.w - pl, dh = f.h - pw;
            double s1 = 0, s2 = 0;
            switch (fit) {
                case FitRule::ShortSide: s1 = std::min(dw, dh), s2 = std::max(dw, dh); break;
                case FitRule::LongSide: s1 = std::max(dw, dh), s2 = std::min(dw, dh); break;
                case FitRule::Area: s1 = f.w * f.h - pl * pw, s2 = std::min(dw, dh); break;
            }
            if (Before(s1, s2, best.s1, best.s2)) {
                best = {i, turned, s1, s2};
                found = true;
            }
        }
    }
    return found;
}

// Takes a piece of pl x pw from the top-left corner of free rectangle `rect` and
// cuts the rest into two free rectangles by one cut right across it.
void Split(Sheet& sheet, std::size_t rect, double pl, double pw, SplitRule rule, double kerf) {
    const Free f = sheet.free[rect];
    sheet.free[rect] = sheet.free.back();
    sheet.free.pop_back();
    const double rw = f.w - pl, bh = f.h - pw;
    bool across = false;  // the cut runs along the sheet's length, below the piece
    switch (rule) {
        case SplitRule::ShorterLeftover: across = rw <= bh; break;
        case SplitRule::LongerLeftover: across = rw > bh; break;
        case SplitRule::MinArea: across = pl * bh > rw * pw; break;
        case SplitRule::MaxArea: across = pl * bh <= rw * pw; break;
        case SplitRule::ShorterAxis: across = f.w <= f.h; break;
        case SplitRule::LongerAxis: across = f.w > f.h; break;
    }
    const Free right = across ? Free{f.x + pl, f.y, rw, pw} : Free{f.x + pl, f.y, rw, f.h};
    const Free below = across ? Free{f.x, f.y + pw, f.w, bh} : Free{f.x, f.y + pw, pl, bh};
    // A grown rectangle no more than a kerf wide holds no material.
    for (const Free& r : {right, below})
        if (r.w > kerf + kEps && r.h > kerf + kEps) sheet.free.push_back(r);
    sheet.Measure();
}

struct Packing {
    std::vector<Sheet> sheets;
    std::vector<Spot> spots;  // by item
    double minUsed = 0;       // the emptiest sheet's pieces

    std::size_t Count() const { return sheets.size(); }
    // Fewer sheets; then the waste gathered on one sheet (its offcut the largest).
    bool BetterThan(const Packing& o) const {
        if (Count() != o.Count()) return Count() < o.Count();
        return minUsed < o.minUsed - kEps;
    }
};

class SheetPacker {
public:
    SheetPacker(const std::vector<Item>& items, double stockLength, double stockWidth, double kerf)
        : items_(items), L_(stockLength + kerf), W_(stockWidth + kerf), kerf_(kerf) {}

    std::vector<std::uint32_t> Order(OrderRule rule) const {
        std::vector<std::uint32_t> order(items_.size());
        std::iota(order.begin(), order.end(), 0u);
        auto key = [&](std::uint32_t i) -> std::pair<double, double> {
            const double s = std::min(items_[i].a, items_[i].b), l = std::max(items_[i].a, items_[i].b);
            switch (rule) {
                case OrderRule::Area: return {s * l, l};
                case OrderRule::LongSide: return {l, s};
                case OrderRule::ShortSide: return {s, l};
                case OrderRule::Perimeter: return {s + l, l};
                case OrderRule::Elongated: return {l / s, l};
            }
            return {0, 0};
        };
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t x, std::uint32_t y) { return key(x) > key(y); });
        return order;
    }

    void Run(const std::vector<std::uint32_t>& order, const Rules& rules, Packing& out) {
        const std::size_t n = order.size();
        out.sheets.clear();
        out.spots.assign(items_.size(), Spot{});
        // The smallest sides among the pieces still to come.
        minShort_.assign(n + 1, kInf);
        minLong_.assign(n + 1, kInf);
        for (std::size_t k = n; k-- > 0;) {
            const Item& it = items_[order[k]];
            minShort_[k] = std::min(minShort_[k + 1], std::min(it.a, it.b));
            minLong_[k] = std::min(minLong_[k + 1], std::max(it.a, it.b));
        }
        open_.clear();
        for (std::size_t k = 0; k < n; ++k) {
            const Item& item = items_[order[k]];
            const double shortSide = std::min(item.a, item.b), longSide = std::max(item.a, item.b);
            Choice best;
            std::size_t sheet = kNone;
            for (std::uint32_t s : open_) {
                if (!out.sheets[s].MayHold(shortSide, longSide)) continue;
                Choice c;
                if (!BestIn(out.sheets[s], item, rules.fit, c)) continue;
                if (Before(c.s1, c.s2, best.s1, best.s2)) {
                    best = c;
                    sheet = s;
                }
                if (!rules.bestSheet) break;
            }
            if (sheet == kNone) {
                sheet = out.sheets.size();
                Sheet fresh;
                fresh.free.push_back({0, 0, L_, W_});
                fresh.Measure();
                out.sheets.push_back(std::move(fresh));
                open_.push_back(static_cast<std::uint32_t>(sheet));
                best = Choice{};
                BestIn(out.sheets[sheet], item, rules.fit, best);  // it fits: too large pieces were taken out
            }
            Sheet& s = out.sheets[sheet];
            const Free& f = s.free[best.rect];
            out.spots[order[k]] = {static_cast<std::uint32_t>(sheet), f.x, f.y, best.turned};
            const double pl = best.turned ? item.b : item.a, pw = best.turned ? item.a : item.b;
            s.used += item.l * item.w;
            Split(s, best.rect, pl, pw, rules.split, kerf_);
            // Sheets that cannot hold even the smallest piece still to come are full.
            const bool smaller = minShort_[k + 1] != minShort_[k] || minLong_[k + 1] != minLong_[k];
            if (k + 1 < n && (smaller || !s.MayHold(minShort_[k + 1], minLong_[k + 1])))
                std::erase_if(
                    open_, [&](std::uint32_t i) { return !out.sheets[i].MayHold(minShort_[k + 1], minLong_[k + 1]); });
        }
        out.minUsed = kInf;
        for (const Sheet& s : out.sheets) out.minUsed = std::min(out.minUsed, s.used);
        if (out.sheets.empty()) out.minUsed = 0;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    const std::vector<Item>& items_;
    double L_, W_, kerf_;
    std::vector<double> minShort_, minLong_;
    std::vector<std::uint32_t> open_;
};

// The pieces of a packing's emptiest sheet.
std::vector<std::size_t> PositionsOnEmptiestSheet(const Packing& p, const std::vector<std::uint32_t>& order) {
    std::size_t emptiest = 0;
    for (std::size_t s = 1; s < p.sheets.size(); ++s)
        if (p.sheets[s].used < p.sheets[emptiest].used) emptiest = s;
    std::vector<std::size_t> positions;
    for (std::size_t k = 0; k < order.size(); ++k)
        if (p.spots[order[k]].sheet == emptiest) positions.push_back(k);
    return positions;
}

// Fullest sheets first; pieces in the order they were placed; leftovers largest first.
std::vector<StockUse> SheetsOf(const Packing& p, const std::vector<Item>& items,
                               const std::vector<std::uint32_t>& order, const std::vector<std::size_t>& index,
                               double kerf) {
    std::vector<StockUse> sheets(p.sheets.size());
    for (std::uint32_t i : order) {
        const Spot& s = p.spots[i];
        sheets[s.sheet].Pieces.push_back({index[i], s.x, s.y, items[i].l, items[i].w, s.turned});
    }
    for (std::size_t s = 0; s < p.sheets.size(); ++s) {
        for (const Free& f : p.sheets[s].free) {
            const double l = f.w - kerf, w = f.h - kerf;
            sheets[s].Leftovers.push_back({f.x, f.y, l, w, l >= kMinOffcut - kEps && w >= kMinOffcut - kEps});
        }
        std::stable_sort(sheets[s].Leftovers.begin(), sheets[s].Leftovers.end(),
                         [](const Leftover& a, const Leftover& b) {
                             if (a.Length * a.Width != b.Length * b.Width)
                                 return a.Length * a.Width > b.Length * b.Width;
                             return std::pair(a.Y, a.X) < std::pair(b.Y, b.X);
                         });
    }
    std::vector<std::size_t> rank(sheets.size());
    std::iota(rank.begin(), rank.end(), 0);
    std::stable_sort(rank.begin(), rank.end(),
                     [&](std::size_t a, std::size_t b) { return p.sheets[a].used > p.sheets[b].used + kEps; });
    std::vector<StockUse> sorted;
    sorted.reserve(sheets.size());
    for (std::size_t r : rank) sorted.push_back(std::move(sheets[r]));
    return sorted;
}

// ------------------------------------------------------------ lengths

struct LengthBin {
    double free = 0;                   // grown length still free
    std::vector<std::uint32_t> items;  // in the order placed
};

std::vector<LengthBin> FirstFit(const std::vector<double>& grown, const std::vector<std::uint32_t>& order,
                                double capacity) {
    std::vector<LengthBin> bins;
    std::vector<std::size_t> open;  // bins that can still take the smallest piece
    double smallest = kInf;
    for (std::uint32_t i : order) smallest = std::min(smallest, grown[i]);
    for (std::uint32_t i : order) {
        std::size_t bin = bins.size();
        for (std::size_t b : open)
            if (grown[i] <= bins[b].free + kEps) {
                bin = b;
                break;
            }
        if (bin == bins.size()) {
            bins.push_back({capacity, {}});
            open.push_back(bin);
        }
        bins[bin].free -= grown[i];
        bins[bin].items.push_back(i);
        if (bins[bin].free + kEps < smallest) std::erase(open, bin);
    }
    return bins;
}

std::vector<LengthBin> BestFit(const std::vector<double>& grown, const std::vector<std::uint32_t>& order,
                               double capacity) {
    std::vector<LengthBin> bins;
    std::set<std::pair<double, std::size_t>> byFree;
    for (std::uint32_t i : order) {
        auto it = byFree.lower_bound({grown[i] - kEps, 0});
        std::size_t bin = 0;
        if (it == byFree.end()) {
            bin = bins.size();
            bins.push_back({capacity, {}});
        } else {
            bin = it->second;
            byFree.erase(it);
        }
        bins[bin].free -= grown[i];
        bins[bin].items.push_back(i);
        byFree.insert({bins[bin].free, bin});
    }
    return bins;
}

double LongestFree(const std::vector<LengthBin>& bins) {
    double longest = 0;
    for (const LengthBin& b : bins) longest = std::max(longest, b.free);
    return longest;
}

// Fewer lengths; then the waste gathered at the end of one length.
bool FewerLengths(const std::vector<LengthBin>& a, const std::vector<LengthBin>& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    return LongestFree(a) > LongestFree(b) + kEps;
}

}  // namespace

// ------------------------------------------------------------ sheets

PackedStock LayOutSheets(const std::vector<PieceSize>& pieces, double stockLength, double stockWidth, double kerf) {
    PackedStock result;
    result.StockLength = stockLength;
    result.StockWidth = stockWidth;
    if (!(kerf >= 0)) kerf = 0;
    std::vector<Item> items;
    std::vector<std::size_t> index;  // item -> piece
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const double l = pieces[i].Length, w = pieces[i].Width;
        if (!Positive(l) || !Positive(w)) {
            result.NoSize.push_back(i);
            continue;
        }
        const bool fits =
            (l <= stockLength + kEps && w <= stockWidth + kEps) || (w <= stockLength + kEps && l <= stockWidth + kEps);
        if (!fits) {
            result.TooLarge.push_back(i);
            continue;
        }
        items.push_back({l + kerf, w + kerf, l, w});
        index.push_back(i);
    }
    if (items.empty()) return result;

    const std::size_t n = items.size();
    SheetPacker packer(items, stockLength, stockWidth, kerf);
    double grownArea = 0;
    for (const Item& it : items) grownArea += it.a * it.b;
    // Every piece fits a sheet, so no more sheets than pieces are ever needed.
    const std::size_t bound = CountBound(grownArea / ((stockLength + kerf) * (stockWidth + kerf)), n);

    // Every rule on a short list, an even spread of them on a long one.
    const auto& rules = AllRules();
    const std::size_t tries = std::clamp<std::size_t>(kRuleBudget / n, 4, rules.size());
    Packing best, trial;
    Rules bestRules = rules[0];
    std::vector<std::uint32_t> bestOrder;
    OrderRule sorted = OrderRule::Area;
    std::vector<std::uint32_t> order;
    for (std::size_t t = 0; t < tries; ++t) {
        const Rules& r = rules[t * rules.size() / tries];
        if (order.empty() || r.order != sorted) {
            order = packer.Order(r.order);
            sorted = r.order;
        }
        packer.Run(order, r, trial);
        if (bestOrder.empty() || trial.BetterThan(best)) {
            std::swap(best, trial);
            bestRules = r;
            bestOrder = order;
        }
    }

    // Then reorder the pieces: swap two, or bring one from the emptiest sheet
    // forward, keeping any order that is no worse. Stops at the area bound.
    const std::size_t steps = std::min(kMaxSearchSteps, kSearchBudget / n);
    if (n > 1 && best.Count() > bound) {
        SplitMix rng(kSearchSeed);
        std::vector<std::uint32_t> current = bestOrder, candidate;
        Packing now = best;
        for (std::size_t step = 0; step < steps && best.Count() > bound; ++step) {
            candidate = current;
            if (rng.Below(2) == 0) {
                std::swap(candidate[rng.Below(n)], candidate[rng.Below(n)]);
            } else {
                const auto positions = PositionsOnEmptiestSheet(now, current);
                const std::size_t from = positions[rng.Below(positions.size())];
                const std::size_t to = rng.Below(from + 1);
                std::rotate(candidate.begin() + static_cast<std::ptrdiff_t>(to),
                            candidate.begin() + static_cast<std::ptrdiff_t>(from),
                            candidate.begin() + static_cast<std::ptrdiff_t>(from) + 1);
            }
            packer.Run(candidate, bestRules, trial);
            if (!now.BetterThan(trial)) {
                std::swap(current, candidate);
                std::swap(now, trial);
                if (now.BetterThan(best)) {
                    best = now;
                    bestOrder = current;
                }
            }
        }
    }
    result.Stock = SheetsOf(best, items, bestOrder, index, kerf);
    return result;
}

// ------------------------------------------------------------ lengths

PackedStock LayOutLengths(const std::vector<double>& pieces, double stockLength, double kerf) {
    PackedStock result;
    result.StockLength = stockLength;
    if (!(kerf >= 0)) kerf = 0;
    std::vector<double> grown;
    std::vector<std::size_t> index;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!Positive(pieces[i])) {
            result.NoSize.push_back(i);
        } else if (pieces[i] > stockLength + kEps) {
            result.TooLarge.push_back(i);
        } else {
            grown.push_back(pieces[i] + kerf);
            index.push_back(i);
        }
    }
    std::vector<std::uint32_t> order(grown.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return grown[a] > grown[b]; });

    const double capacity = stockLength + kerf;
    std::vector<LengthBin> bins = FirstFit(grown, order, capacity);
    std::vector<LengthBin> other = BestFit(grown, order, capacity);
    if (FewerLengths(other, bins)) bins = std::move(other);

    // Above the bound set by the total length, reorder the pieces as for sheets:
    // swap two, or bring one from the emptiest length forward; first fit each time.
    const std::size_t n = order.size();
    double total = 0;
    for (double g : grown) total += g;
    const std::size_t bound = CountBound(total / capacity, n);
    if (n > 1 && bins.size() > bound) {
        SplitMix rng(kSearchSeed);
        std::vector<std::uint32_t> current = order, candidate;
        std::vector<LengthBin> now = bins;
        const std::size_t steps = std::min(kMaxSearchSteps, kSearchBudget / n);
        for (std::size_t step = 0; step < steps && bins.size() > bound; ++step) {
            candidate = current;
            if (rng.Below(2) == 0) {
                std::swap(candidate[rng.Below(n)], candidate[rng.Below(n)]);
            } else {
                const auto emptiest = std::max_element(
                    now.begin(), now.end(), [](const LengthBin& a, const LengthBin& b) { return a.free < b.free; });
                const std::uint32_t piece = emptiest->items[rng.Below(emptiest->items.size())];
                const auto from = std::find(candidate.begin(), candidate.end(), piece);
                const auto to =
                    candidate.begin() +
                    static_cast<std::ptrdiff_t>(rng.Below(static_cast<std::size_t>(from - candidate.begin()) + 1));
                std::rotate(to, from, from + 1);
            }
            std::vector<LengthBin> trial = FirstFit(grown, candidate, capacity);
            if (!FewerLengths(now, trial)) {
                std::swap(current, candidate);
                now = std::move(trial);
                if (FewerLengths(now, bins)) bins = now;
            }
        }
    }
    std::stable_sort(bins.begin(), bins.end(),
                     [](const LengthBin& a, const LengthBin& b) { return a.free < b.free - kEps; });

    for (const LengthBin& bin : bins) {
        StockUse use;
        double x = 0;
        for (std::uint32_t i : bin.items) {
            use.Pieces.push_back({index[i], x, 0, pieces[index[i]], 0, false});
            x += grown[i];
        }
        const double left = stockLength - x;  // after the last piece's cut
        if (left > kEps) use.Leftovers.push_back({x, 0, left, 0, left >= kMinOffcut - kEps});
        result.Stock.push_back(std::move(use));
    }
    return result;
}

// ------------------------------------------------------------ a whole list

std::string TooManyPiecesMessage(std::size_t pieces) {
    return "The cutting list holds " + std::to_string(pieces) + " pieces; the stock needed is worked out for at most " +
           std::to_string(kMaxCutPieces) + " pieces.";
}

CuttingLayout LayOutCuttingList(const std::vector<CutStock>& stocks, const std::vector<CutPiece>& pieces, double kerf) {
    CuttingLayout layout;
    if (pieces.size() > kMaxCutPieces) {
        layout.Refused = TooManyPiecesMessage(pieces.size());
        return layout;
    }
    std::vector<std::vector<std::size_t>> groups(stocks.size());
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i].Stock < stocks.size()) groups[pieces[i].Stock].push_back(i);

    for (std::size_t s = 0; s < stocks.size(); ++s) {
        const std::vector<std::size_t>& group = groups[s];
        if (group.empty()) continue;
        const CutStock& stock = stocks[s];
        StockLayout one{s, {}};
        if (stock.Kind == StockKind::Sheet) {
            std::vector<PieceSize> sizes;
            sizes.reserve(group.size());
            for (std::size_t i : group) sizes.push_back({pieces[i].Length, pieces[i].Width});
            one.Packed = LayOutSheets(sizes, stock.Length, stock.Width, kerf);
        } else {
            std::vector<double> lengths;
            lengths.reserve(group.size());
            for (std::size_t i : group) lengths.push_back(pieces[i].Length);
            one.Packed = LayOutLengths(lengths, stock.Length, kerf);
        }
        // Back from the group's own numbering to the whole list's.
        for (StockUse& use : one.Packed.Stock)
            for (Placement& p : use.Pieces) p.Piece = group[p.Piece];
        for (std::size_t& i : one.Packed.TooLarge) i = group[i];
        for (std::size_t& i : one.Packed.NoSize) i = group[i];
        layout.TooLarge.insert(layout.TooLarge.end(), one.Packed.TooLarge.begin(), one.Packed.TooLarge.end());
        layout.Layouts.push_back(std::move(one));
    }
    std::sort(layout.TooLarge.begin(), layout.TooLarge.end());
    return layout;
}

}  // namespace trevane
