#include "SampleManifest.h"

#include "ContentFiles.h"
#include "MediaSamples.h"
#include "build/ContentPlan.h"
#include "build/Proposal.h"

namespace quindel::samplegen {

namespace {

using build::TomlString;

std::string Field(const char* key, const std::string& value) {
    return std::string(key) + " = " + TomlString(value) + "\n";
}

std::string Window(int width, int height) {
    return "window = { width = " + std::to_string(width) + ", height = " + std::to_string(height) +
           " }\n";
}

std::string ObjectText(const MediaObject& o, const hostkit::VoceLista& v) {
    std::string s = "\n[[object]]\n" + Field("type", v.TipoFile) + Field("title", v.Descrizione) +
                    Field("caption", v.Didascalia);
    if (!HoldsFile(o, v)) return s + Field("name", v.NomeFile) + Field("folder", v.Cartella);
    s += Field("file", SourceFile(v));
    if (!v.NomeFileBlob.empty())
        s += Field("packed", build::FolderPath(v.Cartella) + "/" + v.NomeFileBlob);
    else if (!v.Cartella.ends_with("\\"))
        s += Field("folder", v.Cartella);
    if (v.TipoFile == "F3") s += Window(kPanoramaWindowW, kPanoramaWindowH);
    if (v.TipoFile == "AI")
        s += Window(kMovieWindowW, kMovieWindowH) +
             "length = " + std::to_string(FramesOf(o.scene.diagram)) + "\n";
    return s;
}

}  // namespace

int FramesOf(Diagram d) {
    return d == Diagram::Journey ? kJourneyFrames : kAnimationFrames;
}

bool HoldsFile(const MediaObject& o, const hostkit::VoceLista& v) {
    if (v.TipoFile == "AU" || v.TipoFile == "VI") return IsMediaSample(v);
    return HasFile(o);
}

std::string SourceFile(const hostkit::VoceLista& v) {
    const std::string folder = build::FolderPath(v.Cartella);
    if (v.NomeFileBlob.empty()) return folder + "/" + v.NomeFile;
    const std::string packed = v.NomeFileBlob.substr(0, v.NomeFileBlob.rfind('.'));
    return folder + "/packed/" + packed + "/" + v.NomeFile;
}

std::string SampleManifest(const std::vector<MediaObject>& objects,
                           const std::vector<hostkit::VoceLista>& media,
                           const std::vector<hostkit::VoceLista>& links) {
    std::string s =
        "# The sample entry, written by quindel-samplegen; quindel-build makes the lists, the\n"
        "# position files, the packed files and the search index from it.\n\n[entry]\n" +
        Field("code", media.front().CodiceLemma) + "article = [\"Haslo.rtf\", \"Haslo.txt\"]\n" +
        Field("codepage", "CP1250");
    for (std::size_t i = 0; i < objects.size(); ++i) s += ObjectText(objects[i], media[i]);
    for (const hostkit::VoceLista& l : links) {
        s += "\n[[link]]\n" + Field("code", l.CodiceLemma) + Field("title", l.Descrizione);
        if (!l.TipoFile.empty()) s += Field("type", l.TipoFile);
    }
    return s;
}

}  // namespace quindel::samplegen
