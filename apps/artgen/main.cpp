// quindel-artgen OUTDIR [--preview PREVIEWDIR]: regenerates the button strip, the pointer bitmaps
// and the dialogs' pictures; with --preview also writes ×4 PNG enlargements for review.
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

std::vector<Artwork> BuildArtwork() {
    const std::vector<quindel::platform::Rgba> pointer{artgen::kTransparent};
    return {{"toolbar", artgen::RenderToolbarStrip(), {}},
            {"zoomin", artgen::RenderZoomPointer(true), pointer},
            {"zoomout", artgen::RenderZoomPointer(false), pointer},
            {"pointers", artgen::RenderPanPointers(), pointer},
            {"copia", artgen::RenderCopyBackground(), {}},
            {"stampa", artgen::RenderPrintBackground(), {}},
            {"opzione", artgen::RenderOptionMarkers(), {}},
            {"spunta", artgen::RenderCheckMark(), {}}};
}

void Generate(const fs::path& outDir, const fs::path& previewDir) {
    fs::create_directories(outDir);
    if (!previewDir.empty()) fs::create_directories(previewDir);
    for (const Artwork& art : BuildArtwork()) {
        artgen::WriteIndexedBmp((outDir / (art.name + ".bmp")).string(), art.image,
                                art.fixedPalette);
        if (previewDir.empty()) continue;
        const fs::path png = previewDir / (art.name + "_x4.png");
        if (!artgen::ScaleNearest(art.image, kPreviewScale).savePng(png.string()))
            throw std::runtime_error("cannot write " + png.string());
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
