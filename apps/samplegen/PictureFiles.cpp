#include "PictureFiles.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace quindel::samplegen {

using platform::Image;
using platform::Rgba;

namespace {

void Put16(std::string& s, std::uint32_t v) {
    s += char(v & 255);
    s += char((v >> 8) & 255);
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

Rgba Opaque(Rgba c) {
    return c | 0xFF000000u;
}

// The colours of all frames, or the colour cube when there are too many.
std::vector<Rgba> PaletteOf(const std::vector<GifFrameSpec>& frames, bool& cube) {
    std::map<Rgba, int> seen;
    for (const GifFrameSpec& f : frames)
        for (Rgba c : f.image.pixels()) {
            seen.emplace(Opaque(c), 0);
            if (seen.size() > 256) break;
        }
    std::vector<Rgba> palette;
    cube = seen.size() > 256;
    if (!cube) {
        for (const auto& [c, unused] : seen) palette.push_back(c);
        return palette;
    }
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(platform::MakeRgb(r * 51, g * 255 / 6, b * 51));
    return palette;
}

GifByteType IndexOf(Rgba c, const std::vector<Rgba>& palette, bool cube) {
    if (cube)
        return GifByteType((platform::RedOf(c) * 5 + 127) / 255 * 42 +
                           (platform::GreenOf(c) * 6 + 127) / 255 * 6 +
                           (platform::BlueOf(c) * 5 + 127) / 255);
    return GifByteType(std::lower_bound(palette.begin(), palette.end(), Opaque(c)) -
                       palette.begin());
}

int WriteToString(GifFileType* gif, const GifByteType* data, int n) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), std::size_t(n));
    return n;
}

void Check(int result, const char* what) {
    if (result != GIF_OK) throw std::runtime_error(std::string("giflib: ") + what);
}

void PutFrame(GifFileType* gif, const GifFrameSpec& f, const std::vector<Rgba>& palette,
              bool cube) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.DelayTime = f.delayCs;
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), "frame delay");
    const int w = f.image.width(), h = f.image.height();
    Check(EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr), "frame");
    std::vector<GifByteType> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        const Rgba* row = f.image.row(y);
        for (int x = 0; x < w; ++x) line[std::size_t(x)] = IndexOf(row[x], palette, cube);
        Check(EGifPutLine(gif, line.data(), w), "pixels");
    }
}

}  // namespace

std::string EncodeJpeg(const Image& img, int quality) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    // libjpeg's own error exit ends the program with its message: the pictures are ours, so a
    // failure is a bug, and nothing may unwind through libjpeg's frames.
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(img.width());
    c.image_height = JDIMENSION(img.height());
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> rgb(std::size_t(img.width()) * 3);
    while (c.next_scanline < c.image_height) {
        const Rgba* row = img.row(int(c.next_scanline));
        for (int x = 0; x < img.width(); ++x) {
            rgb[std::size_t(x) * 3] = std::uint8_t(platform::RedOf(row[x]));
            rgb[std::size_t(x) * 3 + 1] = std::uint8_t(platform::GreenOf(row[x]));
            rgb[std::size_t(x) * 3 + 2] = std::uint8_t(platform::BlueOf(row[x]));
        }
        JSAMPROW rows[1] = {rgb.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

std::string EncodeBmp(const Image& img) {
    const std::uint32_t stride = (std::uint32_t(img.width()) * 3 + 3) & ~3u;
    const std::uint32_t data = stride * std::uint32_t(img.height());
    std::string s = "BM";
    Put32(s, 54 + data);
    Put32(s, 0);
    Put32(s, 54);
    Put32(s, 40);
    Put32(s, std::uint32_t(img.width()));
    Put32(s, std::uint32_t(img.height()));
    Put16(s, 1);
    Put16(s, 24);
    for (std::uint32_t v : {0u, data, 2835u, 2835u, 0u, 0u}) Put32(s, v);
    for (int y = img.height() - 1; y >= 0; --y) {
        const Rgba* row = img.row(y);
        std::size_t at = s.size();
        for (int x = 0; x < img.width(); ++x) {
            s += char(platform::BlueOf(row[x]));
            s += char(platform::GreenOf(row[x]));
            s += char(platform::RedOf(row[x]));
        }
        s.append(stride - (s.size() - at), '\0');
    }
    return s;
}

// Through the platform's own writer, which only writes files.
std::string EncodePng(const Image& img) {
    const std::filesystem::path tmp = std::filesystem::temp_directory_path() /
                                      ("quindel-samplegen-" + std::to_string(::getpid()) + ".png");
    if (!img.savePng(tmp.string())) throw std::runtime_error("cannot write " + tmp.string());
    std::ifstream in(tmp, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(tmp);
    return bytes;
}

std::string EncodeGif(const std::vector<GifFrameSpec>& frames) {
    if (frames.empty()) throw std::runtime_error("an animation without frames");
    bool cube = false;
    const std::vector<Rgba> palette = PaletteOf(frames, cube);
    std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] = {GifByteType(platform::RedOf(palette[i])),
                      GifByteType(platform::GreenOf(palette[i])),
                      GifByteType(platform::BlueOf(palette[i]))};
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToString, &error);
    if (!gif) throw std::runtime_error("giflib cannot start a file");
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    try {
        const Image& first = frames.front().image;
        EGifSetGifVersion(gif, true);
        Check(EGifPutScreenDesc(gif, first.width(), first.height(), 8, 0, map), "screen");
        const GifByteType loop[] = {1, 0, 0};  // NETSCAPE2.0: play for ever
        Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "loop");
        Check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), "loop");
        Check(EGifPutExtensionBlock(gif, 3, loop), "loop");
        Check(EGifPutExtensionTrailer(gif), "loop");
        for (const GifFrameSpec& f : frames) PutFrame(gif, f, palette, cube);
    } catch (...) {
        GifFreeMapObject(map);
        EGifCloseFile(gif, &error);
        throw;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK)
        throw std::runtime_error("giflib cannot finish the file");
    return out;
}

}  // namespace quindel::samplegen
