#pragma once
// Smooth value noise for the painters: the same seed always gives the same landscape, so the
// generated sample is the same on every machine.
#include <cstdint>
#include <vector>

namespace quindel::samplegen {

class Noise {
  public:
    explicit Noise(std::uint32_t seed);

    // In [0, 1), one lattice cell per unit.
    double At(double x, double y) const;
    // Octaves of At, each twice as fine and half as strong; in [0, 1).
    double Fbm(double x, double y, int octaves) const;
    // A hash of a lattice point in [0, 1): sparse details such as stars and windows.
    double Hash(std::int64_t x, std::int64_t y) const;

  private:
    // Lattice values repeat every kSide cells: far beyond what one picture shows at the
    // frequencies the painters use, and a table is several times faster than hashing each corner.
    static constexpr int kSide = 256;
    float Lattice(std::int64_t x, std::int64_t y) const {
        return lattice_[std::size_t((x & (kSide - 1)) | ((y & (kSide - 1)) << 8))];
    }

    std::uint32_t seed_;
    std::vector<float> lattice_;
};

// A seed from a text (a file name): FNV-1a.
std::uint32_t SeedOf(const char* text);

}  // namespace quindel::samplegen
