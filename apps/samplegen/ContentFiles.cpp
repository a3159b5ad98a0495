#include "ContentFiles.h"

#include <cstdio>
#include <map>
#include <string>

#include "Diagrams.h"
#include "Landscape.h"
#include "Noise.h"
#include "PackedFile.h"
#include "PictureFiles.h"
#include "RiverMap.h"
#include "SampleOutput.h"
#include "WislaTexts.h"

namespace quindel::samplegen {

namespace fs = std::filesystem;
using platform::Image;

namespace {

constexpr const char* kMissingFilm = "FILM02.WEBM";
constexpr int kAnimationFrames = 16, kJourneyFrames = 36;

// A line of a position file: the name in 13 columns, then height and width in 5 each, then the
// movie's length for interactive movies; CRLF, as content authored on Windows has.
std::string PositionLine(const std::string& name, int h, int w, int length = -1) {
    char line[64];
    std::snprintf(line, sizeof line, "%-13s%5d%5d", name.c_str(), h, w);
    std::string s = line;
    if (length >= 0) s += std::to_string(length);
    return s + "\r\n";
}

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

    void Write(const MediaObject& o) {
        const hostkit::VoceLista& v = o.voce;
        if (!HasFile(o) || v.TipoFile == "AU" || v.TipoFile == "VI") return;
        std::string bytes = Bytes(o);
        if (!v.NomeFileBlob.empty()) {
            packed_[(FolderOf(folder_, v.Cartella) / v.NomeFileBlob).string()].Add(
                v.NomeFile, std::move(bytes));
            return;
        }
        WriteIfChanged(FolderOf(folder_, v.Cartella) / v.NomeFile, bytes);
        if (v.TipoFile == "F3")
            positions_[FolderOf(folder_, v.Cartella) / "PosQTVR.bin"] +=
                PositionLine(v.NomeFile, kPanoramaWindowH, kPanoramaWindowW);
        if (v.TipoFile == "AI")
            positions_[FolderOf(folder_, v.Cartella) / "PosDCR.bin"] +=
                PositionLine(v.NomeFile, kMovieWindowH, kMovieWindowW, FramesOf(o.scene.diagram));
    }

    void Finish() {
        for (const auto& [path, packed] : packed_) WriteIfChanged(path, packed.Bytes());
        for (const auto& [path, text] : positions_) WriteIfChanged(path, text);
    }

  private:
    static int FramesOf(Diagram d) {
        return d == Diagram::Journey ? kJourneyFrames : kAnimationFrames;
    }

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
    std::map<std::string, PackedFile> packed_;
    std::map<fs::path, std::string> positions_;
};

}  // namespace

bool HasFile(const MediaObject& o) {
    const std::string& t = o.voce.TipoFile;
    return t != "IT" && t != "PL" && t != "QZ" && o.voce.NomeFile != kMissingFilm;
}

void WriteContentFiles(const fs::path& folder, const std::vector<MediaObject>& objects) {
    Writer w(folder);
    for (const MediaObject& o : objects) w.Write(o);
    w.Finish();
}

}  // namespace quindel::samplegen
