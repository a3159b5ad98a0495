#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace quindel::platform {

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target, int mode) : target_(std::move(target)) {
    std::vector<char> name(target_.begin(), target_.end());
    for (char c : std::string_view(".XXXXXX")) name.push_back(c);
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) return;
    temporary_ = name.data();
    ::fchmod(fd_, mode_t(mode));
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool ReplacingFile::Write(const char* data, std::size_t size) {
    if (fd_ < 0 || failed_) return false;
    failed_ = !WriteAll(fd_, data, size);
    return !failed_;
}

bool ReplacingFile::Commit() {
    if (fd_ < 0) return false;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (failed_ || !closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) return false;
    temporary_.clear();
    return true;
}

bool AppendToFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(
        path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat st {};
    const bool ok =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && WriteAll(fd, bytes.data(), bytes.size());
    return ::close(fd) == 0 && ok;
}

}  // namespace quindel::platform
