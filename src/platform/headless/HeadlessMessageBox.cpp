#include "platform/headless/HeadlessMessageBox.h"

#include "platform/headless/HarnessError.h"

namespace quindel::headless {

std::int16_t HeadlessMessageBox::Show(std::string_view text, std::int32_t style,
                                      std::string_view title) {
    std::int16_t answer = platform::mb::EscapeAnswer(style);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
        if (!platform::mb::Offers(style, answer))
            throw HarnessError("scripted answer " + std::to_string(answer) +
                               " is not a button of a box with style " + std::to_string(style) +
                               ": " + std::string(text));
    }
    shown_.push_back({std::string(text), style, std::string(title), answer, ButtonTexts(style)});
    return answer;
}

}  // namespace quindel::headless
