#include "platform/ProcessFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/PrivateFolder.h"

namespace quindel::platform {

namespace {

// Plain data only: the signal handler reads it. The owner is stored last, so a handler that sees
// this process as the owner sees the whole folder.
constexpr std::size_t kPathBytes = 4096;
char folderPath[kPathBytes] = {};
int folderFd = -1;
std::atomic<pid_t> owner{0};
std::mutex making;
constexpr int kSignals[] = {SIGTERM, SIGINT};

// Removes every entry of the folder with calls a signal handler may make: the directory's entries
// are read raw (getdents64) into a fixed buffer, each unlinked by name. Entries removed while the
// listing runs may shift the rest, so it lists again until a pass removes nothing.
void EmptyFolder(int fd) {
    alignas(8) static char buffer[4096];
    for (bool removed = true; removed;) {
        removed = false;
        if (::lseek(fd, 0, SEEK_SET) != 0) return;
        for (long n; (n = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0;) {
            for (long at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
                const char* name = entry->d_name;
                at += entry->d_reclen;
                if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
                removed = ::unlinkat(fd, name, 0) == 0 || removed;
            }
        }
    }
}

// Only the process that made the folder removes it, once.
void RemoveFolder() {
    pid_t self = ::getpid();
    if (!owner.compare_exchange_strong(self, 0)) return;
    EmptyFolder(folderFd);
    ::rmdir(folderPath);
    ::close(folderFd);
    folderFd = -1;
}

void OnSignal(int signal) {
    const int saved = errno;
    RemoveFolder();
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    errno = saved;
    // Blocked while this handler runs, the signal strikes with its default action on return.
    ::raise(signal);
}

bool OurHandler(const struct sigaction& sa) {
    return !(sa.sa_flags & SA_SIGINFO) && sa.sa_handler == &OnSignal;
}

void InstallHandlers() {
    for (int signal : kSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_flags & SA_SIGINFO ||
            current.sa_handler != SIG_DFL)
            continue;
        struct sigaction sa {};
        sa.sa_handler = &OnSignal;
        sigemptyset(&sa.sa_mask);
        ::sigaction(signal, &sa, nullptr);
    }
}

// At normal exit (or when this library is unloaded): the folder goes, and a handler that would
// point into unloaded code gives way to the default.
struct AtExit {
    ~AtExit() {
        RemoveFolder();
        for (int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || !OurHandler(current)) continue;
            current.sa_handler = SIG_DFL;
            ::sigaction(signal, &current, nullptr);
        }
    }
} atExit;

}  // namespace

std::string ProcessFolder() {
    std::lock_guard lock(making);
    const pid_t self = ::getpid();
    if (owner.load() == self) return folderPath;
    // A forked child: the folder it knows is its parent's.
    if (folderFd >= 0) ::close(folderFd);
    folderFd = -1;
    folderPath[0] = '\0';
    const std::string pattern = TemporaryParent() + "/quindel-XXXXXX";
    if (pattern.size() >= kPathBytes) return {};
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data())) return {};
    folderFd = ::open(name.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        ::rmdir(name.data());
        return {};
    }
    std::memcpy(folderPath, name.data(), name.size());
    owner.store(self);
    InstallHandlers();
    return folderPath;
}

}  // namespace quindel::platform
