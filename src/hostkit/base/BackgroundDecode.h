#pragma once
// A whole JPEG decoded away from the user-interface thread, while the control shows what it
// already has. Contract:
// - Start(path, expected) decodes the file's whole picture: on a thread of its own (Threaded),
//   or on the owner's thread when Wait or Poll is called (Deferred: a test decides when it
//   ends, with no thread and no sleep). A decode already under way is cancelled first.
// - Ready says, without blocking, that the decode has ended; Take then hands its picture over
//   once (empty when the file has gone, no longer has the expected size or cannot be decoded)
//   and the decode is over. Wait ends it first (blocking while the thread works). Poll is the
//   owner's periodic look: Ready, after running a Deferred decode.
// - Cancel, and destruction, ask the decode to stop (it looks between rows) and wait for it.
// - The thread touches nothing but the file and its own result; only the owner's thread calls
//   these members.
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/Image.h"
#include "platform/PictureFile.h"

namespace quindel::hostkit {

class BackgroundDecode {
  public:
    enum class Mode { Threaded, Deferred };

    BackgroundDecode() = default;
    ~BackgroundDecode() { Cancel(); }
    BackgroundDecode(const BackgroundDecode&) = delete;
    BackgroundDecode& operator=(const BackgroundDecode&) = delete;

    Mode mode() const { return mode_; }
    void setMode(Mode m) { mode_ = m; }

    void Start(const std::string& path, platform::PictureSize expected);
    // Started and not yet taken.
    bool Running() const { return job_ != nullptr; }
    bool Ready() const;
    bool Poll();
    std::optional<platform::Image> Take();
    void Wait();
    void Cancel();

  private:
    struct Job {
        std::string path;
        platform::PictureSize expected;
        std::atomic<bool> cancel{false};
        std::atomic<bool> done{false};
        platform::Image result;  // written before done is set
    };
    static void Run(Job& job);

    Mode mode_ = Mode::Threaded;
    std::unique_ptr<Job> job_;
    std::thread thread_;
};

}  // namespace quindel::hostkit
