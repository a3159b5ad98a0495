#include "platform/PrivateFolder.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace quindel::platform {

std::string TemporaryParent() {
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run) {
        struct stat st {};
        if (::stat(run, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
            ::access(run, W_OK) == 0)
            return run;
    }
    std::error_code ec;
    const auto tmp = std::filesystem::temp_directory_path(ec);
    return ec ? std::string("/tmp") : tmp.string();
}

PrivateFolder::PrivateFolder(std::string prefix) : prefix_(std::move(prefix)) {}

PrivateFolder::~PrivateFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

const std::string& PrivateFolder::Path() const {
    if (tried_) return path_;
    tried_ = true;
    const std::string pattern =
        (std::filesystem::path(TemporaryParent()) / (prefix_ + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data())) path_ = name.data();
    return path_;
}

std::string PrivateFolder::File(const std::string& name) const {
    const std::string& folder = Path();
    return folder.empty() ? std::string() : (std::filesystem::path(folder) / name).string();
}

}  // namespace quindel::platform
