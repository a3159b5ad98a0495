#include "hostkit/state/StateStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace quindel::hostkit {
namespace fs = std::filesystem;
namespace {

// A state file is a few hundred bytes; anything much larger is not one of ours.
constexpr std::uintmax_t kMaxStateBytes = 64 * 1024;

// FNV-1a, 64 bits: stable across runs and builds, which std::hash does not promise.
std::string PathHash(const std::string& text) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) h = (h ^ c) * 0x100000001b3ULL;
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
}

bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return ::fsync(fd) == 0;
}

}  // namespace

fs::path StateFolder() {
    const char* xdg = std::getenv("XDG_STATE_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return fs::path(xdg) / "quindel";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / ".local" / "state" / "quindel";
}

fs::path StateFileFor(const fs::path& contentFolder) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(fs::absolute(contentFolder, ec), ec);
    if (ec) canonical = contentFolder;
    return StateFolder() / (PathHash(canonical.string()) + ".state");
}

std::string SaveReadingState(const fs::path& contentFolder, const ReadingState& state) {
    const fs::path file = StateFileFor(contentFolder);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ec) return "cannot make " + file.parent_path().string() + ": " + ec.message();
    std::string temp = file.string() + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return "cannot write into " + file.parent_path().string();
    const bool written = WriteAll(fd, FormatReadingState(state));
    ::close(fd);
    if (written) fs::rename(temp, file, ec);
    if (!written || ec) {
        fs::remove(temp, ec);
        return "cannot write " + file.string();
    }
    return {};
}

LoadedState LoadReadingState(const fs::path& contentFolder, const std::string& fingerprint) {
    LoadedState loaded;
    const fs::path file = StateFileFor(contentFolder);
    std::error_code ec;
    if (!fs::exists(file, ec)) return loaded;
    const auto size = fs::file_size(file, ec);
    if (ec || !fs::is_regular_file(file, ec) || size > kMaxStateBytes) {
        loaded.warning = "ignoring the reading state " + file.string() + ": not a state file";
        return loaded;
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    ReadingState state;
    std::string why;
    if (!ParseReadingState(text.str(), state, why)) {
        loaded.warning = "ignoring the reading state " + file.string() + ": " + why;
    } else if (state.content != fingerprint) {
        loaded.warning = "ignoring the reading state " + file.string() +
                         ": it was saved for other content in " + contentFolder.string();
    } else {
        loaded.state = state;
    }
    return loaded;
}

}  // namespace quindel::hostkit
