// Plastic sheet lying on the bench, its corner and two edges in view. Opaque
// sheets show their colour with a sheen; clear sheets lie on squared paper with a
// printed scale, which shows through them tinted and a little shifted; waxy
// plastics let the paper glow through faintly. Special plastics show what a pupil
// recognises them by: beads, weave, glass mat, granules, colour-change ink, foam
// cells, twin-wall flutes, a vacuum-formed dome, a moulded socket or a cast block.
#include <algorithm>
#include <cmath>

#include "surfaces.h"

namespace makepics {
namespace {

constexpr float kSheetX = 22.0f;  // left edge of the sheet's top face
constexpr float kSheetY = 18.0f;  // top edge of the sheet's top face

float Gauss(float d, float w) { return std::exp(-(d / w) * (d / w)); }

// Distance from (x, y) to the segment from (ax, ay) to (bx, by).
float SegmentDistance(float x, float y, float ax, float ay, float bx, float by) {
    const float vx = bx - ax, vy = by - ay;
    const float t = Clamp01(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy));
    const float dx = x - ax - t * vx, dy = y - ay - t * vy;
    return std::sqrt(dx * dx + dy * dy);
}

class PlasticSurface : public Surface {
public:
    PlasticSurface(const Look& look, std::uint32_t seed)
        : look_(look), finish_(look.plasticFinish), seed_(seed), n1_(seed + 5U), n2_(seed + 6U), n3_(seed + 7U) {
        Rng rng(seed);
        sheenPos_ = rng.Uniform(150.0f, 190.0f);
        paperOffset_ = rng.Uniform(0.0f, 8.0f);
        blobX_ = rng.Uniform(80.0f, 130.0f);
        blobY_ = rng.Uniform(65.0f, 95.0f);
        if (finish_ == PlasticFinish::Flutes || finish_ == PlasticFinish::FoamEdge) thick_ = 10.0f;
        if (finish_ == PlasticFinish::Casting) thick_ = 14.0f;
        see_through_ = look.transparent || finish_ == PlasticFinish::Waxy || finish_ == PlasticFinish::Film ||
                       finish_ == PlasticFinish::Mat;
    }

    Color At(float x, float y) const override {
        if (finish_ == PlasticFinish::Granules) return Granules(x, y);
        const bool inFaceX = x >= kSheetX;
        const bool inFaceY = y >= kSheetY;
        if (inFaceX && inFaceY) return Face(x, y);
        // The two visible edges, mitred at the corner.
        const bool leftEdge =
            x >= kSheetX - thick_ && y >= kSheetY - thick_ && !inFaceX && (inFaceY || (kSheetX - x) > (kSheetY - y));
        const bool topEdge = y >= kSheetY - thick_ && x >= kSheetX - thick_ && !inFaceY && !leftEdge;
        if (leftEdge || topEdge) return EdgeColor(x, y, leftEdge);
        return Bench(x, y, false);
    }

private:
    // Under see-through sheets: white squared paper with a printed scale along
    // its foot. Under opaque ones: a dark bench top, so pale sheets stand out.
    Color Bench(float x, float y, bool underSheet) const {
        if (see_through_) {
            const float sx = underSheet ? x + 1.5f : x;
            const float sy = underSheet ? y + 1.5f : y;
            Color c{0.95f, 0.95f, 0.93f};
            const float gx = std::fabs(Fract((sx + paperOffset_) / 10.0f) - 0.5f) * 10.0f;
            const float gy = std::fabs(Fract((sy + paperOffset_) / 10.0f) - 0.5f) * 10.0f;
            const float fine = std::min(1.0f - SmoothStep(4.3f, 4.9f, gx), 1.0f - SmoothStep(4.3f, 4.9f, gy));
            c = Mix(c, Color{0.55f, 0.72f, 0.86f}, 0.6f * (1.0f - fine));
            // The scale: black ticks every 5 units with longer ones every 10.
            if (sy > 118.0f && sy < 140.0f) {
                const float tick = std::fabs(Fract((sx + paperOffset_) / 5.0f) - 0.5f) * 5.0f;
                const bool longTick = Fract((sx + paperOffset_) / 10.0f) > 0.5f;
                if (tick > 2.05f && sy < (longTick ? 134.0f : 127.0f)) c = Color{0.12f, 0.12f, 0.12f};
            }
            return c;
        }
        const float v = 0.36f + 0.05f * (n1_.Fbm(x * 0.05f, y * 0.05f, 3) - 0.5f);
        return Color{v, v * 0.98f, v * 0.95f};
    }

    float Sheen(float x, float y) const {
        const float d = x + 0.9f * y - sheenPos_;
        if ((look_.gloss || look_.transparent) && !look_.foam) {
            const float boost = look_.transparent ? 1.2f : 1.0f;
            return boost *
                   (0.55f * Gauss(d, 16.0f) + 0.35f * Gauss(d - 42.0f, 6.0f) + 0.12f * Gauss(d + 110.0f, 30.0f));
        }
        if (finish_ == PlasticFinish::Waxy || finish_ == PlasticFinish::Rubber) return 0.30f * Gauss(d, 45.0f);
        return 0.14f * Gauss(d, 70.0f);
    }

    // Clear plastic over the paper, tinted by the plastic's colour.
    Color ThroughSheet(float x, float y, float opacity) const {
        const Color behind = Bench(x, y, true);
        const Color tinted{behind.r * (0.2f + 0.8f * look_.color.r), behind.g * (0.2f + 0.8f * look_.color.g),
                           behind.b * (0.2f + 0.8f * look_.color.b)};
        return Mix(tinted, look_.color, opacity);
    }

    Color Face(float x, float y) const {
        const float shade = 1.03f - 0.10f * ((x - kSheetX) / 180.0f + (y - kSheetY) / 132.0f) * 0.5f;
        Color c;
        switch (finish_) {
            case PlasticFinish::Waxy: c = Scale(ThroughSheet(x, y, 0.88f), shade); break;
            case PlasticFinish::Film: {
                c = ThroughSheet(x, y, 0.25f);
                // Creases catch the light in long thin streaks.
                const float crease = std::fabs(n2_.Fbm(x * 0.02f, y * 0.035f, 3) - 0.5f);
                c = Mix(c, kWhite, 0.55f * (1.0f - SmoothStep(0.0f, 0.035f, crease)));
                return Scale(c, shade);
            }
            case PlasticFinish::Mat: c = Scale(Mat(x, y), shade); break;
            case PlasticFinish::Weave: return Scale(Weave(x, y), shade);
            case PlasticFinish::Thermochromic: c = Scale(Thermochromic(x, y), shade); break;
            case PlasticFinish::Fine: {
                // Fine, even foam: tiny open pores over a smooth matt face.
                const CellHit pore = NearestCell(seed_ + 4U, x, y, 2.2f, 2.2f);
                const float pit = Unit(Mix(pore.id)) > 0.55f ? 1.0f - SmoothStep(0.05f, 0.3f, pore.d1) : 0.0f;
                c = Scale(look_.color, shade * (1.0f - 0.22f * pit) * (0.97f + 0.06f * n2_.Value(x * 0.2f, y * 0.2f)));
                break;
            }
            case PlasticFinish::Cells: {
                const CellHit cell = NearestCell(seed_ + 3U, x, y, 3.4f, 3.4f);
                const float seam = 1.0f - SmoothStep(0.0f, 0.1f, cell.d2 - cell.d1);
                c = Scale(look_.color, shade * (1.0f - 0.12f * seam) * (0.96f + 0.08f * Unit(Mix(cell.id))));
                break;
            }
            case PlasticFinish::Flutes: {
                // The ribs inside show faintly through the thin skin as lines along the sheet.
                const float rib = Gauss(Fract((y - kSheetY) / 6.0f) - 0.5f, 0.08f);
                c = Scale(look_.color, shade * (1.0f - 0.10f * rib));
                break;
            }
            case PlasticFinish::Rubber: {
                c = Scale(look_.color, shade * (0.97f + 0.05f * n2_.Value(x * 0.8f, y * 0.8f)));
                break;
            }
            case PlasticFinish::Formed: {
                // A vacuum-formed dome: a rounded block with sloping sides pulled up from the sheet.
                const float dx = std::max(std::fabs(x - 115.0f) - 38.0f, 0.0f);
                const float dy = std::max(std::fabs(y - 82.0f) - 24.0f, 0.0f);
                const float r = std::sqrt(dx * dx + dy * dy);
                const float slope = SmoothStep(14.0f, 0.0f, r) * (1.0f - SmoothStep(0.0f, 0.5f, -r));
                const float lit = (x < 115.0f ? 1.0f : -1.0f) * (dx > 0.0f ? 0.6f : 0.0f) +
                                  (y < 82.0f ? 1.0f : -1.0f) * (dy > 0.0f ? 0.6f : 0.0f);
                const float edgeBand = slope * (1.0f - slope) * 4.0f;
                c = Scale(look_.color, shade * (1.0f + 0.35f * lit * edgeBand - 0.08f * (r <= 0.0f ? 0.0f : 1.0f)));
                break;
            }
            case PlasticFinish::Moulded: c = Scale(Socket(x, y), shade); break;
            case PlasticFinish::Casting: {
                c = ThroughSheet(x, y, 0.35f);
                // An object set in the clear resin: a flower of five petals.
                const float dx = x - blobX_, dy = y - blobY_;
                const float r = std::sqrt(dx * dx + dy * dy);
                const float petal = 24.0f + 12.0f * std::cos(5.0f * std::atan2(dy, dx));
                const float inside = 1.0f - SmoothStep(petal - 1.5f, petal + 1.5f, r);
                c = Mix(c, Mix(look_.color2, kWhite, 0.15f * (r / 25.0f)), 0.85f * inside);
                c = Mix(c, Color{0.95f, 0.80f, 0.25f}, 1.0f - SmoothStep(7.0f, 9.0f, r));
                c = Scale(c, shade);
                break;
            }
            default:
                if (look_.transparent) {
                    c = Scale(Mix(ThroughSheet(x, y, 0.0f), Mix(look_.color, kWhite, 0.3f), 0.38f), shade);
                } else {
                    c = Scale(look_.color, shade);
                    if (look_.foam) {
                        // Expanded foam: fused beads, each slightly domed.
                        const CellHit bead = NearestCell(seed_ + 3U, x, y, 7.0f, 7.0f);
                        const float dome = 1.0f - 0.16f * bead.d1 * bead.d1;
                        const float seam = 1.0f - SmoothStep(0.0f, 0.10f, bead.d2 - bead.d1);
                        c = Scale(c, dome * (1.0f - 0.22f * seam) * (0.96f + 0.08f * Unit(Mix(bead.id))));
                    } else if (!look_.gloss) {
                        c = Scale(c, 1.0f + 0.05f * (n2_.Value(x * 1.3f, y * 1.3f) - 0.5f));  // matt texture
                    }
                }
                break;
        }
        const float sheen = Sheen(x, y) * (finish_ == PlasticFinish::Moulded ? 0.35f : 1.0f);
        return Mix(c, kWhite, Clamp01(sheen));
    }

    // Chopped strand mat in translucent resin: short glass fibres lying every way.
    Color Mat(float x, float y) const {
        Color c = ThroughSheet(x, y, 0.82f);
        constexpr float kCell = 12.0f;
        const auto cx = static_cast<std::int32_t>(std::floor(x / kCell));
        const auto cy = static_cast<std::int32_t>(std::floor(y / kCell));
        float fibre = 0.0f;
        for (int j = -2; j <= 2; ++j) {
            for (int i = -2; i <= 2; ++i) {
                for (std::uint32_t k = 0; k < 2; ++k) {
                    const std::uint32_t h = Mix(Hash(seed_ + 61U, cx + i, cy + j) + k * 7919U);
                    const float px = (static_cast<float>(cx + i) + Unit(Mix(h + 1U))) * kCell;
                    const float py = (static_cast<float>(cy + j) + Unit(Mix(h + 2U))) * kCell;
                    const float a = Unit(Mix(h + 3U)) * 3.14159f;
                    const float len = 10.0f + 10.0f * Unit(Mix(h + 4U));
                    const float d = SegmentDistance(x, y, px - std::cos(a) * len, py - std::sin(a) * len,
                                                    px + std::cos(a) * len, py + std::sin(a) * len);
                    fibre = std::max(fibre, 1.0f - SmoothStep(0.3f, 0.9f, d));
                }
            }
        }
        return Mix(c, Mix(look_.color, kWhite, 0.6f), 0.7f * fibre);
    }

    // Twill weave: bundles of fibre passing over two and under two.
    Color Weave(float x, float y) const {
        constexpr float kTow = 9.0f;
        const float u = x / kTow, v = y / kTow;
        const int iu = static_cast<int>(std::floor(u)), iv = static_cast<int>(std::floor(v));
        const bool warpOnTop = ((iu + iv) & 3) < 2;
        const float across = warpOnTop ? Fract(v) : Fract(u);  // position across the tow on top
        const float along = warpOnTop ? x : y;
        const float normal = std::sqrt(std::max(0.0f, 1.0f - (2.0f * across - 1.0f) * (2.0f * across - 1.0f)));
        const float fibres = n2_.Value(along * 0.05f, (warpOnTop ? y : x) * 2.5f);
        const float sheen = warpOnTop ? 0.55f : 0.25f;
        float shade = 0.45f + 0.45f * normal + 0.12f * (fibres - 0.5f);
        Color c = Mix(look_.color2, look_.color, Clamp01(shade));
        c = Mix(c, kWhite, sheen * normal * normal * (0.25f + 0.2f * Gauss(x + 0.8f * y - sheenPos_, 60.0f)));
        return c;
    }

    // Colour-change ink: the sheet's cold colour, with the warm mark of a hand
    // fading through a bright band at its edge.
    Color Thermochromic(float x, float y) const {
        const float dx = (x - blobX_) / 48.0f, dy = (y - blobY_) / 34.0f;
        const float r = std::sqrt(dx * dx + dy * dy) + 0.35f * (n2_.Fbm(x * 0.03f, y * 0.03f, 3) - 0.5f);
        const float warm = 1.0f - SmoothStep(0.7f, 1.0f, r);
        const float band = Gauss(r - 0.95f, 0.09f);
        Color c = Mix(look_.color, look_.color2, warm);
        return Mix(c, Color{0.98f, 0.82f, 0.25f}, 0.65f * band);
    }

    // A moulded switch plate: a raised square with the three slots of a socket.
    Color Socket(float x, float y) const {
        Color c = look_.color;
        const float px = std::fabs(x - 112.0f), py = std::fabs(y - 82.0f);
        if (px < 44.0f && py < 44.0f) {
            const float bevel = std::min(44.0f - px, 44.0f - py);
            if (bevel < 4.0f) c = Scale(c, (x < 112.0f && px > py) || (y < 82.0f && py >= px) ? 1.06f : 0.80f);
            const auto slot = [&](float sx, float sy, float w, float h) {
                return std::fabs(x - sx) < w && std::fabs(y - sy) < h;
            };
            if (slot(112.0f, 64.0f, 3.0f, 8.0f) || slot(96.0f, 96.0f, 8.0f, 3.0f) || slot(128.0f, 96.0f, 8.0f, 3.0f))
                c = Scale(look_.color2, 0.35f);
        } else {
            const float d = std::max(px - 44.0f, py - 44.0f);
            if (d < 5.0f && x > 112.0f && y > 82.0f) c = Scale(c, 0.85f + 0.03f * d);  // its shadow
        }
        return c;
    }

    // Loose pellets heaped on a dark tray.
    Color Granules(float x, float y) const {
        const CellHit pellet = NearestCell(seed_ + 9U, x, y, 11.0f, 9.0f);
        const float r = pellet.d1 / 0.42f;
        if (r >= 1.0f) {
            const float v = 0.18f + 0.05f * SmoothStep(1.0f, 1.5f, r);
            return Color{v, v, v * 1.05f};
        }
        const float normal = std::sqrt(1.0f - r * r);
        const float dx = (x - pellet.px) / 5.0f, dy = (y - pellet.py) / 4.0f;
        const float light = 0.55f + 0.45f * normal - 0.15f * (dx + dy);
        Color c = Mix(look_.color2, look_.color, Clamp01(light));
        return Mix(c, kWhite, 0.5f * Gauss(dx + 0.45f, 0.3f) * Gauss(dy + 0.45f, 0.3f));
    }

    Color EdgeColor(float x, float y, bool left) const {
        const float along = left ? y : x;
        const float across = left ? (x - (kSheetX - thick_)) / thick_ : (y - (kSheetY - thick_)) / thick_;
        if (finish_ == PlasticFinish::Flutes) {
            // Cut end of the twin wall: two skins and the ribs between them.
            const float cell = Fract(along / 6.0f);
            const bool skin = across < 0.15f || across > 0.85f;
            const bool rib = cell < 0.14f;
            return (skin || rib) ? Scale(look_.color, left ? 0.75f : 0.9f) : Scale(look_.color2, 0.35f);
        }
        if (finish_ == PlasticFinish::FoamEdge) {
            const CellHit cell = NearestCell(seed_ + 8U, x * 1.4f, y * 1.4f, 2.2f, 2.2f);
            return Scale(look_.color,
                         (left ? 0.72f : 0.86f) * (0.8f + 0.25f * SmoothStep(0.0f, 0.2f, cell.d2 - cell.d1)));
        }
        if (look_.transparent) {
            // Polished clear edges glow with light carried inside the sheet.
            const Color glow = Mix(look_.color, Color{0.80f, 1.0f, 0.92f}, 0.45f);
            return Mix(glow, kWhite, 0.35f + 0.2f * std::sin(along * 0.05f));
        }
        if (finish_ == PlasticFinish::Weave) return Scale(look_.color2, 0.8f + 0.1f * across);
        return Scale(look_.color, (left ? 0.70f : 0.88f) + 0.1f * across);
    }

    Look look_;
    PlasticFinish finish_;
    std::uint32_t seed_;
    Noise n1_, n2_, n3_;
    float sheenPos_ = 170.0f;
    float paperOffset_ = 0.0f;
    float blobX_ = 110.0f, blobY_ = 80.0f;
    float thick_ = 5.0f;
    bool see_through_ = false;
};

}  // namespace

std::unique_ptr<Surface> MakePlastic(const Look& look, std::uint32_t seed) {
    return std::make_unique<PlasticSurface>(look, seed);
}

}  // namespace makepics
