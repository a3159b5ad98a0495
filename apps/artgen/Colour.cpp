#include "Colour.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace quindel::artgen {

using platform::Rgba;

Rgba Lerp(Rgba a, Rgba b, double t) {
    auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return platform::MakeRgb(channel(platform::RedOf(a), platform::RedOf(b)),
                             channel(platform::GreenOf(a), platform::GreenOf(b)),
                             channel(platform::BlueOf(a), platform::BlueOf(b)));
}

namespace {

// Largest-remainder rounding: the steps always add up to kMixSteps.
std::vector<int> SnapWeights(std::span<const double> weights) {
    std::vector<int> steps(weights.size());
    std::vector<double> rest(weights.size());
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const double scaled = weights[i] * kMixSteps;
        steps[i] = int(std::floor(scaled));
        rest[i] = scaled - steps[i];
    }
    std::vector<std::size_t> order(weights.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return rest[a] > rest[b]; });
    int missing = kMixSteps - std::accumulate(steps.begin(), steps.end(), 0);
    for (std::size_t k = 0; missing > 0 && k < order.size(); ++k, --missing) ++steps[order[k]];
    return steps;
}

}  // namespace

Rgba Blend(std::span<const double> weights, std::span<const Rgba> colours) {
    const std::vector<int> steps = SnapWeights(weights);
    int r = 0, g = 0, b = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        r += steps[i] * platform::RedOf(colours[i]);
        g += steps[i] * platform::GreenOf(colours[i]);
        b += steps[i] * platform::BlueOf(colours[i]);
    }
    auto avg = [](int sum) { return (sum + kMixSteps / 2) / kMixSteps; };
    return platform::MakeRgb(avg(r), avg(g), avg(b));
}

}  // namespace quindel::artgen
