#include "ContentFiles.h"

#include <string>

#include "Diagrams.h"
#include "Landscape.h"
#include "Noise.h"
#include "PictureFiles.h"
#include "RiverMap.h"
#include "SampleManifest.h"
#include "SampleOutput.h"
#include "WislaTexts.h"

namespace quindel::samplegen {

namespace fs = std::filesystem;
using platform::Image;

namespace {

constexpr const char* kMissingFilm = "FILM02.WEBM";

std::string Animation(Diagram d, int w, int h, int frames, int delayCs) {
    std::vector<GifFrameSpec> out;
    for (int i = 0; i < frames; ++i) {
        const double phase = double(i) / (frames - 1);
        out.push_back(
            {d == Diagram::Journey ? PaintMap(0, w, h, phase) : DrawDiagram(d, w, h, phase),
             delayCs});
    }
    return EncodeGif(out);
}

class Writer {
  public:
    explicit Writer(fs::path folder) : folder_(std::move(folder)) {}

    // Every file on its own, packed or not: quindel-build makes the packed files from them.
    void Write(const MediaObject& o) {
        const hostkit::VoceLista& v = o.voce;
        if (!HasFile(o) || v.TipoFile == "AU" || v.TipoFile == "VI") return;
        WriteIfChanged(folder_ / SourceFile(v), Bytes(o));
    }

  private:
    std::string Bytes(const MediaObject& o) {
        const std::string& tipo = o.voce.TipoFile;
        const std::uint32_t seed = SeedOf(o.voce.NomeFile.c_str());
        if (tipo == "FO") {
            const Canvas c = o.scene.large ? Canvas{kLargeWidth, kLargeHeight}
                                           : Canvas{kPhotoWidth, kPhotoHeight};
            return EncodeJpeg(PaintLandscape(o.scene, c, seed), o.scene.large ? 80 : 88);
        }
        if (tipo == "MA") return EncodeBmp(PaintMap(o.scene.map, 800, 600));
        if (tipo == "DI") return EncodePng(DrawDiagram(o.scene.diagram, 640, 480));
        if (tipo == "TA") return WislaTextRtf(texts_++);
        if (tipo == "AN") return Animation(o.scene.diagram, 320, 240, kAnimationFrames, 12);
        if (tipo == "AI")
            return Animation(o.scene.diagram, kMovieWindowW, kMovieWindowH,
                             FramesOf(o.scene.diagram), 10);
        if (tipo == "F3") return EncodeJpeg(PaintLandscape(o.scene, {2048, 1024, true}, seed));
        throw std::logic_error("no file for type " + tipo);
    }

    fs::path folder_;
    std::size_t texts_ = 0;
};

}  // namespace

bool HasFile(const MediaObject& o) {
    const std::string& t = o.voce.TipoFile;
    return t != "IT" && t != "PL" && t != "QZ" && o.voce.NomeFile != kMissingFilm;
}

void WriteContentFiles(const fs::path& folder, const std::vector<MediaObject>& objects) {
    Writer w(folder);
    for (const MediaObject& o : objects) w.Write(o);
}

}  // namespace quindel::samplegen
