#include "build/ProgressBar.h"

#include <unistd.h>

#include <cstdio>

namespace quindel::build {

ProgressBar::ProgressBar(std::string label, std::size_t total)
    : label_(std::move(label)), total_(total), active_(total > 0 && ::isatty(2)) {
    Show(0);
}

ProgressBar::~ProgressBar() {
    if (active_ && shown_ > 0) {
        Show(total_);
        std::fputc('\n', stderr);
    }
}

void ProgressBar::Show(std::size_t done) {
    if (!active_ || (done < total_ && done > 0 && done - shown_ < total_ / 100 + 1)) return;
    shown_ = std::max<std::size_t>(done, 1);
    constexpr int kWidth = 30;
    const int filled = int(done * kWidth / total_);
    std::fprintf(stderr, "\r%s [%s%s] %zu/%zu", label_.c_str(),
                 std::string(std::size_t(filled), '#').c_str(),
                 std::string(std::size_t(kWidth - filled), ' ').c_str(), done, total_);
    std::fflush(stderr);
}

}  // namespace quindel::build
