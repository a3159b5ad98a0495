#pragma once
// Colour mixing for the artwork. Mixes are snapped to a few steps so anti-aliased edges reuse
// the same handful of shades and the whole strip fits one 256-colour palette.
#include <span>

#include "platform/Image.h"

namespace quindel::artgen {

// a + (b − a)·t, per channel, rounded.
platform::Rgba Lerp(platform::Rgba a, platform::Rgba b, double t);

// Weighted sum of `colours`; the weights (summing to 1) are first rounded to multiples
// of 1/kMixSteps, keeping their sum.
constexpr int kMixSteps = 8;
platform::Rgba Blend(std::span<const double> weights, std::span<const platform::Rgba> colours);

}  // namespace quindel::artgen
