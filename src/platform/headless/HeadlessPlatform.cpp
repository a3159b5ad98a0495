#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>

#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/ModelRenderer.h"
#include "platform/headless/BuiltinFont.h"
#include "platform/headless/HarnessError.h"

namespace quindel::headless {

using namespace quindel::platform;

HeadlessPlatform::HeadlessPlatform(HeadlessConfig config)
    : Platform(config.screen), config_(config), now_(config.startMs), lastInput_(config.startMs) {
    input_.now_ = now_;
    input_.last_ = now_;
}

InputScript& HeadlessPlatform::Input() {
    input_.now_ = now_;
    lastInput_ = now_;
    return input_;
}

std::int64_t HeadlessPlatform::NextDue() const {
    std::int64_t next = kNever;
    if (auto t = timers().NextDeadline()) next = *t;
    if (const InputStep* s = input_.Next()) next = std::min(next, s->at);
    return next;
}

int HeadlessPlatform::RunDue() {
    int ran = 0;
    while (const InputStep* s = input_.Next()) {
        if (s->at > now_) break;
        const InputStep step = input_.Pop();
        lastInput_ = now_;
        Deliver(step);
        ++ran;
    }
    return ran + timers().RunDue(now_);
}

void HeadlessPlatform::Advance(std::int64_t wakeAtMs) {
    input_.now_ = now_;
    if (RunDue() > 0) return;
    if (input_.Empty() && now_ - lastInput_ > config_.stallLimitMs)
        throw HarnessError("waited " + std::to_string(now_ - lastInput_) +
                           " ms of virtual time for input the script never gives");
    const std::int64_t next = std::min(NextDue(), wakeAtMs);
    now_ = next == kNever ? now_ + config_.idleStepMs : std::max(now_, next);
    input_.now_ = now_;
    RunDue();
}

void HeadlessPlatform::RunFor(std::int64_t ms) {
    const std::int64_t end = now_ + std::max<std::int64_t>(ms, 0);
    for (;;) {
        input_.now_ = now_;
        RunDue();
        const std::int64_t next = NextDue();
        if (next > end) break;
        now_ = std::max(now_, next);
    }
    now_ = end;
    input_.now_ = now_;
    lastInput_ = std::max(lastInput_, input_.Empty() ? now_ : lastInput_);
}

void HeadlessPlatform::Deliver(const InputStep& s) {
    if (s.kind == InputStep::Kind::Key) {
        // As on a desktop: the focused window, else the active form itself.
        Window* to = Focused() ? Focused() : ActiveForm();
        if (!to) return;
        // Held across both calls: the first one's handler may release the window.
        const std::shared_ptr<Window> target = to->shared_from_this();
        target->InputKeyDown(s.key, s.shift);
        // Keys with Ctrl or Alt type nothing.
        const bool character = (s.shift & (modifier::Ctrl | modifier::Alt)) == 0 &&
                               (s.key == 13 || s.key == 27 || s.key == 32 ||
                                (s.key >= '0' && s.key <= '9') || (s.key >= 'A' && s.key <= 'Z'));
        if (character && target->Alive()) target->InputKeyPress(s.key);
        return;
    }
    if (s.kind == InputStep::Kind::Move) screen().setCursorPos({s.x, s.y});
    const PointPx at = screen().CursorPos();
    if (s.kind == InputStep::Kind::Wheel) {
        if (Window* under = WindowAt(at)) under->InputMouseWheel(s.delta, s.shift);
        return;
    }
    Window* target = Capture() ? Capture() : WindowAt(at);
    if (s.kind == InputStep::Kind::Press) buttons_ = std::int16_t(buttons_ | s.button);
    if (s.kind == InputStep::Kind::Release) buttons_ = std::int16_t(buttons_ & ~s.button);
    if (!target) return;
    const PointPx c = target->ScreenToClientPx(at);
    MouseArgs a;
    a.Shift = s.shift;
    a.X = float(c.x * screen().TwipsPerPixelX());
    a.Y = float(c.y * screen().TwipsPerPixelY());
    switch (s.kind) {
        case InputStep::Kind::Move:
            a.Button = buttons_;
            target->InputMouseMove(a);
            break;
        case InputStep::Kind::Press:
            a.Button = s.button;
            target->InputMouseDown(a);
            break;
        default:
            a.Button = s.button;
            target->InputMouseUp(a);
            break;
    }
}

SizePx HeadlessPlatform::MeasureText(std::string_view text) const {
    return {BuiltinFont::TextWidth(text), BuiltinFont::TextHeight(text)};
}

void HeadlessPlatform::DrawText(Image& target, int x, int y, std::string_view text,
                                Rgba ink) const {
    BuiltinFont::Draw(target, x, y, text, ink);
}

FrameMetrics HeadlessPlatform::FrameOf(const Form& form) const {
    switch (form.BorderStyle()) {
        case border::None:
            return {0, 0};
        case border::FixedToolWindow:
        case border::SizableToolWindow:
            return {config_.formBorderPx, config_.toolCaptionPx};
        default:
            return {config_.formBorderPx, config_.captionPx};
    }
}

Image HeadlessPlatform::Grab(Window& window) {
    return ModelRenderer().Render(window);
}

Image HeadlessPlatform::GrabScreen() {
    return ComposeScreen(*this);
}

}  // namespace quindel::headless
