#pragma once
// JPEG files for tests, fuzz seeds and benchmarks, written by libjpeg. The test and benchmark
// programs link libjpeg only through the platform library, so they call it through functions
// found in the running process, where the platform library has loaded it (LIBJPEG(name)).
#include <dlfcn.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/Image.h"

namespace quindel::test {

template <class F>
F* LoadedFunction(const char* name) {
    void* f = dlsym(RTLD_DEFAULT, name);
    if (!f) {
        std::fprintf(stderr, "%s is not loaded in this process\n", name);
        std::abort();
    }
    return reinterpret_cast<F*>(f);
}
#define LIBJPEG(fn) ::quindel::test::LoadedFunction<decltype(fn)>(#fn)

enum class JpegKind {
    Colour,
    Grey,
    AdobeCmyk,  // inverted ink (255 = none), with the Adobe marker, as Photoshop writes
    PlainCmyk,  // ink amounts, no Adobe marker
};

struct JpegOptions {
    int quality = 95;
    JpegKind kind = JpegKind::Colour;
    bool progressive = false;
    bool fullChroma = true;  // 4:4:4; false: the usual 4:2:0
};

// rgbRow(y, out) fills one row of width * 3 bytes.
inline std::vector<std::uint8_t> WriteJpeg(int width, int height,
                                           const std::function<void(int, std::uint8_t*)>& rgbRow,
                                           const JpegOptions& o = {}) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = LIBJPEG(jpeg_std_error)(&err);
    LIBJPEG(jpeg_CreateCompress)(&c, JPEG_LIB_VERSION, sizeof c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    LIBJPEG(jpeg_mem_dest)(&c, &buffer, &size);
    const bool cmyk = o.kind == JpegKind::AdobeCmyk || o.kind == JpegKind::PlainCmyk;
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = o.kind == JpegKind::Grey ? 1 : cmyk ? 4 : 3;
    c.in_color_space = o.kind == JpegKind::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    LIBJPEG(jpeg_set_defaults)(&c);
    LIBJPEG(jpeg_set_quality)(&c, o.quality, TRUE);
    if (o.fullChroma) c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = 1;
    if (o.kind == JpegKind::PlainCmyk) c.write_Adobe_marker = FALSE;
    if (o.progressive) LIBJPEG(jpeg_simple_progression)(&c);
    LIBJPEG(jpeg_start_compress)(&c, TRUE);
    std::vector<std::uint8_t> rgb(std::size_t(width) * 3), row(std::size_t(width) * 4);
    while (c.next_scanline < c.image_height) {
        rgbRow(int(c.next_scanline), rgb.data());
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgb[std::size_t(x) * 3];
            std::uint8_t* q = &row[std::size_t(x) * std::size_t(c.input_components)];
            if (o.kind == JpegKind::Grey) q[0] = std::uint8_t((p[0] + p[1] + p[2]) / 3);
            if (o.kind == JpegKind::Colour) q[0] = p[0], q[1] = p[1], q[2] = p[2];
            if (o.kind == JpegKind::AdobeCmyk) q[0] = p[0], q[1] = p[1], q[2] = p[2], q[3] = 255;
            if (o.kind == JpegKind::PlainCmyk)
                q[0] = std::uint8_t(255 - p[0]), q[1] = std::uint8_t(255 - p[1]),
                q[2] = std::uint8_t(255 - p[2]), q[3] = 0;
        }
        JSAMPROW rows[1] = {row.data()};
        LIBJPEG(jpeg_write_scanlines)(&c, rows, 1);
    }
    LIBJPEG(jpeg_finish_compress)(&c);
    LIBJPEG(jpeg_destroy_compress)(&c);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

inline std::vector<std::uint8_t> WriteJpeg(const platform::Image& img, const JpegOptions& o = {}) {
    return WriteJpeg(
        img.width(), img.height(),
        [&](int y, std::uint8_t* rgb) {
            for (int x = 0; x < img.width(); ++x) {
                const platform::Rgba p = img.pixel(x, y);
                rgb[3 * x] = std::uint8_t(platform::RedOf(p));
                rgb[3 * x + 1] = std::uint8_t(platform::GreenOf(p));
                rgb[3 * x + 2] = std::uint8_t(platform::BlueOf(p));
            }
        },
        o);
}

}  // namespace quindel::test
