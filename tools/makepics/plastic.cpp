// Plastic sheet lying on the bench, its corner and two edges in view. Opaque
// sheets show their colour with a sheen; clear sheets show the bench pattern
// through them, tinted, with bright polished edges.
#include <cmath>

#include "surfaces.h"

namespace makepics {
namespace {

constexpr float kSheetX = 22.0f;   // left edge of the sheet's top face
constexpr float kSheetY = 18.0f;   // top edge of the sheet's top face
constexpr float kThick = 5.0f;     // visible thickness of the edges

float Gauss(float d, float w) { return std::exp(-(d / w) * (d / w)); }

class PlasticSurface : public Surface {
public:
    PlasticSurface(const Look& look, std::uint32_t seed) : look_(look), seed_(seed), n1_(seed + 5U), n2_(seed + 6U) {
        Rng rng(seed);
        sheenPos_ = rng.Uniform(150.0f, 190.0f);
        checkOffset_ = rng.Uniform(0.0f, 14.0f);
    }

    Color At(float x, float y) const override {
        const bool inFaceX = x >= kSheetX;
        const bool inFaceY = y >= kSheetY;
        if (inFaceX && inFaceY) return Face(x, y);
        // The two visible edges, mitred at the corner.
        const bool leftEdge = x >= kSheetX - kThick && y >= kSheetY - kThick && !inFaceX &&
                              (inFaceY || (kSheetX - x) > (kSheetY - y));
        const bool topEdge = y >= kSheetY - kThick && x >= kSheetX - kThick && !inFaceY && !leftEdge;
        if (leftEdge || topEdge) return EdgeColor(x, y, leftEdge);
        return Bench(x, y, false);
    }

private:
    // The bench under the sheet: plain for opaque plastics, a chequer for clear
    // ones so that the eye reads the sheet as see-through.
    Color Bench(float x, float y, bool underSheet) const {
        if (look_.transparent) {
            // Seen through the sheet the pattern is shifted a little by refraction.
            const float sx = underSheet ? x + 1.5f : x;
            const float sy = underSheet ? y + 1.5f : y;
            const int cx = static_cast<int>(std::floor((sx + checkOffset_) / 16.0f));
            const int cy = static_cast<int>(std::floor((sy + checkOffset_) / 16.0f));
            const bool dark = ((cx + cy) & 1) != 0;
            const float v = dark ? 0.55f : 0.90f;
            return Color{v, v, v * 1.02f};
        }
        // A dark bench top, so that white and pale sheets stand out.
        const float v = 0.36f + 0.05f * (n1_.Fbm(x * 0.05f, y * 0.05f, 3) - 0.5f);
        return Color{v, v * 0.98f, v * 0.95f};
    }

    float Sheen(float x, float y) const {
        const float d = x + 0.9f * y - sheenPos_;
        if ((look_.gloss || look_.transparent) && !look_.foam) {
            const float boost = look_.transparent ? 1.2f : 1.0f;
            return boost * (0.55f * Gauss(d, 16.0f) + 0.35f * Gauss(d - 42.0f, 6.0f) + 0.12f * Gauss(d + 110.0f, 30.0f));
        }
        return 0.14f * Gauss(d, 70.0f);
    }

    Color Face(float x, float y) const {
        const float shade = 1.03f - 0.10f * ((x - kSheetX) / 180.0f + (y - kSheetY) / 132.0f) * 0.5f;
        Color c;
        if (look_.transparent) {
            const Color behind = Bench(x, y, true);
            const Color tinted{behind.r * (0.35f + 0.65f * look_.color.r), behind.g * (0.35f + 0.65f * look_.color.g),
                               behind.b * (0.35f + 0.65f * look_.color.b)};
            // The sheet scatters a little light: the pattern behind looks paler.
            c = Mix(tinted, Mix(look_.color, kWhite, 0.3f), 0.38f);
            c = Scale(c, shade);
        } else {
            c = Scale(look_.color, shade);
            if (look_.foam) {
                // Expanded foam: fused beads, each slightly domed.
                const CellHit bead = NearestCell(seed_ + 3U, x, y, 4.5f, 4.5f);
                const float dome = 1.0f - 0.12f * bead.d1 * bead.d1;
                const float seam = 1.0f - SmoothStep(0.0f, 0.08f, bead.d2 - bead.d1);
                c = Scale(c, dome * (1.0f - 0.10f * seam) * (0.97f + 0.06f * Unit(Mix(bead.id))));
            } else if (!look_.gloss) {
                c = Scale(c, 1.0f + 0.05f * (n2_.Value(x * 1.3f, y * 1.3f) - 0.5f));  // matt texture
            }
        }
        return Mix(c, kWhite, Clamp01(Sheen(x, y)));
    }

    Color EdgeColor(float x, float y, bool left) const {
        const float along = left ? y : x;
        if (look_.transparent) {
            // Polished clear edges glow with light carried inside the sheet.
            const Color glow = Mix(look_.color, Color{0.80f, 1.0f, 0.92f}, 0.45f);
            return Mix(glow, kWhite, 0.35f + 0.2f * std::sin(along * 0.05f));
        }
        const float across = left ? (x - (kSheetX - kThick)) / kThick : (y - (kSheetY - kThick)) / kThick;
        return Scale(look_.color, (left ? 0.70f : 0.88f) + 0.1f * across);
    }

    Look look_;
    std::uint32_t seed_;
    Noise n1_, n2_;
    float sheenPos_ = 170.0f;
    float checkOffset_ = 0.0f;
};

}  // namespace

std::unique_ptr<Surface> MakePlastic(const Look& look, std::uint32_t seed) {
    return std::make_unique<PlasticSurface>(look, seed);
}

}  // namespace makepics
