#pragma once
// Deterministic randomness for the picture generator: integer hashing, a small
// seeded generator, value noise with fractal sums, and jittered cell points.
// Nothing here reads the clock or a global generator, so a picture number always
// gives the same picture.
#include <cmath>
#include <cstdint>

namespace makepics {

inline std::uint32_t Mix(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

inline std::uint32_t Hash(std::uint32_t seed, std::int32_t x, std::int32_t y) {
    std::uint32_t h = Mix(seed ^ 0x9e3779b9U);
    h = Mix(h ^ static_cast<std::uint32_t>(x) * 0x85ebca6bU);
    h = Mix(h ^ static_cast<std::uint32_t>(y) * 0xc2b2ae35U);
    return h;
}

// A number in [0, 1) from a hash.
inline float Unit(std::uint32_t h) { return static_cast<float>(h >> 8) * (1.0f / 16777216.0f); }

// Small generator for the per-picture choices (positions, sizes, counts).
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed * 0x9e3779b97f4a7c15ULL + 0x632be59bd9b4e019ULL) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    float Uniform(float lo, float hi) {
        const float u = static_cast<float>(Next() >> 40) * (1.0f / 16777216.0f);
        return lo + (hi - lo) * u;
    }
    int Int(int lo, int hi) {  // lo..hi inclusive
        return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    std::uint32_t Seed() { return static_cast<std::uint32_t>(Next() >> 32); }

private:
    std::uint64_t state_;
};

inline float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }
inline float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }
inline float SmoothStep(float e0, float e1, float x) {
    const float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}
inline float Fract(float v) { return v - std::floor(v); }

// Value noise in [0, 1]: random values on the integer lattice, smoothly blended.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : seed_(seed) {}

    float Value(float x, float y) const {
        const float fx = std::floor(x);
        const float fy = std::floor(y);
        const auto ix = static_cast<std::int32_t>(fx);
        const auto iy = static_cast<std::int32_t>(fy);
        const float tx = Fade(x - fx);
        const float ty = Fade(y - fy);
        const float a = Unit(Hash(seed_, ix, iy));
        const float b = Unit(Hash(seed_, ix + 1, iy));
        const float c = Unit(Hash(seed_, ix, iy + 1));
        const float d = Unit(Hash(seed_, ix + 1, iy + 1));
        return Lerp(Lerp(a, b, tx), Lerp(c, d, tx), ty);
    }

    // Fractal sum of `octaves` layers, each twice as fine and half as strong;
    // the result stays in [0, 1].
    float Fbm(float x, float y, int octaves) const {
        float sum = 0.0f;
        float amp = 0.5f;
        float norm = 0.0f;
        for (int i = 0; i < octaves; ++i) {
            sum += amp * Noise(seed_ + static_cast<std::uint32_t>(i) * 1013U).Value(x, y);
            norm += amp;
            x = x * 2.03f + 17.1f;
            y = y * 2.03f + 5.3f;
            amp *= 0.5f;
        }
        return sum / norm;
    }

private:
    std::uint32_t seed_;
};

// The nearest and second-nearest of the jittered points of a grid of cells
// (one point per cell), for cell patterns: spangle, flakes, strands.
struct CellHit {
    float d1 = 1e9f;             // distance to the nearest point
    float d2 = 1e9f;             // distance to the second nearest
    std::uint32_t id = 0;        // hash of the nearest point's cell
    float px = 0.0f, py = 0.0f;  // position of the nearest point
};

inline CellHit NearestCell(std::uint32_t seed, float x, float y, float cellW, float cellH) {
    CellHit hit;
    const auto cx = static_cast<std::int32_t>(std::floor(x / cellW));
    const auto cy = static_cast<std::int32_t>(std::floor(y / cellH));
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const std::uint32_t h = Hash(seed, cx + i, cy + j);
            const float px = (static_cast<float>(cx + i) + Unit(Mix(h))) * cellW;
            const float py = (static_cast<float>(cy + j) + Unit(Mix(h + 1))) * cellH;
            const float dx = (x - px) / cellW;
            const float dy = (y - py) / cellH;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d < hit.d1) {
                hit.d2 = hit.d1;
                hit.d1 = d;
                hit.id = h;
                hit.px = px;
                hit.py = py;
            } else if (d < hit.d2) {
                hit.d2 = d;
            }
        }
    }
    return hit;
}

}  // namespace makepics
