#include "platform/headless/HeadlessFileDialog.h"

namespace quindel::headless {

std::optional<std::string> HeadlessFileDialog::Ask(const platform::FileQuestion& question) {
    std::optional<std::string> answer;
    if (!answers_.empty()) {
        answer = std::move(answers_.front());
        answers_.pop_front();
    }
    asked_.push_back({question, answer});
    return answer;
}

}  // namespace quindel::headless
