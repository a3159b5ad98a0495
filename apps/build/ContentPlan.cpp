#include "build/ContentPlan.h"

#include <algorithm>
#include <cstdio>

namespace quindel::build {

namespace {

std::string ArticleName(const std::string& source) {
    const std::string name = FileNameOf(source);
    const auto dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return char(std::tolower(c)); });
    return ext == "rtf" ? "Haslo.rtf" : "Haslo.txt";
}

hostkit::VoceLista RecordOf(const Manifest& m, const ManifestObject& o) {
    hostkit::VoceLista v;
    v.CodiceLemma = m.code;
    v.TipoFile = std::string(o.type.code);
    v.Descrizione = o.title;
    v.Didascalia = CaptionWithCredit(o);
    v.NomeFile = o.name.empty() ? FileNameOf(o.file) : o.name;
    const std::string& placed = o.packed.empty() ? o.file : o.packed;
    v.Cartella = o.folder ? *o.folder : RecordFolder(placed);
    if (!o.packed.empty()) v.NomeFileBlob = FileNameOf(o.packed);
    return v;
}

}  // namespace

std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RecordFolder(const std::string& path) {
    std::string folder = ParentOf(path);
    if (folder.empty()) return folder;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder + "\\";
}

std::string FolderPath(const std::string& recordFolder) {
    std::string path = recordFolder;
    std::replace(path.begin(), path.end(), '\\', '/');
    while (!path.empty() && path.back() == '/') path.pop_back();
    return path;
}

std::string PositionLine(const std::string& name, std::int64_t height, std::int64_t width,
                         std::int64_t length) {
    char line[64];
    std::snprintf(line, sizeof line, "%-13s%5lld%5lld", name.c_str(),
                  static_cast<long long>(height), static_cast<long long>(width));
    std::string s = line;
    if (length >= 0) s += std::to_string(length);
    return s + "\r\n";
}

std::string CaptionWithCredit(const ManifestObject& o) {
    if (o.credit.empty()) return o.caption;
    return o.caption.empty() ? o.credit : o.caption + " — " + o.credit;
}

ContentPlan PlanContent(const Manifest& m) {
    ContentPlan plan;
    plan.media.reserve(m.objects.size());
    for (const ManifestObject& o : m.objects) {
        plan.media.push_back(RecordOf(m, o));
        const hostkit::VoceLista& v = plan.media.back();
        if (o.file.empty()) continue;
        plan.inputs.push_back(o.file);
        if (!o.packed.empty()) plan.packedFiles[o.packed].push_back({v.NomeFile, o.file});
        if (!o.type.positionFile.empty() && o.window) {
            const std::string folder = FolderPath(v.Cartella);
            const std::string file =
                (folder.empty() ? "" : folder + "/") + std::string(o.type.positionFile);
            plan.positionFiles[file] += PositionLine(v.NomeFile, o.window->height, o.window->width,
                                                     o.type.hasLength ? o.length : -1);
        }
    }
    for (const ManifestLink& l : m.links)
        plan.links.push_back({l.code, "", "", "", l.type, l.title, ""});
    for (const std::string& a : m.articles) {
        plan.articles.emplace_back(a, ArticleName(a));
        plan.inputs.push_back(a);
    }
    return plan;
}

}  // namespace quindel::build
