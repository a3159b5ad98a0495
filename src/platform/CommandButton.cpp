#include "platform/CommandButton.h"

#include "runtime/ScopeGuard.h"

namespace quindel::platform {

namespace {
constexpr std::int16_t kKeyReturn = 13, kKeySpace = 32;
}

CommandButton::CommandButton(Platform& p, Window* parent)
    : Window(p, WindowKind::CommandButton, parent) {}

void CommandButton::setCaption(std::string c) {
    caption_ = std::move(c);
    Changed(Aspect::Content);
}

void CommandButton::setValue(bool v) {
    if (!v) return;
    // The depth counter makes Value read True while any click on this button is running.
    TemporaryChange depth(depth_, depth_ + 1);
    if (OnClick) OnClick();
}

void CommandButton::MouseUpDefault(const MouseArgs& a) {
    const SizePx s = ClientSizePx();
    const int x = TwipsToPxX(a.X), y = TwipsToPxY(a.Y);
    if (x >= 0 && y >= 0 && x < s.width && y < s.height) setValue(true);
}

void CommandButton::KeyDownDefault(std::int16_t keyCode) {
    if (keyCode == kKeyReturn || keyCode == kKeySpace) setValue(true);
}

}  // namespace quindel::platform
