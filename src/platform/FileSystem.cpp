#include "platform/FileSystem.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/ProcessFolder.h"
#include "runtime/Text.h"

#ifndef QUINDEL_DATADIR_FROM_LIBDIR
#define QUINDEL_DATADIR_FROM_LIBDIR "../share"
#endif

namespace fs = std::filesystem;

namespace quindel::platform {

namespace {

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    return parts;
}

// The entry of folder whose name matches part case-insensitively, or part itself.
std::string FindPart(const fs::path& folder, const std::string& part) {
    std::error_code ec;
    if (part.empty() || part == "." || part == ".." || fs::exists(folder / part, ec)) return part;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (EqualNoCase(name, part)) return name;
    }
    return part;
}

bool IsNormalFile(const fs::path& p) {
    std::error_code ec;
    const std::string name = p.filename().string();
    return !name.empty() && name[0] != '.' && fs::is_regular_file(p, ec) && !ec;
}

bool HasWildcard(std::string_view s) {
    return s.find_first_of("*?") != std::string_view::npos;
}

// Greedy matching with one backtrack point: a later * supersedes an earlier one, so each name
// costs at most pattern length x name length steps, never an exponential search.
bool MatchFolded(std::u32string_view p, std::u32string_view n) {
    constexpr std::size_t kNone = std::u32string_view::npos;
    std::size_t pi = 0, ni = 0, star = kNone, resume = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == U'*') {
            star = pi++;
            resume = ni;
        } else if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (star != kNone) {
            pi = star + 1;
            ni = ++resume;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*') ++pi;
    return pi == p.size();
}

// The folder of the library this code was loaded from.
std::string LibraryFolder() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&MatchWildcard), &info) || !info.dli_fname) return {};
    std::error_code ec;
    const fs::path library = fs::absolute(info.dli_fname, ec);
    if (ec) return {};
    // The folder as it really is: loaded through /lib on a merged /usr, the data folder relative
    // to it must still be /usr/share.
    const fs::path real = fs::weakly_canonical(library.parent_path(), ec);
    return ec ? library.parent_path().string() : real.string();
}

const char* Env(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// Makes the folder and its missing parents for the user alone, as the XDG folders are made.
bool MakeUserFolder(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    const fs::path parent = folder.parent_path();
    if (parent != folder && !MakeUserFolder(parent)) return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || fs::is_directory(folder, ec);
}

}  // namespace

bool MatchWildcard(std::string_view pattern, std::string_view name) {
    return MatchFolded(FoldedCodePoints(pattern), FoldedCodePoints(name));
}

std::string FileSystem::Resolve(std::string_view path) const {
    // A path that is there as written needs one look, not one per folder on the way.
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    std::error_code ec;
    if (!native.empty() && native.back() != '/' && native.find("//") == std::string::npos &&
        fs::exists(native, ec))
        return native;
    const std::vector<std::string> parts = SplitPath(path);
    const bool absolute = !path.empty() && (path[0] == '\\' || path[0] == '/');
    fs::path cur = absolute ? fs::path("/") : fs::path();
    for (std::size_t i = absolute ? 1 : 0; i < parts.size(); ++i) {
        if (parts[i].empty() && i + 1 < parts.size()) continue;
        cur /= FindPart(cur.empty() ? fs::path(".") : cur, parts[i]);
    }
    return cur.string();
}

bool FileSystem::ExistsNormalFile(std::string_view pattern) const {
    if (pattern.empty()) return false;
    const std::size_t cut = pattern.find_last_of("\\/");
    const std::string_view last = cut == std::string_view::npos ? pattern : pattern.substr(cut + 1);
    if (!HasWildcard(last)) return IsNormalFile(Resolve(pattern));
    const std::string_view folderPart =
        cut == std::string_view::npos ? "." : pattern.substr(0, cut + 1);
    const fs::path folder = Resolve(folderPart.empty() ? "/" : folderPart);
    const std::u32string folded = FoldedCodePoints(last);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (MatchFolded(folded, FoldedCodePoints(it->path().filename().string())) &&
            IsNormalFile(it->path()))
            return true;
    }
    return false;
}

std::string FileSystem::ComponentFolder() const {
    if (!folder_.empty()) return folder_;
    if (const char* env = Env("QUINDEL_FOLDER")) return env;
    return LibraryFolder();
}

bool FileSystem::FilesBesideComponent() const {
    return !folder_.empty() || Env("QUINDEL_FOLDER");
}

std::string FileSystem::LogFolder() const {
    if (!logFolder_.empty()) return logFolder_;
    if (FilesBesideComponent()) return ComponentFolder();
    fs::path state;
    if (const char* xdg = Env("XDG_STATE_HOME"); xdg && fs::path(xdg).is_absolute())
        state = xdg;
    else if (const char* home = Env("HOME"))
        state = fs::path(home) / ".local" / "state";
    else
        return {};
    const fs::path folder = state / "quindel";
    return MakeUserFolder(folder) ? folder.string() : std::string();
}

std::string FileSystem::TemporaryFolder() const {
    return FilesBesideComponent() ? ComponentFolder() : ProcessFolder();
}

std::vector<std::string> FileSystem::DataFolders() const {
    if (FilesBesideComponent()) {
        const std::string folder = ComponentFolder();
        return {folder, folder + "/.."};
    }
    const std::string library = LibraryFolder();
    if (library.empty()) return {};
    const fs::path installed = fs::path(library) / QUINDEL_DATADIR_FROM_LIBDIR / "quindel";
    return {library, installed.lexically_normal().string()};
}

}  // namespace quindel::platform
