#include "platform/headless/HeadlessMessageBox.h"

#include "platform/headless/HarnessError.h"

namespace quindel::headless {

platform::AccessibleNode ShownBox::Accessible() const {
    platform::AccessibleNode node;
    node.what.role = platform::Role::Alert;
    node.what.name = title;
    node.what.text = text;
    for (const std::string& b : buttons) {
        platform::AccessibleNode button;
        button.what.role = platform::Role::PushButton;
        button.what.name = b;
        button.what.state.focusable = true;
        node.children.push_back(std::move(button));
    }
    return node;
}

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
