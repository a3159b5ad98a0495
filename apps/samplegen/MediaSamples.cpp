#include "MediaSamples.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "MediaWriter.h"
#include "SampleOutput.h"
#include "hostkit/media/MediaProbe.h"

namespace quindel::samplegen {
namespace {

// Small enough to keep in the repository, long enough to pause, rewind and watch the slider move.
struct Sample {
    const char* tipo;
    const char* nome;
    std::int64_t lengthMs;
    platform::SizePx size;  // 0 x 0 for a sound
};
constexpr Sample kSamples[] = {
    {"VI", "FILM01.WEBM", 6000, {320, 240}},
    {"AU", "DZWIEK01.OGG", 5000, {}},
};

// The muxers stamp random serial numbers, identifiers and dates, so a file that already is what
// is asked for is kept: regenerating the sample does not rewrite its media.
bool AlreadyWritten(const std::string& path, const Sample& s) {
    const hostkit::MediaProbeResult probe = hostkit::ProbeMediaFile(path);
    return probe.error.empty() &&
           std::llabs(probe.facts.lengthMs - s.lengthMs) <= s.lengthMs / 100 &&
           probe.facts.videoSize == s.size;
}

hostkit::MediaResult Write(const std::string& path, const Sample& s) {
    if (s.size.width > 0) return WriteFilm(path, {.durationMs = s.lengthMs, .size = s.size});
    return WriteSound(path, s.lengthMs);
}

}  // namespace

void NameMediaSamples(std::vector<hostkit::VoceLista>& voci) {
    for (const Sample& s : kSamples) {
        const auto voce = std::find_if(voci.begin(), voci.end(), [&](const hostkit::VoceLista& v) {
            return v.TipoFile == s.tipo;
        });
        if (voce == voci.end())
            throw std::runtime_error(std::string("no object of type ") + s.tipo);
        voce->NomeFile = s.nome;
    }
}

bool IsMediaSample(const hostkit::VoceLista& v) {
    return std::any_of(std::begin(kSamples), std::end(kSamples), [&](const Sample& s) {
        return v.TipoFile == s.tipo && v.NomeFile == s.nome;
    });
}

void WriteMediaSamples(const std::filesystem::path& folder,
                       const std::vector<hostkit::VoceLista>& voci) {
    for (const Sample& s : kSamples) {
        const auto voce = std::find_if(voci.begin(), voci.end(), [&](const hostkit::VoceLista& v) {
            return v.TipoFile == s.tipo && v.NomeFile == s.nome;
        });
        if (voce == voci.end()) continue;
        const std::filesystem::path dir = FolderOf(folder, voce->Cartella);
        std::filesystem::create_directories(dir);
        const std::string path = (dir / s.nome).string();
        if (AlreadyWritten(path, s)) continue;
        if (const hostkit::MediaResult written = Write(path, s); !written.ok())
            throw std::runtime_error("cannot write " + path + ": " + written.error);
    }
}

}  // namespace quindel::samplegen
