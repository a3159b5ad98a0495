#pragma once
// An RGBA raster, the one picture format of the platform layer: button strips, cursors,
// the persistent drawing of picture boxes and window grabs are all Images, so both
// backends produce the very same pixels.
//
// An Image may carry a denser drawing of the same picture (the artwork drawn at twice the size):
// painting on a denser device takes it rather than enlarging the Image. Copies of a part carry
// the matching part of it; any change to the pixels drops it, since it would no longer show the
// same picture.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quindel::platform {

// 0xAARRGGBB.
using Rgba = std::uint32_t;

// Rows of pixels held elsewhere (an Image, a decoder's buffer), valid while their holder lends
// them; rows may be padded.
struct PixelsView {
    const std::uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;  // bytes from one row to the next
    const Rgba* row(int y) const {
        return reinterpret_cast<const Rgba*>(data + std::size_t(y) * stride);
    }
};

constexpr Rgba MakeRgb(int r, int g, int b) {
    return 0xFF000000u | (std::uint32_t(r & 255) << 16) | (std::uint32_t(g & 255) << 8) |
           std::uint32_t(b & 255);
}
constexpr int RedOf(Rgba c) {
    return int((c >> 16) & 255);
}
constexpr int GreenOf(Rgba c) {
    return int((c >> 8) & 255);
}
constexpr int BlueOf(Rgba c) {
    return int(c & 255);
}
constexpr int AlphaOf(Rgba c) {
    return int((c >> 24) & 255);
}

class Image {
  public:
    Image() = default;
    Image(int width, int height, Rgba fill = MakeRgb(0, 0, 0));

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Out-of-range reads give 0, out-of-range writes are dropped: drawing clips.
    Rgba pixel(int x, int y) const { return contains(x, y) ? pixels_[index(x, y)] : 0; }
    void setPixel(int x, int y, Rgba c) {
        if (!contains(x, y)) return;
        dropDenser();
        pixels_[index(x, y)] = c;
    }
    // The pixels of row y (0 <= y < height), width() of them; the writable row drops the denser
    // drawing.
    Rgba* row(int y) {
        dropDenser();
        return pixels_.data() + index(0, y);
    }
    const Rgba* row(int y) const { return pixels_.data() + index(0, y); }

    void fill(Rgba c);
    void fillRect(int x, int y, int w, int h, Rgba c);

    // The part (x, y, w, h), clipped to the image, with the matching part of the denser drawing.
    Image copy(int x, int y, int w, int h) const;
    // Copies src unchanged with its top-left corner at (x, y), clipped.
    void blit(const Image& src, int x, int y);
    // Becomes a copy of the pixels viewed, taking their size.
    void assign(const PixelsView& src);

    const std::vector<Rgba>& pixels() const { return pixels_; }
    PixelsView view() const {
        return {reinterpret_cast<const std::uint8_t*>(pixels_.data()), width_, height_,
                std::size_t(width_) * sizeof(Rgba)};
    }
    // Equal pixels; a denser drawing is another rendering of the same picture and is not compared.
    bool operator==(const Image& other) const;

    // The same picture drawn with `scale` (> 1) of its pixels to one of this one's, each way.
    void setDenser(Image denser, double scale);
    const Image* denser() const { return denser_.get(); }
    double denserScale() const { return denser_ ? denserScale_ : 1.0; }

    // Writes a PNG; returns false when the file cannot be written.
    bool savePng(const std::string& path) const;

  private:
    void dropDenser() {
        if (denser_) denser_.reset();
    }
    std::size_t index(int x, int y) const {
        return std::size_t(y) * std::size_t(width_) + std::size_t(x);
    }
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
    std::shared_ptr<const Image> denser_;  // shared by copies: never changed once set
    double denserScale_ = 1.0;
};

}  // namespace quindel::platform
