#include "build/BuildCache.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "build/Hash64.h"

namespace quindel::build {

namespace fs = std::filesystem;

namespace {

constexpr const char* kHeader = "quindel-build-cache 1";

// One probe line: tag, stamp and facts separated by blanks, then the path and the error, which
// may hold blanks, separated by a tab.
void WriteProbe(std::ostream& out, const std::string& path, const CachedProbe& p) {
    const ProbeResult& r = p.probe;
    out << "probe " << p.stamp.size << ' ' << p.stamp.mtimeNs << ' ' << int(r.kind) << ' '
        << r.width << ' ' << r.height << ' ' << r.frames << ' ' << r.lengthMs << ' ' << path << '\t'
        << r.error << '\n';
}

bool ReadProbe(std::istringstream& in, BuildCache& c) {
    CachedProbe p;
    int kind = 0;
    in >> p.stamp.size >> p.stamp.mtimeNs >> kind >> p.probe.width >> p.probe.height >>
        p.probe.frames >> p.probe.lengthMs;
    in.get();
    std::string path;
    if (!in || !std::getline(in, path, '\t')) return false;
    std::getline(in, p.probe.error);
    p.stamp.exists = true;
    p.probe.kind = FileKind(kind);
    c.probes[path] = std::move(p);
    return true;
}

bool ReadLine(const std::string& line, BuildCache& c) {
    std::istringstream in(line);
    std::string tag;
    in >> tag;
    if (tag == "probe") return ReadProbe(in, c);
    std::string rest;
    if (tag == "stamp") return bool(in >> std::hex >> c.buildStamp);
    if (tag == "packed") {
        std::uint64_t key = 0;
        in >> std::hex >> key;
        in.get();
        if (!in || !std::getline(in, rest)) return false;
        c.packed[rest] = key;
        return true;
    }
    if (tag == "watch") {
        in.get();
        if (!std::getline(in, rest)) return false;
        c.watched.push_back(rest);
        return true;
    }
    return false;
}

}  // namespace

BuildCache BuildCache::Load(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) return {};
    BuildCache c;
    while (std::getline(in, line))
        if (!ReadLine(line, c)) return {};
    return c;
}

bool BuildCache::Save(const fs::path& file) const {
    fs::path temp = file;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << kHeader << '\n' << "stamp " << std::hex << buildStamp << std::dec << '\n';
        for (const std::string& w : watched) out << "watch " << w << '\n';
        for (const auto& [path, key] : packed)
            out << "packed " << std::hex << key << std::dec << ' ' << path << '\n';
        for (const auto& [path, p] : probes) WriteProbe(out, path, p);
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    if (ec) fs::remove(temp, ec);
    return !ec;
}

std::uint64_t BuildStamp(std::string_view manifestBytes, std::string_view settings,
                         const fs::path& folder, const std::vector<std::string>& watched) {
    Hash64 h;
    h.Add(manifestBytes).Add(settings);
    for (const std::string& w : watched) {
        const FileStamp s = StampOf(folder / w);
        h.Add(w).Add(std::uint64_t(s.exists)).Add(s.size).Add(std::uint64_t(s.mtimeNs));
    }
    return h.Value();
}

}  // namespace quindel::build
