// quindel-artgen OUTDIR [--preview PREVIEWDIR]: regenerates the button strip, the pointer bitmaps
// and the dialogs' pictures, each drawn at its own size (NAME.bmp) and at twice it for dense
// screens (NAME@2x.bmp); with --preview also writes PNG enlargements to four times the first
// size for review.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "BmpWriter.h"
#include "DialogArt.h"
#include "Pointers.h"
#include "Preview.h"
#include "ToolbarStrip.h"

namespace {

using quindel::platform::Image;
namespace artgen = quindel::artgen;
namespace fs = std::filesystem;

constexpr int kPreviewScale = 4;

struct Artwork {
    std::string name;
    Image image;
    std::vector<quindel::platform::Rgba> fixedPalette;
};

// Every picture at one density: its name ends in "@2x" at twice the size.
std::vector<Artwork> BuildArtwork(int scale) {
    const std::vector<quindel::platform::Rgba> pointer{artgen::kTransparent};
    const std::string suffix = scale == 1 ? "" : "@" + std::to_string(scale) + "x";
    std::vector<Artwork> art{{"toolbar", artgen::RenderToolbarStrip(scale), {}},
                             {"zoomin", artgen::RenderZoomPointer(true, scale), pointer},
                             {"zoomout", artgen::RenderZoomPointer(false, scale), pointer},
                             {"pointers", artgen::RenderPanPointers(scale), pointer},
                             {"copia", artgen::RenderCopyBackground(scale), {}},
                             {"stampa", artgen::RenderPrintBackground(scale), {}},
                             {"opzione", artgen::RenderOptionMarkers(scale), {}},
                             {"spunta", artgen::RenderCheckMark(scale), {}}};
    for (Artwork& a : art) a.name += suffix;
    return art;
}

void Generate(const fs::path& outDir, const fs::path& previewDir) {
    fs::create_directories(outDir);
    if (!previewDir.empty()) fs::create_directories(previewDir);
    for (int scale : {1, 2}) {
        for (const Artwork& art : BuildArtwork(scale)) {
            artgen::WriteIndexedBmp((outDir / (art.name + ".bmp")).string(), art.image,
                                    art.fixedPalette);
            if (previewDir.empty()) continue;
            const int enlarge = kPreviewScale / scale;
            const fs::path png = previewDir / (art.name + "_x" + std::to_string(enlarge) + ".png");
            if (!artgen::ScaleNearest(art.image, enlarge).savePng(png.string()))
                throw std::runtime_error("cannot write " + png.string());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool withPreview = args.size() == 3 && args[1] == "--preview";
    if (args.size() != 1 && !withPreview) {
        std::fprintf(stderr, "usage: quindel-artgen OUTDIR [--preview PREVIEWDIR]\n");
        return 2;
    }
    try {
        Generate(args[0], withPreview ? fs::path(args[2]) : fs::path());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quindel-artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
