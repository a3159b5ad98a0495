#include "Noise.h"

#include <cmath>

namespace quindel::samplegen {
namespace {

double Smooth(double t) {
    return t * t * (3 - 2 * t);
}

}  // namespace

Noise::Noise(std::uint32_t seed) : seed_(seed), lattice_(std::size_t(kSide) * kSide) {
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) lattice_[std::size_t(x | (y << 8))] = float(Hash(x, y));
}

double Noise::Hash(std::int64_t x, std::int64_t y) const {
    std::uint64_t h = std::uint64_t(x) * 0x9E3779B97F4A7C15ull ^
                      std::uint64_t(y) * 0xC2B2AE3D27D4EB4Full ^
                      std::uint64_t(seed_) * 0x165667B19E3779F9ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return double(h >> 11) / double(1ull << 53);
}

double Noise::At(double x, double y) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = std::int64_t(fx), iy = std::int64_t(fy);
    const double tx = Smooth(x - fx), ty = Smooth(y - fy);
    const double a = Lattice(ix, iy), b = Lattice(ix + 1, iy);
    const double c = Lattice(ix, iy + 1), d = Lattice(ix + 1, iy + 1);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Noise::Fbm(double x, double y, int octaves) const {
    double sum = 0, weight = 0.5, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += At(x, y + 17.0 * i) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

std::uint32_t SeedOf(const char* text) {
    std::uint32_t h = 2166136261u;
    for (; *text; ++text) h = (h ^ std::uint8_t(*text)) * 16777619u;
    return h;
}

}  // namespace quindel::samplegen
