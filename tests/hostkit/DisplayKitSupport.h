#pragma once
// What the display-control tests share: a shown borderless form on a headless platform, files
// written in the test, and pictures whose pixels tell where they came from.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/JpegWriter.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"

namespace quindel::test {

inline constexpr int kTwips = 15;  // the headless screen's twips per pixel

struct Stage {
    headless::HeadlessPlatform p;
    std::shared_ptr<platform::Form> form = p.NewForm();
    Stage() {
        form->setBorderStyle(platform::border::None);
        form->Move(0, 0, 800 * kTwips, 600 * kTwips);
        form->Show();
    }
};

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}
inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

// Red is the column and green the row (both modulo 256), blue a constant.
inline platform::Image Addressed(int width, int height, int blue = 0) {
    platform::Image img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) img.setPixel(x, y, platform::MakeRgb(x, y, blue));
    return img;
}

inline std::vector<std::uint8_t> JpegOf(const platform::Image& img, int quality = 95) {
    return WriteJpeg(img.width(), img.height(),
                     [&img](int y, std::uint8_t* rgb) {
                         for (int x = 0; x < img.width(); ++x) {
                             const platform::Rgba c = img.pixel(x, y);
                             rgb[3 * x] = std::uint8_t(platform::RedOf(c));
                             rgb[3 * x + 1] = std::uint8_t(platform::GreenOf(c));
                             rgb[3 * x + 2] = std::uint8_t(platform::BlueOf(c));
                         }
                     },
                     {quality});
}

// Whether two colours are within `tolerance` on every channel.
inline bool Near(platform::Rgba a, platform::Rgba b, int tolerance) {
    return std::abs(platform::RedOf(a) - platform::RedOf(b)) <= tolerance &&
           std::abs(platform::GreenOf(a) - platform::GreenOf(b)) <= tolerance &&
           std::abs(platform::BlueOf(a) - platform::BlueOf(b)) <= tolerance;
}

inline Object ObjectOf(const Variant& v) {
    return v.isObject() ? *v.asObjectPtr() : Object();
}

// The run-time error f raises, or 0.
template <class F>
int ErrorOf(F&& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace quindel::test
