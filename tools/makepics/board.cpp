// Manufactured boards: the face of the sheet above, and along the bottom its
// sawn edge, which shows how the board is made (plies, blocks, particles).
#include <algorithm>
#include <cmath>

#include "surfaces.h"

namespace makepics {
namespace {

constexpr float kBottom = 150.0f;

class BoardSurface : public Surface {
public:
    BoardSurface(const Look& look, std::uint32_t seed)
        : look_(look), seed_(seed), n1_(seed + 101U), n2_(seed + 202U), n3_(seed + 303U) {
        Rng rng(seed);
        switch (look.structure) {
            case Structure::Hardboard: edge_ = 12.0f; break;
            case Structure::Plywood:
                edge_ = 38.0f;
                plies_ = 2 * rng.Int(2, 4) + 1;
                break;
            case Structure::Bamboo: edge_ = 32.0f; break;
            case Structure::Blockboard: edge_ = 40.0f; break;
            default: edge_ = 30.0f; break;
        }
        if (look.plies > 0) plies_ = look.plies;
        Look veneer = look;
        veneer.style = Style::Wood;
        veneer.rays = false;
        WoodOptions options;
        options.knots = false;
        if (look.structure == Structure::Plywood) {
            veneer.figure = Figure::Fine;
            options.rotary = true;
            options.contrastScale = 0.8f;
        } else {
            veneer.figure = Figure::Straight;
            options.contrastScale = 0.7f;
        }
        veneer_ = std::make_unique<WoodSurface>(veneer, seed ^ 0x5bd1e995U, options);
        blockWidth_ = rng.Uniform(18.0f, 24.0f);
        blockOffset_ = rng.Uniform(0.0f, blockWidth_);
    }

    Color At(float x, float y) const override {
        const float faceBottom = kBottom - edge_;
        if (y < faceBottom - 0.6f) return Face(x, y);
        if (y < faceBottom + 0.6f) return Mix(Face(x, y), kWhite, 0.45f);  // the sharp arris catches the light
        const float e = y - faceBottom;
        return Scale(Edge(x, e), 0.86f - 0.06f * e / edge_);
    }

private:
    float Light(float x, float y) const { return 1.04f - 0.08f * (x / 200.0f + y / 150.0f) * 0.5f; }
    float Speck(float x, float y, float scale) const {
        return Unit(Hash(seed_, static_cast<std::int32_t>(x * scale), static_cast<std::int32_t>(y * scale)));
    }

    // Particles: irregular flakes in many shades packed together.
    Color Flakes(float x, float y, float w, float h, float gapDark) const {
        const float wx = x + 2.0f * (n1_.Value(x * 0.2f, y * 0.2f) - 0.5f);
        const float wy = y + 2.0f * (n1_.Value(x * 0.2f + 40.0f, y * 0.2f) - 0.5f);
        const CellHit hit = NearestCell(seed_ + 17U, wx, wy, w, h);
        const float tone = Unit(Mix(hit.id + 3U));
        Color c = Mix(look_.color, look_.color2, tone * 0.85f);
        c = Scale(c, 0.92f + 0.16f * Unit(Mix(hit.id + 9U)));
        const float gap = 1.0f - SmoothStep(0.0f, 0.10f, hit.d2 - hit.d1);
        const float hole = Unit(Mix(hit.id + 5U)) > 0.93f && hit.d1 < 0.35f ? 1.0f : 0.0f;
        return Scale(c, 1.0f - gapDark * gap - 0.35f * hole);
    }

    // Oriented strands: long flat chips lying across each other.
    Color Strands(float x, float y) const {
        constexpr float kCell = 16.0f;
        const auto cx = static_cast<std::int32_t>(std::floor(x / kCell));
        const auto cy = static_cast<std::int32_t>(std::floor(y / kCell));
        float bestZ = -1.0f;
        Color best = Scale(look_.color2, 0.55f);
        for (int j = -2; j <= 2; ++j) {
            for (int i = -2; i <= 2; ++i) {
                for (std::uint32_t s = 0; s < 2; ++s) {
                    const std::uint32_t h = Mix(Hash(seed_ + 31U, cx + i, cy + j) + s * 7919U);
                    const float z = Unit(h);
                    if (z <= bestZ) continue;
                    const float sx = (static_cast<float>(cx + i) + Unit(Mix(h + 1U))) * kCell;
                    const float sy = (static_cast<float>(cy + j) + Unit(Mix(h + 2U))) * kCell;
                    const float angle = (Unit(Mix(h + 3U)) - 0.5f) * 1.4f;
                    const float halfLen = 12.0f + 6.0f * Unit(Mix(h + 4U));
                    const float halfWid = 3.0f + 2.5f * Unit(Mix(h + 5U));
                    const float ca = std::cos(angle), sa = std::sin(angle);
                    const float u = (x - sx) * ca + (y - sy) * sa;
                    const float v = -(x - sx) * sa + (y - sy) * ca;
                    const float ragged = 1.5f * (n2_.Value(u * 0.3f + static_cast<float>(h % 97), v * 0.3f) - 0.5f);
                    if (std::fabs(u) < halfLen + ragged && std::fabs(v) < halfWid + ragged) {
                        bestZ = z;
                        const float tone = Unit(Mix(h + 6U));
                        Color c = Mix(look_.color, look_.color2, tone * 0.7f);
                        const float streak = n3_.Value(u * 0.08f + static_cast<float>(h % 53), v * 1.1f);
                        c = Scale(c, 0.9f + 0.2f * streak);
                        const float rim = SmoothStep(halfWid - 1.0f, halfWid + 0.5f, std::fabs(v));
                        best = Scale(c, 1.0f - 0.25f * rim);
                    }
                }
            }
        }
        return best;
    }

    Color Face(float x, float y) const {
        const float light = Light(x, y);
        switch (look_.structure) {
            case Structure::Mdf: {
                float v = 1.0f + 0.10f * (n1_.Fbm(x * 0.03f, y * 0.03f, 3) - 0.5f) +
                          0.07f * (n2_.Value(x * 1.6f, y * 1.6f) - 0.5f);
                if (Speck(x, y, 1.2f) > 0.975f) v -= 0.12f;
                return Scale(look_.color, v * light);
            }
            case Structure::Hardboard: {
                const float v = 1.0f + 0.08f * (n1_.Fbm(x * 0.05f, y * 0.05f, 3) - 0.5f) +
                                0.04f * (n2_.Value(x * 1.4f, y * 1.4f) - 0.5f);
                const float sheen = 0.18f * std::exp(-std::pow((x + 0.7f * y - 150.0f) / 60.0f, 2.0f));
                return Mix(Scale(look_.color, v * light), kWhite, sheen);
            }
            case Structure::Chipboard: return Scale(Flakes(x, y, 3.2f, 2.6f, 0.22f), light);
            case Structure::Osb: return Scale(Strands(x, y), light);
            case Structure::Melamine: {
                const float v = 1.0f + 0.015f * (n1_.Value(x * 0.9f, y * 0.9f) - 0.5f);
                const float sheen = 0.22f * std::exp(-std::pow((x + 0.8f * y - 140.0f) / 45.0f, 2.0f));
                return Mix(Scale(look_.color, v * (0.98f + 0.03f * light)), kWhite, sheen);
            }
            case Structure::Plywood:
            case Structure::Blockboard: return veneer_->At(x, y);
            case Structure::Bamboo: return Scale(BambooStrips(x, y, 0.0f), light);
        }
        return look_.color;
    }

    // Pressed bamboo strips lying along x, each its own shade, with fine fibres
    // and now and then the dark line of a node across the strip.
    Color BambooStrips(float x, float y, float layer) const {
        constexpr float kStrip = 11.0f;
        const float strip = std::floor(y / kStrip);
        const float within = y - strip * kStrip;
        const std::uint32_t h =
            Hash(seed_ + 41U + static_cast<std::uint32_t>(layer), static_cast<std::int32_t>(strip), 3);
        Color c = Mix(look_.color, look_.color2, 0.15f + 0.45f * Unit(h));
        c = Scale(c, 0.94f + 0.10f * n2_.Value(x * 0.03f, y * 1.7f));
        const float nodeX = 30.0f + 140.0f * Unit(Mix(h + 1U));
        const float node = std::exp(-((x - nodeX) / 1.6f) * ((x - nodeX) / 1.6f));
        c = Mix(c, Scale(look_.color2, 0.6f), 0.7f * node);
        const float joint = 1.0f - SmoothStep(0.0f, 0.8f, std::min(within, kStrip - within));
        return Mix(c, Scale(look_.color2, 0.7f), 0.6f * joint);
    }

    Color Edge(float x, float e) const {
        const float t = e / edge_;  // 0 at the face, 1 at the bottom
        switch (look_.structure) {
            case Structure::Mdf: {
                // Fibres packed densest near both faces.
                const float dense = 0.16f * (std::exp(-t * 9.0f) + std::exp(-(1.0f - t) * 9.0f));
                const float v = 1.0f + 0.16f * (n2_.Value(x * 1.3f, e * 1.3f) - 0.5f) - dense;
                return Scale(Mix(look_.color, look_.color2, 0.3f), v);
            }
            case Structure::Hardboard:
                return Scale(Mix(look_.color, look_.color2, 0.5f),
                             1.0f + 0.2f * (n2_.Value(x * 1.2f, e * 1.2f) - 0.5f));
            case Structure::Chipboard: {
                // Fine particles at the faces, coarse ones in the core.
                const float core = SmoothStep(0.15f, 0.35f, t) * (1.0f - SmoothStep(0.65f, 0.85f, t));
                return Flakes(x, e + 500.0f, 3.0f + 3.5f * core, 2.2f + 2.0f * core, 0.35f);
            }
            case Structure::Osb: {
                const float layer = n2_.Value(x * 0.05f, e * 0.9f);
                const float gap = SmoothStep(0.78f, 0.85f, n3_.Value(x * 0.08f, e * 1.4f));
                const Color c = Mix(look_.color, look_.color2, layer * 0.8f);
                return Scale(c, 1.0f - 0.45f * gap);
            }
            case Structure::Melamine: {
                if (e < 1.2f || e > edge_ - 1.2f) return Scale(look_.color, 0.95f);
                return Flakes(x, e + 500.0f, 3.5f, 2.5f, 0.3f);
            }
            case Structure::Plywood: {
                const float plyH = edge_ / static_cast<float>(plies_);
                const int ply = static_cast<int>(e / plyH);
                const float within = e - static_cast<float>(ply) * plyH;
                const float glue = 1.0f - SmoothStep(0.0f, 0.7f, std::min(within, plyH - within));
                Color c;
                if (ply % 2 == 0) {  // grain along the edge
                    const float streak = n2_.Value(x * 0.05f, e * 1.5f);
                    c = Scale(look_.color, 0.92f + 0.14f * streak);
                } else {  // end grain of the cross plies
                    const float dots = n3_.Value(x * 1.1f, e * 0.6f);
                    c = Scale(Mix(look_.color, look_.color2, 0.45f), 0.86f + 0.2f * dots);
                }
                return Mix(c, Scale(look_.color2, 0.55f), glue * 0.85f);
            }
            case Structure::Bamboo: {
                // Three layers: strips along the edge outside, cut ends of cross strips inside.
                const float third = edge_ / 3.0f;
                const int layer = static_cast<int>(e / third);
                const float within = e - static_cast<float>(layer) * third;
                const float glue = 1.0f - SmoothStep(0.0f, 0.6f, std::min(within, third - within));
                Color c;
                if (layer == 1) {
                    const float w = x / 7.0f;
                    const float joint = 1.0f - SmoothStep(0.0f, 0.12f, std::min(Fract(w), 1.0f - Fract(w)));
                    c = Mix(look_.color, look_.color2,
                            0.3f + 0.4f * Unit(Hash(seed_, static_cast<std::int32_t>(w), 9)));
                    c = Mix(c, Scale(look_.color2, 0.6f), 0.7f * joint);
                } else {
                    c = BambooStrips(x, e * 3.0f, static_cast<float>(layer));
                }
                return Mix(c, Scale(look_.color2, 0.55f), glue * 0.8f);
            }
            case Structure::Blockboard: {
                constexpr float kVeneer = 3.5f;
                if (e < kVeneer || e > edge_ - kVeneer) {
                    const float glue =
                        (std::fabs(e - kVeneer) < 0.6f || std::fabs(e - (edge_ - kVeneer)) < 0.6f) ? 1.0f : 0.0f;
                    const Color c = Scale(look_.color, 0.95f + 0.1f * n2_.Value(x * 0.05f, e * 1.5f));
                    return Mix(c, Scale(look_.color2, 0.55f), glue * 0.8f);
                }
                // Core of glued strips, each showing its end grain as arcs.
                const float bx = x + blockOffset_;
                const float block = std::floor(bx / blockWidth_);
                const float within = bx - block * blockWidth_;
                const std::uint32_t h = Hash(seed_ + 77U, static_cast<std::int32_t>(block), 0);
                const float ccx = (Unit(h) - 0.5f) * blockWidth_ * 0.8f;
                const float ccy =
                    edge_ * 0.5f + (Unit(Mix(h + 1U)) < 0.5f ? 1.0f : -1.0f) * (18.0f + 20.0f * Unit(Mix(h)));
                const float dx = within - blockWidth_ * 0.5f - ccx;
                const float dy = e - ccy;
                const float ring = Fract(std::sqrt(dx * dx + dy * dy) / 3.6f);
                Color c = Mix(look_.color, look_.color2,
                              0.1f + 0.3f * SmoothStep(0.6f, 0.85f, ring) + 0.45f * Unit(Mix(h + 2U)));
                const float joint = 1.0f - SmoothStep(0.0f, 0.6f, std::min(within, blockWidth_ - within));
                return Mix(c, Scale(look_.color2, 0.5f), joint * 0.9f);
            }
        }
        return look_.color2;
    }

    Look look_;
    std::uint32_t seed_;
    Noise n1_, n2_, n3_;
    float edge_ = 30.0f;
    int plies_ = 5;
    float blockWidth_ = 20.0f, blockOffset_ = 0.0f;
    std::unique_ptr<WoodSurface> veneer_;
};

}  // namespace

std::unique_ptr<Surface> MakeBoard(const Look& look, std::uint32_t seed) {
    return std::make_unique<BoardSurface>(look, seed);
}

}  // namespace makepics
