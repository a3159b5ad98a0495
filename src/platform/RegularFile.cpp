#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quindel::platform {

namespace {

ReadResult Fail(ReadFailure f, const char* why, const std::string& path) {
    return {std::nullopt, f, std::string(why) + ": " + path};
}

// Reads up to limit + 1 bytes, so a file that grew past the cap since fstat is caught too.
bool ReadAll(int fd, std::int64_t limit, std::string& out) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        out.append(buffer, std::size_t(n));
        if (std::int64_t(out.size()) > limit) return true;
    }
}

}  // namespace

ReadResult ReadRegularFile(const std::string& path, std::int64_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR
                   ? Fail(ReadFailure::Missing, "no such file", path)
                   : Fail(ReadFailure::Unreadable, "cannot open the file", path);
    struct stat st {};
    ReadResult result;
    if (::fstat(fd, &st) != 0) {
        result = Fail(ReadFailure::Unreadable, "cannot read the file", path);
    } else if (!S_ISREG(st.st_mode)) {
        result = Fail(ReadFailure::NotRegular, "not a regular file", path);
    } else if (st.st_size > maxBytes) {
        result = Fail(ReadFailure::TooLarge, "the file is too large", path);
    } else {
        std::string bytes;
        bytes.reserve(std::size_t(st.st_size));
        if (!ReadAll(fd, maxBytes, bytes))
            result = Fail(ReadFailure::Unreadable, "cannot read the file", path);
        else if (std::int64_t(bytes.size()) > maxBytes)
            result = Fail(ReadFailure::TooLarge, "the file is too large", path);
        else
            result.bytes = std::move(bytes);
    }
    ::close(fd);
    return result;
}

}  // namespace quindel::platform
