#pragma once
// Turns SIGTERM and SIGINT into a call on the event loop's thread, so a viewer told to stop ends
// as it does when its window is closed, clean-up included. The signal handler only writes a byte
// into a pipe; a notifier on the pipe's other end runs onSignal once, at the next turn of the event
// loop (or of a wait inside it). The first signal also puts the default handlers back, so a second
// one stops a viewer that does not end. One at a time per process.
#include <QObject>
#include <csignal>
#include <functional>

class QSocketNotifier;

namespace quindel::viewer {

class QuitOnSignal : public QObject {
  public:
    explicit QuitOnSignal(std::function<void()> onSignal);
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

  private:
    static void Handler(int signal);
    void Restore();
    void Received();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction oldTerm_ {};
    struct sigaction oldInt_ {};
    bool installed_ = false;
};

}  // namespace quindel::viewer
