#include "platform/Window.h"

#include <algorithm>
#include <cmath>

#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "platform/TabOrder.h"
#include "runtime/VbError.h"

namespace quindel::platform {

Window::Window(Platform& platform, WindowKind kind, Window* parent)
    : platform_(platform), kind_(kind), parent_(parent) {
    handle_ = platform_.Register(*this);
}

Window::~Window() {
    // Children that outlive their parent (someone still holds them) become orphans.
    for (auto& c : children_) c->parent_ = nullptr;
    if (handle_ != 0) platform_.Unregister(*this);
}

void Window::Destroy() {
    if (handle_ == 0) return;
    for (auto& c : children_) c->Destroy();
    Changed(Aspect::Destroyed);
    platform_.Unregister(*this);
    handle_ = 0;
}

void Window::Remove() {
    if (kind_ == WindowKind::Form) {
        static_cast<Form*>(this)->Unload();
        return;
    }
    const auto self = shared_from_this();  // the parent's list may hold the last reference
    OnMouseDown = OnMouseMove = OnMouseUp = nullptr;
    OnClick = OnResize = OnGotFocus = OnLostFocus = OnShow = nullptr;
    OnKeyPress = nullptr;
    OnKeyDown = nullptr;
    OnMouseWheel = nullptr;
    Destroy();
    if (parent_) std::erase(parent_->children_, self);
    parent_ = nullptr;
}

void Window::RaiseShow() {
    if (OnShow) OnShow();
    const auto kids = children_;
    for (auto& c : kids)
        if (c->Alive()) c->RaiseShow();
}

Form* Window::TopForm() {
    Window* w = this;
    while (w->parent_) w = w->parent_;
    return w->kind_ == WindowKind::Form ? static_cast<Form*>(w) : nullptr;
}

void Window::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const bool resized = width != width_ || height != height_;
    if (left == left_ && top == top_ && !resized) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed(Aspect::Geometry);
    if (resized) RaiseResize();
}

void Window::RaiseResize() {
    if (OnResize) OnResize();
}

std::int32_t Window::ScaleWidth() const {
    return width_;
}
std::int32_t Window::ScaleHeight() const {
    return height_;
}

SizePx Window::ClientSizePx() const {
    return {std::max(TwipsToPxX(ScaleWidth()), 0), std::max(TwipsToPxY(ScaleHeight()), 0)};
}

RectPx Window::ScreenRectPx() const {
    int x = TwipsToPxX(left_), y = TwipsToPxY(top_);
    for (const Window* p = parent_; p; p = p->parent_) {
        const PointPx origin = p->ClientOriginPx();
        x += p->TwipsToPxX(p->left_) + origin.x;
        y += p->TwipsToPxY(p->top_) + origin.y;
    }
    return {x, y, x + TwipsToPxX(width_), y + TwipsToPxY(height_)};
}

PointPx Window::ScreenToClientPx(PointPx screen) const {
    const RectPx r = ScreenRectPx();
    const PointPx origin = ClientOriginPx();
    return {screen.x - r.left - origin.x, screen.y - r.top - origin.y};
}

void Window::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    if (!v && platform_.Capture() == this) platform_.setCapture(nullptr);
    Changed(Aspect::Visibility);
    if (!v) platform_.FocusBack();
}

bool Window::IsShown() const {
    for (const Window* w = this; w; w = w->parent_)
        if (!w->visible_ || w->handle_ == 0) return false;
    return true;
}

void Window::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Changed(Aspect::Enabled);
}

bool Window::IsEnabledDeep() const {
    for (const Window* w = this; w; w = w->parent_)
        if (!w->enabled_) return false;
    return true;
}

void Window::setMousePointer(std::int16_t v) {
    if (v == mousePointer_) return;
    mousePointer_ = v;
    Changed(Aspect::Pointer);
}

void Window::setMouseIcon(Image v) {
    if (v == mouseIcon_) return;
    mouseIcon_ = std::move(v);
    Changed(Aspect::Pointer);
}

void Window::SetFocus() {
    if (!AcceptsInput()) Raise(5);
    platform_.SetFocusTo(this);
}

bool Window::HasFocus() const {
    return platform_.Focused() == this;
}

void Window::ZOrder() {
    if (kind_ == WindowKind::Form) {
        platform_.BringToFront(static_cast<Form&>(*this));
    } else if (parent_) {
        auto& sib = parent_->children_;
        auto it = std::find_if(sib.begin(), sib.end(), [this](auto& c) { return c.get() == this; });
        if (it != sib.end()) std::rotate(it, it + 1, sib.end());
    }
    Changed(Aspect::Order);
}

bool Window::AcceptsInput() const {
    return handle_ != 0 && IsShown() && IsEnabledDeep();
}

bool Window::InputMouseDown(const MouseArgs& a) {
    const auto self = shared_from_this();  // a handler may drop the last reference
    if (!AcceptsInput()) return false;
    platform_.setCapture(this);
    if (TabStop()) platform_.SetFocusTo(this);
    MouseDownDefault(a);
    if (OnMouseDown) OnMouseDown(a);
    return true;
}

bool Window::InputMouseMove(const MouseArgs& a) {
    const auto self = shared_from_this();  // a handler may drop the last reference
    if (!AcceptsInput()) return false;
    MouseMoveDefault(a);
    if (OnMouseMove && AcceptsInput()) OnMouseMove(a);
    return true;
}

bool Window::InputMouseUp(const MouseArgs& a) {
    const auto self = shared_from_this();  // a handler may drop the last reference
    if (platform_.Capture() == this) platform_.setCapture(nullptr);
    if (!AcceptsInput()) return false;
    if (OnMouseUp) OnMouseUp(a);
    if (AcceptsInput()) MouseUpDefault(a);
    return true;
}

bool Window::InputKeyDown(std::int16_t keyCode, std::int16_t shift) {
    const auto self = shared_from_this();  // a handler may drop the last reference
    if (!AcceptsInput()) return false;
    if (keyCode == key::Tab && (shift & (modifier::Ctrl | modifier::Alt)) == 0) {
        if (Window* next = NextTabStop(*this, (shift & modifier::Shift) != 0)) {
            platform_.SetFocusTo(next);
            return true;
        }
    }
    if (OnKeyDown) OnKeyDown(keyCode, shift);
    if (keyCode != 0) KeyDownDefault(keyCode, shift);
    return true;
}

bool Window::InputMouseWheel(int delta, std::int16_t shift) {
    const auto self = shared_from_this();  // a handler may drop the last reference
    if (!AcceptsInput()) return false;
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(delta, shift, handled);
    if (handled || !Alive()) return true;
    if (WheelDefault(delta)) return true;
    return parent_ && parent_->InputMouseWheel(delta, shift);
}

bool Window::InputKeyPress(std::int16_t keyAscii) {
    const auto self = shared_from_this();  // a handler may drop the last reference
    if (!AcceptsInput()) return false;
    if (OnKeyPress) OnKeyPress(keyAscii);
    return true;
}

int Window::TwipsToPxX(double twips) const {
    return int(std::lround(twips / platform_.screen().TwipsPerPixelX()));
}

int Window::TwipsToPxY(double twips) const {
    return int(std::lround(twips / platform_.screen().TwipsPerPixelY()));
}

void Window::Paint(Image&) const {}

AccessibleDescription Window::Accessible() const {
    AccessibleDescription d;
    d.state.focusable = TabStop();
    d.state.focused = HasFocus();
    d.state.disabled = !IsEnabledDeep();
    d.state.invisible = !IsShown();
    Describe(d);
    if (accessibleRole_) d.role = *accessibleRole_;
    if (accessibleName_) d.name = *accessibleName_;
    if (accessibleDescription_) d.description = *accessibleDescription_;
    return d;
}

void Window::setAccessibleRole(Role r) {
    if (accessibleRole_ == r) return;
    accessibleRole_ = r;
    AccessibleChanged();
}

void Window::setAccessibleName(std::string name) {
    if (accessibleName_ == name) return;
    accessibleName_ = std::move(name);
    AccessibleChanged();
}

void Window::setAccessibleDescription(std::string text) {
    if (accessibleDescription_ == text) return;
    accessibleDescription_ = std::move(text);
    AccessibleChanged();
}

void Window::setAccessibleChildren(std::weak_ptr<AccessibleChildren> provider) {
    accessibleChildren_ = std::move(provider);
    AccessibleChanged();
}

int Window::AccessibleChildCount() const {
    const auto p = accessibleChildren_.lock();
    return p ? p->Count() : 0;
}

AccessibleDescription Window::AccessibleChild(int i) const {
    const auto p = accessibleChildren_.lock();
    return p && i >= 0 && i < p->Count() ? p->Child(i) : AccessibleDescription{};
}

int Window::FocusedAccessibleChild() const {
    const auto p = accessibleChildren_.lock();
    return p && HasFocus() ? p->FocusedChild() : -1;
}

bool Window::PressAccessibleChild(int i) {
    const auto self = shared_from_this();  // the press runs the window's handlers
    const auto p = accessibleChildren_.lock();
    return p && AcceptsInput() && i >= 0 && i < p->Count() && p->Press(i);
}

bool Window::LendPixels(SizePx, const std::function<void(const PixelsView&)>&) const {
    return false;
}

void Window::Changed(Aspect a) {
    if (handle_ != 0 || a == Aspect::Destroyed) platform_.Changed(*this, a);
}

}  // namespace quindel::platform
