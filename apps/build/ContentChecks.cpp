#include "build/ContentChecks.h"

#include <algorithm>
#include <bitset>
#include <map>
#include <unordered_map>
#include <vector>

#include "runtime/CodePage.h"
#include "runtime/Text.h"

namespace quindel::build {

namespace {

// Reports against one place of the manifest.
struct Place {
    const Manifest& m;
    Diagnostics& out;
    std::int64_t line;
    std::string where;

    void Error(const std::string& field, std::string message) const {
        out.Error(m.DisplayName(), line, where, field, std::move(message));
    }
    void Warning(const std::string& field, std::string message) const {
        out.Warning(m.DisplayName(), line, where, field, std::move(message));
    }
};

// The characters a single-byte code page stores: what its 256 bytes decode to. Found once per
// code page, it spares two conversions of every text the checks look at.
struct Storable {
    std::bitset<128> ascii;
    std::vector<char32_t> others;  // sorted

    bool Holds(char32_t c) const {
        return c < 128 ? ascii[c] : std::binary_search(others.begin(), others.end(), c);
    }
};

const Storable& StorableIn(const std::string& codePage) {
    thread_local std::map<std::string, Storable> known;
    auto [it, fresh] = known.try_emplace(codePage);
    if (!fresh) return it->second;
    for (int b = 0; b < 256; ++b) {
        const std::string c = DaCodePage(std::string(1, char(b)), codePage);
        const std::size_t n = Utf8SequenceLength(c, 0);
        // An undefined byte decodes to U+FFFD, which the page then cannot store either.
        if (n != c.size() || IsBadUtf8Byte(c, 0, n)) continue;
        if (const char32_t cp = DecodeUtf8(c, 0, n); cp < 128)
            it->second.ascii.set(cp);
        else if (cp != U'\uFFFD')
            it->second.others.push_back(cp);
    }
    std::sort(it->second.others.begin(), it->second.others.end());
    return it->second;
}

void CheckText(const Place& p, const std::string& field, const std::string& text, int width) {
    if (const int n = Len(text); n > width)
        p.Error(field, std::to_string(n) + " characters, more than the " + std::to_string(width) +
                           " its list field holds");
    if (const std::string bad = CharactersOutsideCodePage(text); !bad.empty())
        p.Error(field, "the code page " + SystemCodePage() + " cannot store " + bad);
}

void CheckRecordTexts(const Place& p, const hostkit::VoceLista& v) {
    CheckText(p, "folder", v.Cartella, 255);
    CheckText(p, "packed", v.NomeFileBlob, 12);
    CheckText(p, "name", v.NomeFile, 12);
    CheckText(p, "title", v.Descrizione, 255);
    CheckText(p, "caption", v.Didascalia, 1024);
}

void CheckProbe(const Place& p, const ManifestObject& o, const ProbeResult& r) {
    if (!r.ok()) return p.Error("file", o.file + ": " + r.error);
    if (r.kind == FileKind::Picture &&
        (r.width > kLargePictureWidth || r.height > kLargePictureHeight))
        p.Warning("file", o.file + ": " + std::to_string(r.width) + " x " +
                              std::to_string(r.height) +
                              " pixels, larger than a large screen: the viewer shows it fitted "
                              "to its area and at its own size, panned, on a click");
}

// Where the viewer will look must be where the file is.
void CheckPlace(const Place& p, const ManifestObject& o, const hostkit::VoceLista& v) {
    const std::string& placed = o.packed.empty() ? o.file : o.packed;
    if (o.folder && FolderPath(*o.folder) != ParentOf(placed))
        p.Error("folder", "'" + *o.folder + "' is not the folder of " + placed);
    if (o.packed.empty() && v.NomeFile != FileNameOf(o.file))
        p.Error("name", "'" + v.NomeFile + "' is not the name of " + o.file +
                            " (only objects in packed files may be renamed)");
}

void CheckObject(const Place& p, const ManifestObject& o, const hostkit::VoceLista& v,
                 const ProbeResult& probe) {
    CheckRecordTexts(p, v);
    if (o.caption.empty()) p.Warning("caption", "the object has no caption");
    if (!o.type.positionFile.empty() && !o.window)
        p.Warning("window", "no window size: the viewer uses its default of 600 x 400 pixels");
    if (o.file.empty()) {
        p.Warning("file",
                  "no file: the record names " + v.NomeFile + ", which the content does not hold");
        return;
    }
    CheckPlace(p, o, v);
    CheckProbe(p, o, probe);
}

void CheckDuplicates(const Manifest& m, Diagnostics& out) {
    std::unordered_map<std::string_view, std::size_t> seen;
    seen.reserve(m.objects.size());
    for (std::size_t i = 0; i < m.objects.size(); ++i) {
        const ManifestObject& o = m.objects[i];
        if (o.title.empty()) continue;
        const auto [it, fresh] = seen.emplace(o.title, i);
        if (!fresh)
            out.Warning(m.DisplayName(), o.line, o.Where(i), "title",
                        "the same title as object " + std::to_string(it->second + 1) + " (line " +
                            std::to_string(m.objects[it->second].line) +
                            "): the list will show two rows alike");
    }
}

void CheckArticles(const Manifest& m, const std::vector<ProbeResult>& probes, Diagnostics& out) {
    const Place p{m, out, m.entryLine, "entry"};
    for (std::size_t i = 0; i < m.articles.size(); ++i)
        if (const ProbeResult& r = probes[m.objects.size() + i]; !r.ok())
            p.Error("article", m.articles[i] + ": " + r.error);
}

}  // namespace

std::string CharactersOutsideCodePage(const std::string& utf8) {
    const Storable& storable = StorableIn(SystemCodePage());
    std::string bad;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = lead < 0x80 ? 1 : Utf8SequenceLength(utf8, i);
        const bool stored =
            lead < 0x80 ? storable.ascii[lead]
                        : !IsBadUtf8Byte(utf8, i, n) && storable.Holds(DecodeUtf8(utf8, i, n));
        if (!stored && bad.find(utf8.substr(i, n)) == std::string::npos)
            bad += (bad.empty() ? "'" : " '") + utf8.substr(i, n) + "'";
        i += n;
    }
    return bad;
}

void CheckContent(const Manifest& m, const ContentPlan& plan,
                  const std::vector<ProbeResult>& probes, Diagnostics& out) {
    const Place entry{m, out, m.entryLine, "entry"};
    CheckText(entry, "code", m.code, 8);
    if (m.articles.empty())
        entry.Warning("article", "no article: the viewer opens on the first object");
    CheckArticles(m, probes, out);
    for (std::size_t i = 0; i < m.objects.size(); ++i) {
        const ManifestObject& o = m.objects[i];
        CheckObject({m, out, o.line, o.Where(i)}, o, plan.media[i], probes[i]);
    }
    for (std::size_t i = 0; i < m.links.size(); ++i) {
        const Place p{m, out, m.links[i].line, "link " + std::to_string(i + 1)};
        CheckText(p, "code", m.links[i].code, 8);
        CheckText(p, "title", m.links[i].title, 255);
        CheckText(p, "type", m.links[i].type, 12);
    }
    CheckDuplicates(m, out);
}

}  // namespace quindel::build
