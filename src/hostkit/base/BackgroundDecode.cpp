#include "hostkit/base/BackgroundDecode.h"

#include "platform/JpegRegion.h"

namespace quindel::hostkit {

using platform::Image;

void BackgroundDecode::Run(Job& job) {
    if (const auto bytes = platform::ReadPictureFile(job.path)) {
        const auto data = platform::BytesOf(*bytes);
        const auto size = platform::ReadPictureSize(data);
        if (size && size->width == job.expected.width && size->height == job.expected.height) {
            auto whole =
                platform::DecodeJpegRegion(data, {0, 0, size->width, size->height}, &job.cancel);
            if (whole) job.result = std::move(*whole);
        }
    }
    job.done.store(true, std::memory_order_release);
}

void BackgroundDecode::Start(const std::string& path, platform::PictureSize expected) {
    Cancel();
    job_ = std::make_unique<Job>();
    job_->path = path;
    job_->expected = expected;
    if (mode_ == Mode::Threaded) thread_ = std::thread(&BackgroundDecode::Run, std::ref(*job_));
}

bool BackgroundDecode::Ready() const {
    return job_ && job_->done.load(std::memory_order_acquire);
}

bool BackgroundDecode::Poll() {
    if (job_ && !thread_.joinable()) Wait();
    return Ready();
}

void BackgroundDecode::Wait() {
    if (!job_) return;
    if (thread_.joinable())
        thread_.join();
    else if (!job_->done.load(std::memory_order_acquire))
        Run(*job_);
}

std::optional<Image> BackgroundDecode::Take() {
    if (!Ready()) return std::nullopt;
    if (thread_.joinable()) thread_.join();
    Image result = std::move(job_->result);
    job_.reset();
    return result;
}

void BackgroundDecode::Cancel() {
    if (!job_) return;
    job_->cancel.store(true, std::memory_order_relaxed);
    if (thread_.joinable()) thread_.join();
    job_.reset();
}

}  // namespace quindel::hostkit
