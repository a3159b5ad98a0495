#pragma once
// The toolkit-free model of one window or control. Contract:
// - The model holds the truth (geometry in twips, visibility, enabled state, content); a backend
//   shows it and is told of every change through Platform::Changed. The headless backend shows
//   nothing and renders on request; the desktop backend mirrors the model onto real widgets.
// - Geometry is in twips relative to the parent's client area (a form's: relative to the screen).
// - Events are raised only through the Input* funnel, which every backend and every scripted test
//   uses; the funnel drops input while the window or an ancestor is disabled, hidden or unloaded.
// - Every window has a handle, a stable integer registered with its platform until the window is
//   destroyed (a form's Unload destroys it with its children).
// - Keyboard: a window that is a tab stop takes the focus from a click and from Tab; Tab and
//   Shift+Tab move the focus along the tab stops of the window's form (TabOrder.h) before any
//   handler sees them, so no control keeps the keyboard to itself.
// - Accessibility: every window describes itself to assistive technology (Accessible.h); the
//   backend learns of a change through the aspect the change already reports, or Accessible.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Accessible.h"
#include "platform/Geometry.h"
#include "platform/Image.h"

namespace quindel::platform {

class Platform;
class Form;

// Control: a window kind defined above the platform (a host kit control) that paints itself and
// reacts to input through the overridable defaults below.
enum class WindowKind {
    Form,
    PictureBox,
    Label,
    ListBox,
    VScrollBar,
    Slider,
    CommandButton,
    Control
};

// What changed, for the backend.
// Accessible: what the window tells assistive technology changed without a repaint.
enum class Aspect {
    Geometry,
    Visibility,
    Enabled,
    Content,
    Order,
    Focus,
    Pointer,
    Accessible,
    Destroyed
};

// Mouse event arguments: Button and Shift masks (left = 1, right = 2, middle = 4; shift = 1,
// ctrl = 2, alt = 4); X and Y in twips over the window's client area.
struct MouseArgs {
    std::int16_t Button = 0;
    std::int16_t Shift = 0;
    float X = 0;
    float Y = 0;
};

namespace pointer {
constexpr std::int16_t Default = 0;
constexpr std::int16_t Arrow = 1;
constexpr std::int16_t Hourglass = 11;
constexpr std::int16_t Custom = 99;
}  // namespace pointer

class Window : public std::enable_shared_from_this<Window> {
  public:
    Window(Platform& platform, WindowKind kind, Window* parent);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Handle hWnd() const { return handle_; }
    WindowKind Kind() const { return kind_; }
    Window* Parent() const { return parent_; }
    Platform& platform() const { return platform_; }
    const std::vector<std::shared_ptr<Window>>& Children() const { return children_; }
    // The form this window is on (itself for a form); null once detached.
    Form* TopForm();
    bool Alive() const { return handle_ != 0; }

    std::int32_t Left() const { return left_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    void setLeft(std::int32_t v) { Move(v, top_, width_, height_); }
    void setTop(std::int32_t v) { Move(left_, v, width_, height_); }
    void setWidth(std::int32_t v) { Move(left_, top_, v, height_); }
    void setHeight(std::int32_t v) { Move(left_, top_, width_, v); }
    // Sizes below zero become zero; a size change raises OnResize.
    virtual void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    // The client area, in twips.
    virtual std::int32_t ScaleWidth() const;
    virtual std::int32_t ScaleHeight() const;
    // Pixel size of the client area and offset of the client area inside the window.
    SizePx ClientSizePx() const;
    virtual PointPx ClientOriginPx() const { return {}; }
    // The window's rectangle on the screen, in pixels.
    RectPx ScreenRectPx() const;
    // Converts a screen point to this window's client pixels.
    PointPx ScreenToClientPx(PointPx screen) const;

    bool Visible() const { return visible_; }
    virtual void setVisible(bool v);
    // Visible itself and every ancestor visible.
    bool IsShown() const;
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
    bool IsEnabledDeep() const;

    const std::string& Tag() const { return tag_; }
    void setTag(std::string v) { tag_ = std::move(v); }
    std::int16_t MousePointer() const { return mousePointer_; }
    void setMousePointer(std::int16_t v);
    const Image& MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(Image v);

    // Gives this window the keyboard focus; error 5 when it is hidden or disabled.
    void SetFocus();
    bool HasFocus() const;
    // Whether the window takes the focus from a click and from Tab: the list box, scroll bar,
    // slider and command button do unless told otherwise, other kinds when told to.
    bool TabStop() const { return tabStop_.value_or(FocusOnClick()); }
    void setTabStop(bool v) { tabStop_ = v; }
    // Repaints the window now.
    void Refresh() { Changed(Aspect::Content); }
    // Brings the window to the front of its siblings (a form: of all forms).
    void ZOrder();
    // Destroys a child window with its children and detaches it from its parent (a form is
    // unloaded instead). Its handlers are dropped, so they can no longer reach their owner.
    void Remove();

    std::function<void(const MouseArgs&)> OnMouseDown, OnMouseMove, OnMouseUp;
    std::function<void()> OnClick, OnResize, OnGotFocus, OnLostFocus;
    // Raised on a window and all its descendants when its form is shown.
    std::function<void()> OnShow;
    std::function<void(std::int16_t& keyAscii)> OnKeyPress;
    std::function<void(std::int16_t& keyCode, std::int16_t shift)> OnKeyDown;
    // The mouse wheel: delta in wheel units (a notch is key::WheelNotch, positive away from the
    // user). A handler that uses it sets handled; otherwise the window's own reaction runs, and
    // a window without one passes the wheel to its parent, as desktop windows do.
    std::function<void(int delta, std::int16_t shift, bool& handled)> OnMouseWheel;

    // The input funnel. Returns whether the window took the input. The window stays alive while
    // its handlers run, even when one of them releases the last reference to it.
    bool InputMouseDown(const MouseArgs& a);
    bool InputMouseMove(const MouseArgs& a);
    bool InputMouseUp(const MouseArgs& a);
    bool InputKeyDown(std::int16_t keyCode, std::int16_t shift);
    bool InputKeyPress(std::int16_t keyAscii);
    bool InputMouseWheel(int delta, std::int16_t shift);
    bool AcceptsInput() const;

    // Paints the window's own part, without its children, into img (the window's size in
    // pixels, frame included). Each window kind paints itself.
    virtual void Paint(Image& img) const;
    // True when Paint sets every pixel of img, so img need not be cleared before.
    virtual bool PaintsWhole() const { return false; }
    // A window that paints itself whole from a picture held elsewhere (a film's frame) lends
    // that picture to `use` for one paint when it has `size`, so it is drawn without first being
    // copied into a paint buffer. False, and `use` not called, when it has none of that size.
    virtual bool LendPixels(SizePx size, const std::function<void(const PixelsView&)>& use) const;
    // A window drawn into its native surface by someone else (Platform::NativeSurface) was
    // uncovered or resized, and its surface may have been made anew.
    virtual void Uncovered() {}

    // What assistive technology learns of the window: what its kind says (Describe), with the
    // role, name and description a user of the window gave it in place of the kind's.
    AccessibleDescription Accessible() const;
    void setAccessibleRole(Role r);
    void setAccessibleName(std::string name);
    void setAccessibleDescription(std::string text);
    // Children painted inside the window (Accessible.h). The window keeps only a weak reference:
    // the provider's owner decides how long it lives.
    void setAccessibleChildren(std::weak_ptr<AccessibleChildren> provider);
    virtual int AccessibleChildCount() const;
    virtual AccessibleDescription AccessibleChild(int i) const;
    virtual int FocusedAccessibleChild() const;
    virtual bool PressAccessibleChild(int i);
    // Tells the backend that what the window describes changed without a repaint.
    void AccessibleChanged() { Changed(Aspect::Accessible); }

    // Twips <-> pixels with the platform screen's factors.
    int TwipsToPxX(double twips) const;
    int TwipsToPxY(double twips) const;

  protected:
    void Changed(Aspect a);
    void RaiseResize();
    // Per-kind reactions to raw input, run before the event handlers are called.
    virtual void MouseDownDefault(const MouseArgs&) {}
    virtual void MouseMoveDefault(const MouseArgs&) {}
    virtual void MouseUpDefault(const MouseArgs&) {}
    // Kinds that take the keyboard focus, from a click and from Tab, unless told otherwise
    // (TabStop).
    virtual bool FocusOnClick() const { return false; }
    // The kind's own part of its description: role, name, value, text. The common state
    // (focusable, focused, disabled, invisible) is filled in before.
    virtual void Describe(AccessibleDescription& /*d*/) const {}
    virtual void KeyDownDefault(std::int16_t /*keyCode*/, std::int16_t /*shift*/) {}
    // Whether the window's own reaction used the wheel.
    virtual bool WheelDefault(int /*delta*/) { return false; }
    // Called when the window is destroyed (form unloaded).
    void Destroy();
    void RaiseShow();
    friend class Platform;
    friend class Form;

  private:
    Platform& platform_;
    WindowKind kind_;
    Window* parent_;
    Handle handle_ = 0;
    std::vector<std::shared_ptr<Window>> children_;
    std::int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string tag_;
    std::int16_t mousePointer_ = pointer::Default;
    Image mouseIcon_;
    std::optional<bool> tabStop_;
    std::optional<Role> accessibleRole_;
    std::optional<std::string> accessibleName_, accessibleDescription_;
    std::weak_ptr<AccessibleChildren> accessibleChildren_;
};

}  // namespace quindel::platform
