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

// "<hex key> <path>", the path running to the end of the line.
bool ReadKeyed(std::istringstream& in, std::map<std::string, std::uint64_t>& into) {
    std::uint64_t key = 0;
    std::string path;
    in >> std::hex >> key;
    in.get();
    if (!in || !std::getline(in, path)) return false;
    into[path] = key;
    return true;
}

// Numbers alone on their line: a line cut short or run on is damage, not a smaller number.
template <class... T>
bool ReadNumbers(std::istream& in, T&... numbers) {
    (in >> ... >> numbers);
    return in && (in >> std::ws).eof();
}

bool ReadLine(const std::string& line, BuildCache& c) {
    std::istringstream in(line);
    std::string tag;
    in >> tag;
    if (tag == "probe") return ReadProbe(in, c);
    if (tag == "stamp") return ReadNumbers(in >> std::hex, c.buildStamp);
    if (tag == "index") return c.index.exists = ReadNumbers(in, c.index.size, c.index.mtimeNs);
    if (tag == "packed") return ReadKeyed(in, c.packed);
    if (tag == "records") return ReadKeyed(in, c.records);
    if (tag == "watch") {
        std::string rest;
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
        if (index.exists) out << "index " << index.size << ' ' << index.mtimeNs << '\n';
        for (const std::string& w : watched) out << "watch " << w << '\n';
        for (const auto& [tag, keys] :
             {std::pair{"packed", &packed}, std::pair{"records", &records}})
            for (const auto& [path, key] : *keys)
                out << tag << ' ' << std::hex << key << std::dec << ' ' << path << '\n';
        for (const auto& [path, p] : probes) WriteProbe(out, path, p);
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    if (ec) fs::remove(temp, ec);
    return !ec;
}

std::uint64_t InputsKey(std::string_view manifestBytes, std::string_view settings) {
    return Hash64().Add(manifestBytes).Add(settings).Value();
}

std::uint64_t BuildStamp(std::uint64_t inputsKey, const fs::path& folder,
                         const std::vector<std::string>& watched) {
    Hash64 h;
    h.Add(inputsKey);
    for (const std::string& w : watched) {
        const FileStamp s = StampOf(folder / w);
        h.Add(w).Add(std::uint64_t(s.exists)).Add(s.size).Add(std::uint64_t(s.mtimeNs));
    }
    return h.Value();
}

}  // namespace quindel::build
