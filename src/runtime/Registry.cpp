#include "runtime/Registry.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>

namespace quindel::component {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMagic = "quindel-registry";
constexpr int kFormatVersion = 1;

bool SameText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string Escape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// False on a backslash followed by anything but \, t, n or r.
bool Unescape(std::string_view s, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size()) return false;
        switch (s[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return false;
        }
    }
    return true;
}

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Closes a descriptor on every path out.
struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(std::size_t(n));
    }
    return true;
}

std::mutex overrideMutex;
std::optional<fs::path> overridePath;

std::optional<fs::path> SingleRegistry() {
    {
        std::lock_guard lock(overrideMutex);
        if (overridePath) return overridePath;
    }
    if (const char* env = std::getenv("QUINDEL_REGISTRY"); env && *env) return fs::path(env);
    return std::nullopt;
}

}  // namespace

RegistryError::RegistryError(const fs::path& file, const std::string& problem)
    : std::runtime_error("registry file " + file.string() + ": " + problem), file_(file) {}

const ClassEntry* RegistryData::FindClass(const Guid& clsid) const {
    for (const ClassEntry& e : classes)
        if (e.clsid == clsid) return &e;
    return nullptr;
}

const ClassEntry* RegistryData::FindProgId(std::string_view progId) const {
    for (const ClassEntry& e : classes)
        if (!e.progId.empty() && SameText(e.progId, progId)) return &e;
    return nullptr;
}

const InterfaceEntry* RegistryData::FindInterface(const Guid& iid) const {
    for (const InterfaceEntry& e : interfaces)
        if (e.iid == iid) return &e;
    return nullptr;
}

const TypeLibEntry* RegistryData::FindTypeLib(const Guid& libid) const {
    for (const TypeLibEntry& e : typeLibs)
        if (e.libid == libid) return &e;
    return nullptr;
}

void RegistryData::Put(ClassEntry e) {
    // A program id names one class: the newest registration takes it over.
    std::erase_if(classes, [&](const ClassEntry& c) {
        return c.clsid == e.clsid || (!e.progId.empty() && SameText(c.progId, e.progId));
    });
    classes.push_back(std::move(e));
}

void RegistryData::Put(InterfaceEntry e) {
    std::erase_if(interfaces, [&](const InterfaceEntry& i) { return i.iid == e.iid; });
    interfaces.push_back(std::move(e));
}

void RegistryData::Put(TypeLibEntry e) {
    std::erase_if(typeLibs, [&](const TypeLibEntry& t) { return t.libid == e.libid; });
    typeLibs.push_back(std::move(e));
}

bool RegistryData::RemoveClass(const Guid& clsid) {
    return std::erase_if(classes, [&](const ClassEntry& c) { return c.clsid == clsid; }) > 0;
}

bool RegistryData::RemoveInterface(const Guid& iid) {
    return std::erase_if(interfaces, [&](const InterfaceEntry& i) { return i.iid == iid; }) > 0;
}

bool RegistryData::RemoveTypeLib(const Guid& libid) {
    return std::erase_if(typeLibs, [&](const TypeLibEntry& t) { return t.libid == libid; }) > 0;
}

std::string RegistryFile::Format(const RegistryData& data) {
    std::string out = "# Quindel component registry, written by the component runtime.\n";
    out += std::string(kMagic) + "\t" + std::to_string(kFormatVersion) + "\n";
    for (const ClassEntry& e : data.classes)
        out += "class\t" + e.clsid.ToString() + "\t" + Escape(e.name) + "\t" + Escape(e.progId) +
               "\t" + Escape(e.library) + "\t" + e.typeLib.ToString() + "\n";
    for (const InterfaceEntry& e : data.interfaces)
        out += "interface\t" + e.iid.ToString() + "\t" + Escape(e.name) + "\t" +
               e.typeLib.ToString() + "\n";
    for (const TypeLibEntry& e : data.typeLibs)
        out += "typelib\t" + e.libid.ToString() + "\t" + Escape(e.name) + "\t" + Escape(e.version) +
               "\t" + Escape(e.library) + "\n";
    const std::size_t count = data.classes.size() + data.interfaces.size() + data.typeLibs.size();
    return out + "end\t" + std::to_string(count) + "\n";
}

RegistryData RegistryFile::Parse(std::string_view text, const fs::path& file) {
    RegistryData data;
    int lineNo = 0;
    bool sawHeader = false, sawEnd = false;
    std::size_t entries = 0;
    auto fail = [&](const std::string& problem) -> RegistryError {
        return RegistryError(file, "line " + std::to_string(lineNo) + ": " + problem);
    };
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        if (nl == std::string_view::npos)
            throw RegistryError(file, "truncated: the last line has no line end");
        std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl + 1);
        ++lineNo;
        if (line.empty() || line.front() == '#') continue;
        if (sawEnd) throw fail("text after the end line");
        std::vector<std::string> f;
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            std::string field;
            if (!Unescape(line.substr(start, tab == std::string_view::npos ? tab : tab - start),
                          field))
                throw fail("bad escape sequence");
            f.push_back(std::move(field));
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        auto guid = [&](std::size_t i) {
            const auto g = Guid::Parse(f[i]);
            if (!g) throw fail("'" + f[i] + "' is not an identifier");
            return *g;
        };
        auto expect = [&](std::size_t n) {
            if (f.size() != n)
                throw fail("'" + f[0] + "' has " + std::to_string(f.size() - 1) +
                           " fields instead of " + std::to_string(n - 1));
        };
        if (!sawHeader) {
            if (f[0] != kMagic) throw fail("not a registry file (no header line)");
            expect(2);
            if (f[1] != std::to_string(kFormatVersion))
                throw fail("format version " + f[1] + " is not supported");
            sawHeader = true;
        } else if (f[0] == "class") {
            expect(6);
            data.classes.push_back({guid(1), f[2], f[3], f[4], guid(5)});
            ++entries;
        } else if (f[0] == "interface") {
            expect(4);
            data.interfaces.push_back({guid(1), f[2], guid(3)});
            ++entries;
        } else if (f[0] == "typelib") {
            expect(5);
            data.typeLibs.push_back({guid(1), f[2], f[3], f[4]});
            ++entries;
        } else if (f[0] == "end") {
            expect(2);
            if (f[1] != std::to_string(entries))
                throw fail("the end line counts " + f[1] + " entries, the file has " +
                           std::to_string(entries));
            sawEnd = true;
        } else {
            throw fail("unknown entry '" + f[0] + "'");
        }
    }
    if (!sawHeader) throw RegistryError(file, "empty or truncated: no header line");
    if (!sawEnd) throw RegistryError(file, "truncated: no end line");
    return data;
}

RegistryData RegistryFile::Read() const {
    std::error_code ec;
    if (!fs::exists(file_, ec)) return {};
    std::ifstream in(file_, std::ios::binary);
    if (!in) throw RegistryError(file_, SystemError("cannot open"));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw RegistryError(file_, SystemError("cannot read"));
    RegistryData data = Parse(text.str(), file_);
    const fs::path folder = fs::absolute(file_, ec).parent_path();
    const auto resolve = [&](std::string& library) {
        if (!library.empty() && fs::path(library).is_relative())
            library = (folder / library).lexically_normal().string();
    };
    for (ClassEntry& e : data.classes) resolve(e.library);
    for (TypeLibEntry& e : data.typeLibs) resolve(e.library);
    return data;
}

void RegistryFile::Update(const std::function<void(RegistryData&)>& change) const {
    const fs::path folder = file_.parent_path().empty() ? fs::path(".") : file_.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw RegistryError(file_, "cannot make the folder: " + ec.message());

    const fs::path lockPath = file_.string() + ".lock";
    Fd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.fd < 0) throw RegistryError(file_, SystemError("cannot open the lock file"));
    while (::flock(lock.fd, LOCK_EX) != 0) {
        if (errno != EINTR) throw RegistryError(file_, SystemError("cannot lock"));
    }

    RegistryData data = Read();
    change(data);
    const std::string text = Format(data);

    std::string temp = (folder / (file_.filename().string() + ".XXXXXX")).string();
    Fd out(::mkstemp(temp.data()));
    if (out.fd < 0) throw RegistryError(file_, SystemError("cannot make a temporary file"));
    bool ok = ::fchmod(out.fd, 0644) == 0 && WriteAll(out.fd, text) && ::fsync(out.fd) == 0;
    const std::string problem = ok ? "" : SystemError("cannot write " + temp);
    ok = ok && ::close(out.fd) == 0;
    out.fd = -1;
    if (!ok || ::rename(temp.c_str(), file_.c_str()) != 0) {
        const std::string why = problem.empty() ? SystemError("cannot replace the file") : problem;
        ::unlink(temp.c_str());
        throw RegistryError(file_, why);
    }
    // The rename itself reaches the disk with the folder.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd >= 0) ::fsync(dir.fd);
}

fs::path UserRegistryPath() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / "quindel" / "registry";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "quindel" / "registry";
}

fs::path SystemRegistryPath() {
    if (const char* env = std::getenv("QUINDEL_SYSTEM_REGISTRY"); env && *env) return env;
#ifndef QUINDEL_DATADIR_FROM_LIBDIR
#define QUINDEL_DATADIR_FROM_LIBDIR "../share"
#endif
    // Relative to where this library lies, so an installed tree can be moved as a whole.
    Dl_info info{};
    if (::dladdr(reinterpret_cast<const void*>(&SystemRegistryPath), &info) == 0 || !info.dli_fname)
        return fs::path("/usr/local/share/quindel/registry");
    // The folder as it really is: loaded through /lib on a merged /usr, ../share must still be
    // /usr/share.
    std::error_code ec;
    fs::path libdir = fs::absolute(fs::path(info.dli_fname)).parent_path();
    if (fs::path real = fs::weakly_canonical(libdir, ec); !ec) libdir = real;
    return (libdir / QUINDEL_DATADIR_FROM_LIBDIR / "quindel" / "registry").lexically_normal();
}

fs::path DropInFolder() {
    return SystemRegistryPath().string() + ".d";
}

std::vector<RegistryFile> DropInRegistries(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.front() == '.' || it->path().extension() != ".reg") continue;
        std::error_code typeEc;
        if (it->is_regular_file(typeEc)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return {files.begin(), files.end()};
}

void SetRegistryOverride(std::optional<fs::path> file) {
    std::lock_guard lock(overrideMutex);
    overridePath = std::move(file);
}

std::vector<RegistryFile> LookupRegistries() {
    if (auto single = SingleRegistry()) return {RegistryFile(*single)};
    std::vector<RegistryFile> files{RegistryFile(UserRegistryPath()),
                                    RegistryFile(SystemRegistryPath())};
    for (RegistryFile& f : DropInRegistries(DropInFolder())) files.push_back(std::move(f));
    return files;
}

RegistryFile RegistrationTarget() {
    if (auto single = SingleRegistry()) return RegistryFile(*single);
    return RegistryFile(UserRegistryPath());
}

}  // namespace quindel::component
