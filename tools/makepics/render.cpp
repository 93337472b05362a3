#include "render.h"

#include <cmath>

#include "surfaces.h"

namespace makepics {
namespace {

constexpr int kSupersample = 3;  // samples per pixel along each axis

std::unique_ptr<Surface> MakeSurface(const Look& look, std::uint32_t seed) {
    switch (look.style) {
        case Style::Wood: return std::make_unique<WoodSurface>(look, seed);
        case Style::Board: return MakeBoard(look, seed);
        case Style::Metal: return MakeMetal(look, seed);
        case Style::Plastic: return MakePlastic(look, seed);
    }
    return std::make_unique<WoodSurface>(look, seed);
}

std::uint8_t ToByte(float v, float dither) {
    const float s = std::round(v * 255.0f + dither);
    return static_cast<std::uint8_t>(s < 0.0f ? 0.0f : (s > 255.0f ? 255.0f : s));
}

}  // namespace

std::vector<std::uint8_t> RenderPicture(const Look& look, int pictureNumber) {
    const auto seed = Mix(static_cast<std::uint32_t>(pictureNumber) * 2654435761U + 12345U);
    const std::unique_ptr<Surface> surface = MakeSurface(look, seed);

    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kPictureWidth) * kPictureHeight * 3);
    constexpr float kStep = 1.0f / kSupersample;
    constexpr float kWeight = 1.0f / (kSupersample * kSupersample);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            Color sum;
            for (int j = 0; j < kSupersample; ++j) {
                for (int i = 0; i < kSupersample; ++i) {
                    const Color c = surface->At(static_cast<float>(x) + (static_cast<float>(i) + 0.5f) * kStep,
                                                static_cast<float>(y) + (static_cast<float>(j) + 0.5f) * kStep);
                    sum = Add(sum, c);
                }
            }
            // A little ordered noise keeps smooth gradients free of bands.
            const float dither = Unit(Hash(seed, x, y)) - 0.5f;
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * kPictureWidth + x) * 3];
            p[0] = ToByte(sum.r * kWeight, dither);
            p[1] = ToByte(sum.g * kWeight, dither);
            p[2] = ToByte(sum.b * kWeight, dither);
        }
    }
    return rgb;
}

}  // namespace makepics
