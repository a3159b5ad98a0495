#include "platform/Image.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace quindel::platform {

Image::Image(int width, int height, Rgba fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), fill) {}

void Image::fill(Rgba c) {
    dropDenser();
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Image::fillRect(int x, int y, int w, int h, Rgba c) {
    dropDenser();
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
    for (int yy = y0; yy < y1; ++yy)
        std::fill_n(pixels_.begin() + std::ptrdiff_t(index(x0, yy)), std::max(x1 - x0, 0), c);
}

Image Image::copy(int x, int y, int w, int h) const {
    const int x0 = std::clamp(x, 0, width_), y0 = std::clamp(y, 0, height_);
    const int x1 = std::clamp(x + w, 0, width_), y1 = std::clamp(y + h, 0, height_);
    Image out(x1 - x0, y1 - y0);
    for (int yy = y0; yy < y1; ++yy) std::copy_n(row(yy) + x0, x1 - x0, out.row(yy - y0));
    if (denser_ && !out.empty()) {
        auto at = [s = denserScale_](int v) { return int(std::lround(v * s)); };
        out.setDenser(denser_->copy(at(x0), at(y0), at(x1) - at(x0), at(y1) - at(y0)),
                      denserScale_);
    }
    return out;
}

// Whole clipped rows at a time.
void Image::blit(const Image& src, int x, int y) {
    dropDenser();
    const int sx0 = std::max(-x, 0), sy0 = std::max(-y, 0);
    const int sx1 = std::min(src.width(), width_ - x), sy1 = std::min(src.height(), height_ - y);
    if (sx1 <= sx0) return;
    for (int sy = sy0; sy < sy1; ++sy)
        std::copy_n(src.row(sy) + sx0, sx1 - sx0, row(y + sy) + x + sx0);
}

void Image::assign(const PixelsView& src) {
    dropDenser();
    if (src.width != width_ || src.height != height_) *this = Image(src.width, src.height);
    for (int y = 0; y < height_; ++y) std::copy_n(src.row(y), width_, row(y));
}

bool Image::operator==(const Image& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

void Image::setDenser(Image denser, double scale) {
    if (denser.empty() || !(scale > 1.0)) {
        denser_.reset();
        return;
    }
    denser_ = std::make_shared<const Image>(std::move(denser));
    denserScale_ = scale;
}

bool Image::savePng(const std::string& path) const {
    if (empty()) return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(width_), png_uint_32(height_), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(std::size_t(width_) * 4);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Rgba c = pixel(x, y);
            row[std::size_t(x) * 4 + 0] = png_byte(RedOf(c));
            row[std::size_t(x) * 4 + 1] = png_byte(GreenOf(c));
            row[std::size_t(x) * 4 + 2] = png_byte(BlueOf(c));
            row[std::size_t(x) * 4 + 3] = png_byte(AlphaOf(c));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace quindel::platform
