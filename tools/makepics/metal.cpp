// Metal surfaces: brushed (fine directional streaks with a stretched highlight),
// polished (soft mirror reflections), rough (hot-rolled scale), cast (sand-cast
// mottle and pits) and galvanised (zinc spangle crystals).
#include <algorithm>
#include <cmath>

#include "surfaces.h"

namespace makepics {
namespace {

float Gauss(float d, float w) { return std::exp(-(d / w) * (d / w)); }

class MetalSurface : public Surface {
public:
    MetalSurface(const Look& look, std::uint32_t seed)
        : look_(look), seed_(seed), n1_(seed + 11U), n2_(seed + 22U), n3_(seed + 33U), n4_(seed + 44U) {
        Rng rng(seed);
        highlight_ = rng.Uniform(60.0f, 140.0f);
        highlight2_ = highlight_ + (rng.Uniform(0, 1) < 0.5f ? -1.0f : 1.0f) * rng.Uniform(45.0f, 70.0f);
        bandShift_ = rng.Uniform(-0.08f, 0.08f);
        tint_ = Mix(look.color, kWhite, 0.55f);
    }

    Color At(float x, float y) const override {
        switch (look_.metalFinish) {
            case MetalFinish::Brushed: return Brushed(x, y);
            case MetalFinish::Polished: return Polished(x, y);
            case MetalFinish::Rough: return Rough(x, y);
            case MetalFinish::Cast: return Cast(x, y);
            case MetalFinish::Galvanised: return Galvanised(x, y);
            case MetalFinish::Ground: return Bar(x, y, false);
            case MetalFinish::Turned: return Bar(x, y, true);
            case MetalFinish::Forged: return Forged(x, y);
            case MetalFinish::Tinplate: return Tinplate(x, y);
            case MetalFinish::Wire: return Wire(x, y);
            case MetalFinish::Foam: return Foam(x, y);
        }
        return look_.color;
    }

private:
    Color Brushed(float x, float y) const {
        // Streaks: long along x, a pixel or less across.
        const float streak = 0.5f * n1_.Value(x * 0.012f, y * 2.4f) + 0.3f * n2_.Value(x * 0.035f, y * 5.3f) +
                             0.2f * n3_.Value(x * 0.09f, y * 9.7f);
        const float broad = n4_.Fbm(x * 0.006f, y * 0.012f, 3);
        float shade = 0.62f + 0.30f * broad + (streak - 0.5f) * 0.42f;
        // The light spreads across the brushing into a soft vertical band.
        const float hl =
            0.55f * Gauss(x - highlight_ + 6.0f * (broad - 0.5f), 34.0f) + 0.25f * Gauss(x - highlight2_, 60.0f);
        shade += 0.25f * hl;
        Color c = Mix(look_.color2, look_.color, Clamp01(shade));
        c = Scale(c, 0.72f + 0.45f * shade);
        return Mix(c, tint_, Clamp01(hl * (0.35f + 0.3f * streak)));
    }

    Color Polished(float x, float y) const {
        // Reflections of a bright room: broad soft bands across the diagonal.
        const float t = (x * 0.45f + y) / 150.0f + bandShift_ + 0.03f * (n4_.Fbm(x * 0.01f, y * 0.01f, 2) - 0.5f);
        float env = 0.30f + 0.55f * Gauss(t - 0.28f, 0.09f) + 0.30f * Gauss(t - 0.78f, 0.16f) -
                    0.22f * Gauss(t - 0.52f, 0.08f) + 0.12f * Gauss(t - 1.15f, 0.1f);
        env += 0.02f * (n1_.Value(x * 0.3f, y * 0.3f) - 0.5f);  // faint polishing marks
        env = Clamp01(env);
        Color c = Mix(Scale(look_.color2, 0.6f), Scale(look_.color, 1.15f), env);
        return Mix(c, kWhite, std::pow(env, 5.0f) * 0.6f);
    }

    Color Rough(float x, float y) const {
        // As rolled: a dull skin with faint streaks along the rolling direction,
        // a fine mottle of mill scale, specks and a soft sheen.
        const float mottle = n1_.Fbm(x * 0.05f, y * 0.08f, 4);
        const float rolling = n2_.Value(x * 0.01f, y * 0.6f);
        const float grain = n3_.Value(x * 1.2f, y * 1.2f);
        float shade = 0.78f + 0.22f * mottle + 0.10f * (rolling - 0.5f) + 0.10f * (grain - 0.5f);
        if (Unit(Hash(seed_, static_cast<std::int32_t>(x * 1.5f), static_cast<std::int32_t>(y * 1.5f))) > 0.988f)
            shade -= 0.25f;
        const Color scale = Mix(look_.color2, Color{0.32f, 0.35f, 0.40f}, 0.25f);
        Color c = Mix(scale, look_.color, Clamp01(0.3f + 0.7f * mottle));
        c = Scale(c, shade);
        c = Scale(c, 1.08f - 0.16f * (x / 200.0f + y / 150.0f) * 0.5f);
        const float hl = 0.30f * Gauss(x - highlight_ + 20.0f * (mottle - 0.5f), 40.0f) * (0.7f + 0.3f * rolling);
        return Mix(c, tint_, hl);
    }

    Color Cast(float x, float y) const {
        // Sand-cast skin: granular, mottled, with small pits.
        const float grain = 0.6f * n1_.Value(x * 0.7f, y * 0.7f) + 0.4f * n2_.Value(x * 1.5f, y * 1.5f);
        const float mottle = n3_.Fbm(x * 0.015f, y * 0.015f, 4);
        Color c = Mix(look_.color2, look_.color, 0.3f + 0.55f * mottle);
        c = Scale(c, 0.82f + 0.35f * grain);
        const CellHit pit = NearestCell(seed_ + 5U, x, y, 5.0f, 5.0f);
        if (Unit(Mix(pit.id)) > 0.75f) c = Scale(c, 1.0f - 0.4f * (1.0f - SmoothStep(0.08f, 0.22f, pit.d1)));
        const float hl = 0.2f * Gauss(x + y * 0.6f - highlight_ - 40.0f, 70.0f);
        return Mix(c, tint_, hl);
    }

    Color Galvanised(float x, float y) const {
        // Spangle: large zinc crystals, each reflecting at its own angle and
        // showing feathery growth lines.
        const float wx = x + 6.0f * (n1_.Value(x * 0.05f, y * 0.05f) - 0.5f);
        const float wy = y + 6.0f * (n2_.Value(x * 0.05f, y * 0.05f) - 0.5f);
        const CellHit hit = NearestCell(seed_ + 9U, wx, wy, 30.0f, 26.0f);
        const float tone = Unit(Mix(hit.id + 1U));
        const float angle = Unit(Mix(hit.id + 2U)) * 3.14159f;
        const float ca = std::cos(angle), sa = std::sin(angle);
        const float u = (x - hit.px) * ca + (y - hit.py) * sa;
        const float v = -(x - hit.px) * sa + (y - hit.py) * ca;
        const float feather = n3_.Value(u * 0.08f + tone * 50.0f, v * 0.8f);
        float shade = 0.80f + 0.22f * tone + 0.08f * (feather - 0.5f);
        const float border = 1.0f - SmoothStep(0.0f, 0.04f, hit.d2 - hit.d1);
        shade -= 0.06f * border;
        shade += 0.10f * Gauss(x - highlight_, 80.0f);
        return Scale(Mix(look_.color2, look_.color, 0.75f), shade);
    }

    // A round bar lying across a dark bench: ground bars are smooth with one
    // sharp highlight, turned bars show the fine rings left by the lathe tool.
    Color Bar(float x, float y, bool turned) const {
        constexpr float kTop = 38.0f, kBottom = 112.0f;
        if (y < kTop || y > kBottom) {
            const float v = 0.24f + 0.04f * (n4_.Fbm(x * 0.04f, y * 0.04f, 2) - 0.5f);
            const float shadow = y > kBottom ? 0.6f + 0.4f * SmoothStep(0.0f, 14.0f, y - kBottom) : 1.0f;
            return Color{v * shadow, v * shadow, v * 1.04f * shadow};
        }
        const float u = (y - kTop) / (kBottom - kTop) * 2.0f - 1.0f;  // -1 .. 1 across the bar
        const float normal = std::sqrt(std::max(0.0f, 1.0f - u * u));
        float shade = 0.35f + 0.55f * normal + 0.55f * Gauss(u + 0.35f, 0.12f) + 0.2f * Gauss(u - 0.45f, 0.2f);
        if (turned)
            shade += 0.07f * std::sin(x * 2.4f + 1.5f * n1_.Value(x * 0.05f, 1.0f)) * normal;
        else
            shade += 0.03f * (n2_.Value(x * 0.02f, y * 3.0f) - 0.5f);
        Color c = Mix(look_.color2, look_.color, Clamp01(shade));
        return Mix(c, kWhite, Clamp01(shade - 1.0f));
    }

    Color Forged(float x, float y) const {
        // Hammered black iron: overlapping dents, dark scale and a blue-grey sheen on the high spots.
        const CellHit dent = NearestCell(seed_ + 13U, x, y, 16.0f, 13.0f);
        const float bowl = dent.d1 * dent.d1;
        const float mottle = n1_.Fbm(x * 0.04f, y * 0.04f, 4);
        const float fibres = n2_.Value(x * 0.015f, y * 0.9f);
        float shade = 0.55f + 0.5f * bowl + 0.25f * (mottle - 0.5f) + 0.12f * (fibres - 0.5f);
        Color c = Mix(look_.color2, look_.color, Clamp01(shade));
        return Mix(c, Color{0.55f, 0.60f, 0.68f}, 0.25f * SmoothStep(0.6f, 0.9f, bowl));
    }

    Color Tinplate(float x, float y) const {
        // Bright, slightly blue-white tin with faint crystals and rolling lines.
        const CellHit xtal = NearestCell(seed_ + 21U, x, y, 9.0f, 7.0f);
        const float tone = Unit(Mix(xtal.id));
        const float lines = n2_.Value(x * 0.008f, y * 1.4f);
        const float t = (x * 0.3f + y) / 150.0f + bandShift_;
        float shade = 0.80f + 0.08f * tone + 0.06f * (lines - 0.5f) + 0.18f * Gauss(t - 0.45f, 0.18f);
        Color c = Mix(look_.color2, look_.color, Clamp01(shade));
        return Mix(c, Color{0.85f, 0.90f, 1.0f}, 0.15f);
    }

    Color Wire(float x, float y) const {
        // Several thin wires lying in gentle curves on white paper.
        Color c{0.93f, 0.93f, 0.91f};
        for (int i = 0; i < 5; ++i) {
            const float base = 22.0f + 26.0f * static_cast<float>(i);
            const float centre = base + 9.0f * std::sin(x * (0.018f + 0.004f * static_cast<float>(i)) +
                                                        1.3f * static_cast<float>(i) + bandShift_ * 20.0f);
            const float d = (y - centre) / 2.6f;
            if (std::fabs(d) < 1.0f) {
                const float normal = std::sqrt(1.0f - d * d);
                const float shade = 0.35f + 0.6f * normal + 0.45f * Gauss(d + 0.4f, 0.25f);
                c = Mix(Mix(look_.color2, look_.color, Clamp01(shade)), kWhite, Clamp01(shade - 1.0f));
            } else if (d > 1.0f && d < 2.2f) {
                c = Scale(c, 0.85f + 0.12f * (d - 1.0f));  // shadow on the paper
            }
        }
        return c;
    }

    Color Foam(float x, float y) const {
        // Metal sponge: bright cell walls round dark, deep pores.
        const CellHit cell = NearestCell(seed_ + 17U, x, y, 15.0f, 15.0f);
        const float wall = 1.0f - SmoothStep(0.05f, 0.14f, cell.d2 - cell.d1);
        const float depth = SmoothStep(0.1f, 0.6f, cell.d2 - cell.d1);
        const float grain = n1_.Value(x * 0.6f, y * 0.6f);
        Color inside = Scale(look_.color2, 0.55f + 0.35f * (1.0f - depth));
        Color rim = Scale(look_.color, 0.9f + 0.2f * grain);
        return Mix(inside, rim, wall);
    }

    Look look_;
    std::uint32_t seed_;
    Noise n1_, n2_, n3_, n4_;
    float highlight_ = 100.0f, highlight2_ = 40.0f, bandShift_ = 0.0f;
    Color tint_;
};

}  // namespace

std::unique_ptr<Surface> MakeMetal(const Look& look, std::uint32_t seed) {
    return std::make_unique<MetalSurface>(look, seed);
}

}  // namespace makepics
