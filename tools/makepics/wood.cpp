// Timber faces: growth rings (straight, flat-sawn cathedral arches or wavy),
// pores of open-grained woods, ray flecks, ribbon stripe of interlocked grain,
// knots with the grain flowing round them, and fine fibre streaks.
#include <cmath>

#include "surfaces.h"

namespace makepics {

WoodSurface::WoodSurface(const Look& look, std::uint32_t seed, const WoodOptions& options)
    : look_(look),
      wobble_(seed * 3U + 1U),
      broad_(seed * 3U + 2U),
      fibre_(seed * 3U + 3U),
      pores_(seed * 7U + 5U),
      rays_(seed * 11U + 7U),
      seed_(seed) {
    Rng rng(seed);
    switch (look.figure) {
        case Figure::Knotty:
            spacing_ = rng.Uniform(5.5f, 8.0f);
            contrast_ = 0.80f;
            cathedral_ = true;
            break;
        case Figure::Open:
            spacing_ = rng.Uniform(4.5f, 6.5f);
            contrast_ = 0.55f;
            cathedral_ = true;
            break;
        case Figure::Fine:
            spacing_ = rng.Uniform(3.0f, 4.0f);
            contrast_ = 0.28f;
            cathedral_ = rng.Uniform(0, 1) < 0.5f;
            break;
        case Figure::Straight:
            spacing_ = rng.Uniform(3.2f, 4.5f);
            contrast_ = 0.48f;
            break;
        case Figure::Interlocked:
            spacing_ = rng.Uniform(2.2f, 3.0f);
            contrast_ = 0.30f;
            break;
        case Figure::Ripple:
            spacing_ = rng.Uniform(3.5f, 4.5f);
            contrast_ = 0.22f;
            break;
        case Figure::Silky:
            spacing_ = rng.Uniform(1.6f, 2.2f);
            contrast_ = 0.14f;
            break;
        case Figure::Ring:
            spacing_ = rng.Uniform(6.5f, 9.0f);
            contrast_ = 0.85f;
            break;
        case Figure::Plain:
            spacing_ = rng.Uniform(2.8f, 3.4f);
            contrast_ = 0.08f;
            break;
        case Figure::Wavy:
            spacing_ = rng.Uniform(3.2f, 4.2f);
            contrast_ = 0.45f;
            waveAmp_ = rng.Uniform(1.8f, 2.8f);
            waveFreq_ = rng.Uniform(0.035f, 0.05f);
            break;
    }
    if (options.rotary) {
        cathedral_ = true;
        spacing_ *= 2.2f;
    }
    spacing_ *= options.spacingScale;
    contrast_ *= options.contrastScale;

    // Flat-sawn boards: the face is a plane at some distance from the pith, a
    // little out of parallel with it, so the rings cut it in nested arches.
    pithY_ = rng.Uniform(55.0f, 95.0f);
    depth_ = rng.Uniform(10.0f, 30.0f) * spacing_ / 5.0f;
    slope_ = rng.Uniform(0.10f, 0.22f) * (options.rotary ? 0.6f : 1.0f);
    slopeX0_ = rng.Uniform(0, 1) < 0.5f ? rng.Uniform(-20.0f, 30.0f) : rng.Uniform(170.0f, 220.0f);
    if (slopeX0_ > 100.0f) slope_ = -slope_;
    tilt_ = rng.Uniform(-0.04f, 0.04f);
    ribbonLambda_ = rng.Uniform(16.0f, 24.0f);
    rippleLambda_ = rng.Uniform(6.0f, 8.5f);
    sheenY_ = rng.Uniform(40.0f, 110.0f);
    sapEdge_ = rng.Uniform(30.0f, 45.0f);
    ribbonPhase_ = rng.Uniform(0.0f, 6.28f);

    if (look.figure == Figure::Knotty && options.knots) {
        const int count = rng.Int(1, 2);
        for (int i = 0; i < count; ++i) {
            Knot k;
            k.x = count == 1 ? rng.Uniform(60.0f, 140.0f)
                             : (i == 0 ? rng.Uniform(30.0f, 80.0f) : rng.Uniform(120.0f, 170.0f));
            k.y = rng.Uniform(35.0f, 115.0f);
            k.ry = rng.Uniform(8.0f, 13.0f);
            k.rx = k.ry * rng.Uniform(1.1f, 1.5f);
            knots_.push_back(k);
        }
    }
}

// How far the grain lines are pushed aside round the knots at (x, y).
float WoodSurface::GrainShift(float x, float y) const {
    float shift = 0.0f;
    for (const Knot& k : knots_) {
        const float dx = (x - k.x) / (k.rx * 3.2f);
        const float dy = (y - k.y) / (k.ry * 4.0f);
        shift += 1.5f * k.ry * std::tanh((y - k.y) / k.ry) * std::exp(-dx * dx - dy * dy);
    }
    return shift;
}

Color WoodSurface::At(float x, float y) const {
    const float yy = y + GrainShift(x, y);
    const float wob = (wobble_.Fbm(x * 0.010f, yy * 0.035f, 3) - 0.5f);

    float phase;
    if (cathedral_) {
        float d = depth_ + slope_ * (x - slopeX0_);
        d = std::sqrt(d * d + 4.0f);  // never flat at the pith
        const float across = yy - pithY_ + wob * 10.0f;
        phase = std::sqrt(across * across + d * d) / spacing_;
    } else {
        float across = yy + tilt_ * x + wob * 6.0f;
        // Wavy grain: the waves drift along the board from line to line, so
        // they never line up into bands.
        if (waveAmp_ > 0.0f) across += waveAmp_ * std::sin(x * waveFreq_ + yy * 0.09f + wob * 5.0f);
        // Rings of uneven width: some years grew more than others.
        across += (broad_.Fbm(3.7f + x * 0.002f, across * 0.045f, 2) - 0.5f) * spacing_ * 6.0f;
        phase = across / spacing_;
    }

    // Growth ring: light earlywood fading into a darker latewood band.
    const float t = Fract(phase);
    const float ring = std::floor(phase);
    const float ringVar = Unit(Hash(seed_, static_cast<std::int32_t>(ring), 11));
    // Softwoods with a strong figure (Douglas fir) have a narrow, sharp band of
    // dense latewood; elsewhere the latewood fades in gradually.
    const bool sharp = look_.figure == Figure::Ring;
    const float lateStart = (sharp ? 0.56f : 0.50f) + 0.15f * ringVar;
    const float late =
        SmoothStep(lateStart, lateStart + (sharp ? 0.08f : 0.25f), t) * (1.0f - SmoothStep(0.94f, 1.0f, t));
    float v = late * contrast_ * (0.75f + 0.5f * ringVar);
    // Ring-porous woods (oak, ash): the band of large earlywood pores at the
    // start of each ring is what draws the figure; the latewood is smooth.
    const float poreBand = look_.figure == Figure::Open ? 1.0f - SmoothStep(0.18f, 0.34f, t) : 0.0f;
    if (look_.figure == Figure::Open) v = v * 0.45f + poreBand * 0.30f;

    const float broad = broad_.Fbm(x * 0.007f, y * 0.02f, 3) - 0.5f;
    // Long streaks of darker and lighter colour running with the grain.
    const float streaks = wobble_.Fbm(x * 0.004f + 11.0f, yy * 0.05f, 3) - 0.5f;
    v += streaks * 0.45f;
    const float fibre = 0.6f * fibre_.Value(x * 0.035f, yy * 0.9f) + 0.4f * fibre_.Value(x * 0.09f, yy * 2.1f) - 0.5f;
    const float quiet = look_.figure == Figure::Plain || look_.figure == Figure::Silky ? 0.35f : 1.0f;
    v += (broad * 0.35f + fibre * 0.16f) * quiet;
    Color c = Mix(look_.color, look_.color2, Clamp01(v));
    if (look_.streaks) {
        // Long streaks of another colour running with the grain.
        const float s = SmoothStep(0.56f, 0.70f, wobble_.Fbm(x * 0.003f + 40.0f, yy * 0.06f, 3));
        c = Mix(c, look_.color3, 0.6f * s);
    }
    if (look_.sapwood) {
        // A band of pale sapwood along the top edge, with a wavering boundary.
        const float edge = sapEdge_ + 9.0f * (broad_.Fbm(x * 0.01f, 3.0f, 2) - 0.5f);
        const Color sap = Mix(look_.color, Color{0.94f, 0.86f, 0.66f}, 0.75f);
        c = Mix(c, sap, 1.0f - SmoothStep(edge - 2.0f, edge + 2.0f, y));
    }

    float light = 1.0f;
    if (look_.figure == Figure::Open) {
        // Rows of large pores in the earlywood, drawn out along the grain.
        const float pore = SmoothStep(0.66f, 0.76f, pores_.Value(x * 0.16f, yy * 1.8f));
        light -= 0.30f * pore * (0.08f + 0.92f * poreBand);
    }
    if (look_.rays) {
        // Medullary rays cut across: short thin flecks along the grain.
        const float fleck = SmoothStep(0.84f, 0.89f, rays_.Value(x * 0.09f, yy * 1.5f));
        light -= 0.20f * fleck;
    }
    if (look_.figure == Figure::Interlocked) {
        // Ribbon stripe: bands that catch the light differently.
        const float band = std::sin((yy + broad * 14.0f) * 6.2832f / ribbonLambda_ + ribbonPhase_ + x * 0.008f);
        light *= 1.0f + 0.10f * SmoothStep(-0.7f, 0.7f, band) - 0.05f;
    }

    if (look_.figure == Figure::Ripple) {
        // Fiddleback: bands across the grain that catch the light in turn.
        light *= 1.0f + 0.06f * std::sin((x + 4.0f * wob) * 6.2832f / rippleLambda_ + yy * 0.02f);
    }
    if (look_.figure == Figure::Silky) {
        // A silvery sheen running along the board.
        light *= 1.0f + 0.12f * std::exp(-((y - sheenY_) / 28.0f) * ((y - sheenY_) / 28.0f));
    }

    for (const Knot& k : knots_) {
        const float ex = (x - k.x) / k.rx;
        const float ey = (y - k.y) / k.ry;
        const float r = std::sqrt(ex * ex + ey * ey);
        if (r > 1.9f) continue;
        // An uneven outline: the radius wanders with the angle round the knot.
        const float a = std::atan2(ey, ex);
        const float edge = 1.0f + 0.12f * (wobble_.Value(std::cos(a) * 1.8f + k.x, std::sin(a) * 1.8f + k.y) - 0.5f);
        const float e = r / edge;
        // Around the knot the wood is darker and the grain denser.
        c = Mix(c, look_.color2, 0.35f * (1.0f - SmoothStep(1.0f, 1.8f, e)));
        const float inside = 1.0f - SmoothStep(0.9f, 1.0f, e);
        const float rings = 0.5f + 0.5f * std::sin(e * k.ry * 6.2832f / 3.0f);
        const Color dark = Color{look_.color2.r * 0.62f, look_.color2.g * 0.48f, look_.color2.b * 0.40f};
        const Color knot = Mix(dark, Scale(look_.color2, 0.8f), 0.25f * rings + 0.35f * e * e);
        c = Mix(c, knot, inside);
        light -= 0.30f * SmoothStep(0.78f, 0.96f, e) * (1.0f - SmoothStep(0.98f, 1.15f, e));
    }

    // Soft light from the top left and a fine surface texture.
    const float grain = Unit(Hash(seed_, static_cast<std::int32_t>(x * 2.0f), static_cast<std::int32_t>(y * 2.0f)));
    light *= 1.04f - 0.10f * (x / 200.0f + y / 150.0f) * 0.5f + (grain - 0.5f) * 0.04f;
    return Scale(c, light);
}

}  // namespace makepics
