#include "viewer/QuitOnSignal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace quindel::viewer {

namespace {
// The pipe the handler writes into: a handler may touch nothing but such plain data.
int pipeEnds[2] = {-1, -1};
}  // namespace

QuitOnSignal::QuitOnSignal(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { Received(); });
    struct sigaction sa {};
    sa.sa_handler = &QuitOnSignal::Handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    installed_ = ::sigaction(SIGTERM, &sa, &oldTerm_) == 0;
    installed_ = ::sigaction(SIGINT, &sa, &oldInt_) == 0 && installed_;
}

QuitOnSignal::~QuitOnSignal() {
    Restore();
    delete notifier_;
    for (int& end : pipeEnds) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

void QuitOnSignal::Handler(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

void QuitOnSignal::Restore() {
    if (!installed_) return;
    installed_ = false;
    ::sigaction(SIGTERM, &oldTerm_, nullptr);
    ::sigaction(SIGINT, &oldInt_, nullptr);
}

void QuitOnSignal::Received() {
    char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    if (!onSignal_) return;
    Restore();
    const auto run = std::move(onSignal_);
    onSignal_ = nullptr;
    run();
}

}  // namespace quindel::viewer
