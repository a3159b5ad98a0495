// The main job: renders the panel's built-in artwork into PNG files in the folder given on the
// command line.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/Bmp.h"
#include "platform/Raster.h"
#include "support/Risorse.h"

using namespace quindel::platform;

namespace {

// Nearest-neighbour enlargement, so the 24-pixel cells can be judged by eye.
Image Enlarge(const Image& img, int factor) {
    Image out(img.width() * factor, img.height() * factor);
    Blend(out, 0, 0, out.width(), out.height(), img, 0, 0, img.width(), img.height(), 0x00CC0020);
    return out;
}

bool Render(const std::string& name, const std::filesystem::path& outDir) {
    const auto img = DecodeBmp(quindel::RisorsaIncorporata(name + ".bmp"));
    if (!img) {
        std::fprintf(stderr, "no built-in picture %s\n", name.c_str());
        return false;
    }
    const auto dst = outDir / (name + ".png");
    if (!Enlarge(*img, 3).savePng(dst.string())) {
        std::fprintf(stderr, "cannot write %s\n", dst.c_str());
        return false;
    }
    std::printf("%s: %d x %d pixels -> %s\n", name.c_str(), img->width(), img->height(),
                dst.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path outDir = argc > 1 ? argv[1] : ".";
    std::filesystem::create_directories(outDir);
    bool ok = true;
    for (const char* name : {"toolbar", "zoomin", "zoomout", "pointers"}) ok &= Render(name, outDir);
    return ok ? 0 : 1;
}
