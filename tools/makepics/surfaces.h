#pragma once
// The surfaces of each style of material. Every surface is built once per
// picture from the look and a seed, then asked for the colour of many points.
#include <cstdint>
#include <memory>
#include <vector>

#include "noise.h"
#include "render.h"

namespace makepics {

// Fine-tuning of a wood surface, used by the boards for their veneers.
struct WoodOptions {
    float spacingScale = 1.0f;   // growth-ring spacing multiplier
    float contrastScale = 1.0f;  // ring contrast multiplier
    bool knots = true;           // knotty figure draws knots
    bool rotary = false;         // rotary-cut veneer: wide, wild cathedral figure
};

// The face of a piece of timber, grain running along x.
class WoodSurface : public Surface {
public:
    WoodSurface(const Look& look, std::uint32_t seed, const WoodOptions& options = {});
    Color At(float x, float y) const override;

private:
    struct Knot {
        float x, y, rx, ry;
    };
    float GrainShift(float x, float y) const;

    Look look_;
    Noise wobble_, broad_, fibre_, pores_, rays_;
    std::uint32_t seed_;
    bool cathedral_ = false;
    float spacing_ = 4.0f;
    float contrast_ = 0.5f;
    float pithY_ = 0.0f, depth_ = 0.0f, slope_ = 0.0f, slopeX0_ = 0.0f;
    float tilt_ = 0.0f;
    float waveAmp_ = 0.0f, waveFreq_ = 0.0f;
    float ribbonLambda_ = 20.0f, ribbonPhase_ = 0.0f;
    float rippleLambda_ = 7.0f, sheenY_ = 75.0f, sapEdge_ = 38.0f;
    std::vector<Knot> knots_;
};

std::unique_ptr<Surface> MakeBoard(const Look& look, std::uint32_t seed);
std::unique_ptr<Surface> MakeMetal(const Look& look, std::uint32_t seed);
std::unique_ptr<Surface> MakePlastic(const Look& look, std::uint32_t seed);

inline const Color kWhite{1.0f, 1.0f, 1.0f};

}  // namespace makepics
