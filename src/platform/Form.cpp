#include "platform/Form.h"

#include <algorithm>

#include "platform/ModelRenderer.h"
#include "platform/Platform.h"

namespace quindel::platform {

using namespace look;

Form::Form(Platform& p) : Window(p, WindowKind::Form, nullptr) {
    setVisible(false);
}

void Form::setCaption(std::string c) {
    if (c == caption_) return;
    caption_ = std::move(c);
    Changed(Aspect::Content);
}

void Form::setBorderStyle(std::int16_t b) {
    if (b == borderStyle_) return;
    borderStyle_ = b;
    Changed(Aspect::Geometry);
}

void Form::setBackColor(Rgba c) {
    if (c == backColor_) return;
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

bool Form::InputClose() {
    const auto self = shared_from_this();  // a handler may drop the last reference
    if (!AcceptsInput()) return false;
    bool cancel = false;
    // A copy: the handler may close its owner, which drops the handler.
    if (const auto query = OnQueryUnload) query(cancel);
    if (cancel || !Alive()) return false;
    Unload();
    return true;
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

RectPx Form::CloseBoxPx() const {
    if (borderStyle_ != border::FixedToolWindow && borderStyle_ != border::SizableToolWindow)
        return {};
    const FrameMetrics fm = platform().FrameOf(*this);
    const int side = fm.caption - 4;
    const int right = ScreenRectPx().width() - fm.border - 2;
    if (side <= 0 || right - side < fm.border) return {};
    return {right - side, fm.border + 2, right, fm.border + 2 + side};
}

void Form::Describe(AccessibleDescription& d) const {
    d.role = borderStyle_ == border::FixedDialog ? Role::Dialog
             : borderStyle_ == border::None      ? Role::Pane
                                                 : Role::Window;
    d.name = caption_;
}

namespace {

// A raised button with a cross, as a tool window's close box.
void PaintCloseBox(Image& img, const RectPx& box) {
    img.fillRect(box.left, box.top, box.width(), box.height(), kFace);
    Bevel(img, box.left, box.top, box.width(), box.height(), true);
    const int x0 = box.left + box.width() / 4, y0 = box.top + box.height() / 4;
    const int n = box.height() - 2 * (box.height() / 4) - 1;  // two pixels thick, n + 1 tall
    for (int i = 0; i < n; ++i)
        for (int x : {x0 + i, x0 + i + 1}) {
            img.setPixel(x, y0 + i, kInk);
            img.setPixel(x, y0 + n - 1 - i, kInk);
        }
}

}  // namespace

void Form::Paint(Image& img) const {
    img.fill(BackColor());
    const FrameMetrics fm = platform().FrameOf(*this);
    if (fm.border <= 0) return;
    const int W = img.width(), H = img.height();
    Bevel(img, 0, 0, W, H, true);
    img.fillRect(fm.border, fm.border, W - 2 * fm.border, fm.caption, kSelection);
    platform().DrawText(img, fm.border + 4, fm.border + (fm.caption - LineHeight(platform())) / 2,
                        Caption(), kLight);
    if (const RectPx box = CloseBoxPx(); box.width() > 0) PaintCloseBox(img, box);
}

}  // namespace quindel::platform
