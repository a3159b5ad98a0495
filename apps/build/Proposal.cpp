#include "build/Proposal.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <vector>

#include "build/FileProbe.h"
#include "build/Manifest.h"
#include "build/ParallelFor.h"
#include "platform/PictureFile.h"

namespace quindel::build {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 6> kMadeByBuilder{
    "ListaMM.lst", "ListaLemmi.lst", "search.sqlite", "PosQTVR.bin", "PosDCR.bin", kManifestName};

bool Skipped(const fs::path& relative) {
    for (const fs::path& part : relative)
        if (part.string().starts_with(".")) return true;
    const std::string name = relative.filename().string();
    return std::find(kMadeByBuilder.begin(), kMadeByBuilder.end(), name) != kMadeByBuilder.end() ||
           name == "Haslo.rtf" || name == "Haslo.txt";
}

platform::PictureFormat FormatOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char head[16] = {};
    in.read(head, sizeof head);
    return platform::SniffPictureFormat(
        platform::BytesOf(std::string(head, std::size_t(in.gcount()))));
}

std::string_view TypeFor(const fs::path& file, const ProbeResult& r) {
    switch (r.kind) {
        case FileKind::Animation:
            return "AN";
        case FileKind::Film:
            return "VI";
        case FileKind::Sound:
            return "AU";
        case FileKind::Text:
            return "TA";
        case FileKind::None:
            return "";
        case FileKind::Picture:
            break;
    }
    switch (FormatOf(file)) {
        case platform::PictureFormat::Jpeg:
            return r.width == 2 * r.height ? "F3" : "FO";
        case platform::PictureFormat::Bmp:
            return "MA";
        default:
            return "DI";
    }
}

std::string ObjectText(const std::string& relative, std::string_view type, const ProbeResult& r) {
    std::string s = "\n[[object]]\ntype = \"" + std::string(type) + "\"";
    if (r.width > 0) s += "  # " + std::to_string(r.width) + " x " + std::to_string(r.height);
    s += "\nfile = " + TomlString(relative) +
         "\ntitle = " + TomlString(TitleFromFileName(fs::path(relative).filename().string())) +
         "\ncaption = \"\"\n";
    if (type == "F3") s += "window = { width = 720, height = 420 }\n";
    return s;
}

}  // namespace

std::string TomlString(const std::string& text) {
    std::string s = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (std::uint8_t(c) < 0x20 || c == 0x7f) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(std::uint8_t(c)));
            s += esc;
        } else {
            s += c;
        }
    }
    return s + "\"";
}

std::string TitleFromFileName(const std::string& fileName) {
    std::string title = fs::path(fileName).stem().string();
    std::replace_if(
        title.begin(), title.end(), [](char c) { return c == '_' || c == '-'; }, ' ');
    std::string squeezed;
    for (const char c : title)
        if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed += c;
    while (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
    if (!squeezed.empty()) squeezed[0] = char(std::toupper(std::uint8_t(squeezed[0])));
    return squeezed;
}

std::string ProposeManifest(const fs::path& folder, unsigned threads) {
    std::vector<std::string> files;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        const fs::path relative = fs::relative(it->path(), folder);
        if (it->is_directory() && relative.filename().string().starts_with("."))
            it.disable_recursion_pending();
        else if (it->is_regular_file() && !Skipped(relative))
            files.push_back(relative.generic_string());
    }
    std::sort(files.begin(), files.end());
    std::vector<ProbeResult> probes(files.size());
    ParallelFor(files.size(), threads,
                [&](std::size_t i) { probes[i] = IdentifyFile(folder / files[i]); });
    std::string text =
        "# Proposed by quindel-build from the files of this folder. Check each type, write the\n"
        "# titles and captions, put the objects in the order the list should show them, then run\n"
        "# quindel-build again.\n\n[entry]\ncode = \"ENTRY\"\n";
    std::string articles;
    for (const char* article : {"Haslo.rtf", "Haslo.txt"})
        if (fs::exists(folder / article))
            articles += (articles.empty() ? "" : ", ") + TomlString(article);
    if (!articles.empty()) text += "article = [" + articles + "]\n";
    std::string unknown;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string_view type = TypeFor(folder / files[i], probes[i]);
        if (type.empty() || !probes[i].ok())
            unknown += "#   " + files[i] + "\n";
        else
            text += ObjectText(files[i], type, probes[i]);
    }
    if (!unknown.empty()) text += "\n# Files the viewer cannot open, left out:\n" + unknown;
    return text;
}

}  // namespace quindel::build
