#pragma once
// Draws the picture of a material from its look.
#include <cstdint>
#include <vector>

#include "look.h"

namespace makepics {

constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 150;

// An RGB picture with channels in 0..1, rows top to bottom.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Color> px;
    Canvas(int w, int h) : width(w), height(h), px(static_cast<std::size_t>(w) * h) {}
    Color& At(int x, int y) { return px[static_cast<std::size_t>(y) * width + x]; }
    const Color& At(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x]; }
};

// Renders the 200 x 150 picture, seeded by the picture number, as 8-bit RGB.
std::vector<std::uint8_t> RenderPicture(const Look& look, int pictureNumber);

// The colour of one point of each kind of surface, at (x, y) in picture pixels
// (0..200, 0..150). Each draws with the seed and parameters of one picture.
class Surface {
public:
    virtual ~Surface() = default;
    virtual Color At(float x, float y) const = 0;
};

// Colour helpers shared by the surfaces.
inline Color Mix(const Color& a, const Color& b, float t) {
    return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Color Scale(const Color& c, float f) { return Color{c.r * f, c.g * f, c.b * f}; }
inline Color Add(const Color& a, const Color& b) { return Color{a.r + b.r, a.g + b.g, a.b + b.b}; }
inline float Luma(const Color& c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

}  // namespace makepics
