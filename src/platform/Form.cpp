#include "platform/Form.h"

#include <algorithm>

#include "platform/Platform.h"

namespace quindel::platform {

Form::Form(Platform& p) : Window(p, WindowKind::Form, nullptr) {
    setVisible(false);
}

void Form::setCaption(std::string c) {
    caption_ = std::move(c);
    Changed(Aspect::Content);
}

void Form::setBorderStyle(std::int16_t b) {
    borderStyle_ = b;
    Changed(Aspect::Geometry);
}

void Form::setBackColor(Rgba c) {
    backColor_ = c;
    Changed(Aspect::Content);
}

void Form::Show() {
    if (!Alive()) return;
    const bool wasVisible = Visible();
    ZOrder();
    setVisible(true);
    platform().Activate(this);
    if (!wasVisible) RaiseShow();
}

void Form::Unload() {
    if (!Alive()) return;
    if (OnUnload) OnUnload();
    setVisible(false);
    Destroy();
}

std::int32_t Form::ScaleWidth() const {
    const FrameMetrics f = platform().FrameOf(*this);
    return std::max(Width() - 2 * f.border * platform().screen().TwipsPerPixelX(), 0);
}

std::int32_t Form::ScaleHeight() const {
    const FrameMetrics f = platform().FrameOf(*this);
    return std::max(Height() - (2 * f.border + f.caption) * platform().screen().TwipsPerPixelY(),
                    0);
}

PointPx Form::ClientOriginPx() const {
    const FrameMetrics f = platform().FrameOf(*this);
    return {f.border, f.border + f.caption};
}

}  // namespace quindel::platform
