#include "platform/CommandButton.h"

#include "platform/FocusMark.h"
#include "platform/Keys.h"
#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "runtime/ScopeGuard.h"

namespace quindel::platform {

using namespace look;

CommandButton::CommandButton(Platform& p, Window* parent)
    : Window(p, WindowKind::CommandButton, parent) {}

void CommandButton::setCaption(std::string c) {
    if (c == caption_) return;
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

void CommandButton::KeyDownDefault(std::int16_t keyCode, std::int16_t) {
    if (keyCode == key::Return || keyCode == key::Space) setValue(true);
}

void CommandButton::Describe(AccessibleDescription& d) const {
    d.role = Role::PushButton;
    d.name = caption_;
    d.state.pressed = Value();
}

void CommandButton::Paint(Image& img) const {
    const int W = img.width(), H = img.height();
    Bevel(img, 0, 0, W, H, !Value());
    platform().DrawText(img, (W - platform().MeasureText(Caption()).width) / 2,
                        (H - LineHeight(platform())) / 2, Caption(), kInk);
    if (HasFocus()) DrawFocusMark(img, 3, 3, W - 6, H - 6);
}

}  // namespace quindel::platform
