#pragma once
// The platform a control runs on: one object per host, handed to the component explicitly (no
// global state), so two controls on two platforms can live in one process.
//
// Backend contract (what a backend must supply):
// - NowMs: a monotonic millisecond clock that never wraps (headless: virtual time), and
//   CalendarTime for dated records (headless: a fixed date moved on by virtual time);
// - DoEvents: deliver pending native or scripted input and run the timers that are due, then
//   return; it never blocks for long (headless: advances virtual time to the next due item);
// - DoEventsUntil: the same for a wait that needs to look only when something was delivered or
//   at a given time; with nothing pending it may sleep until either (default: DoEvents);
// - Box: the message box; MeasureText and DrawText: text in the default font;
// - FrameOf: the non-client frame a form of a given border style gets;
// - Grab: a window with its children as an RGBA image;
// - Changed: told of every model change, so a desktop backend can mirror it.
// Everything else (window registry, handles, focus, z-order, timers, screen, files, window-system
// calls) is toolkit-free and lives here.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Geometry.h"
#include "platform/Image.h"
#include "platform/Screen.h"
#include "platform/TimerQueue.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"

namespace quindel::platform {

class MessageBox;
class MultimediaCommands;
class Clipboard;
class Printer;
class FileDialog;
class Form;
class PictureBox;
class Label;
class ListBox;
class VScrollBar;
class Slider;
class CommandButton;
class Timer;
class TextService;

// Frame of a form: the border on each side and the caption bar, in pixels.
struct FrameMetrics {
    int border = 0;
    int caption = 0;
};

class Platform {
  public:
    explicit Platform(ScreenMetrics screen);
    virtual ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    virtual std::int64_t NowMs() const = 0;
    // The calendar time (seconds since the epoch) that dated records such as the error log show.
    virtual std::int64_t CalendarTime() const;
    virtual void DoEvents() = 0;
    // As DoEvents, for a wait whose condition changes only through what is delivered (input,
    // timers, window changes) or at wakeAtMs on NowMs's clock: with nothing pending, the backend
    // may sleep until something arrives or that time comes, so such a wait costs nothing while
    // nothing happens. A time not in the future (kNoWake among them) asks for no wake-up.
    static constexpr std::int64_t kNoWake = 0;
    virtual void DoEventsUntil(std::int64_t /*wakeAtMs*/) { DoEvents(); }
    virtual MessageBox& Box() = 0;
    virtual SizePx MeasureText(std::string_view text) const = 0;
    // Draws one line of text in the default font with its top-left at (x, y).
    virtual void DrawText(Image& target, int x, int y, std::string_view text, Rgba ink) const = 0;
    // Fonts for formatted text: any face, size and style, measured and drawn in pixels.
    virtual const TextService& Text() const = 0;
    virtual FrameMetrics FrameOf(const Form& form) const = 0;
    virtual Image Grab(Window& window) = 0;
    virtual void Changed(Window& /*window*/, Aspect /*what*/) {}

    // Optional services: null where the backend offers none, so a caller says so rather than
    // silently doing nothing.
    // The window system's own window for w, for a decoder that draws into it itself (a film on
    // an X11 desktop); the platform then leaves painting w to that decoder and tells w when it
    // is uncovered (Window::Uncovered). Asked with wanted false, or where there is no such
    // window (headless, offscreen), w is painted as any window and 0 comes back.
    virtual std::uintptr_t NativeSurface(Window& /*w*/, bool /*wanted*/) { return 0; }
    virtual Clipboard* clipboard() { return nullptr; }
    // The forms shown together as one window of the window system, in the order Tab walks
    // them, `form` among them: the form alone, unless the backend shows forms inside others.
    virtual std::vector<Form*> FormsShownWith(Form& form) { return {&form}; }
    virtual Printer* printer() { return nullptr; }
    virtual FileDialog* fileDialog() { return nullptr; }

    // The multimedia command interpreter lives above the platform: the first control that needs
    // one hangs it here, and it goes before the windows and timers it uses.
    MultimediaCommands* mci() const { return mci_.get(); }
    void setMci(std::unique_ptr<MultimediaCommands> m);

    // Services that live above the platform (the rich-text engine's, a layer's own per-host
    // state), one slot per service type: the type is the key, so a caller names what it wants
    // and gets it typed, or null when none was given. Setting null empties the slot. They go
    // before the windows and timers they may use.
    template <class S>
    S* Service() const {
        return static_cast<S*>(ServiceSlot(std::type_index(typeid(S))));
    }
    template <class S>
    void setService(std::shared_ptr<S> service) {
        setServiceSlot(std::type_index(typeid(S)), std::move(service));
    }

    Screen& screen() { return screen_; }
    const Screen& screen() const { return screen_; }
    TimerQueue& timers() { return timers_; }
    const TimerQueue& timers() const { return timers_; }
    FileSystem& files() { return files_; }
    WindowSystem& api() { return api_; }
    std::uint32_t GetTickCount() const { return std::uint32_t(NowMs()); }

    std::shared_ptr<Form> NewForm();
    std::shared_ptr<PictureBox> NewPictureBox(Window& parent);
    std::shared_ptr<Label> NewLabel(Window& parent);
    std::shared_ptr<ListBox> NewListBox(Window& parent);
    std::shared_ptr<VScrollBar> NewVScrollBar(Window& parent);
    std::shared_ptr<Slider> NewSlider(Window& parent);
    std::shared_ptr<CommandButton> NewCommandButton(Window& parent);
    std::shared_ptr<Timer> NewTimer();
    // A child window of a kind made outside the platform (a host kit control); T's constructor
    // takes (Platform&, Window* parent, args...).
    template <class T, class... A>
    std::shared_ptr<T> NewChild(Window& parent, A&&... args) {
        auto w = std::make_shared<T>(*this, &parent, std::forward<A>(args)...);
        AdoptChild(w, parent);
        return w;
    }

    Window* FindWindow(Handle h) const;
    // How many windows have left the registry so far: a backend that mirrors windows need only
    // look for dead ones when this has changed.
    std::uint64_t Unregistrations() const { return unregistrations_; }
    // Forms from back to front.
    const std::vector<Form*>& Forms() const { return forms_; }
    // The topmost shown window at a screen point (a child before its form), or null.
    Window* WindowAt(PointPx screen) const;
    Form* ActiveForm() const { return active_; }
    Window* Focused() const { return focused_; }
    // The window that last had the keyboard among those `where` accepts, when it can still take
    // it; else null.
    Window* LastFocused(const std::function<bool(const Window&)>& where) const;
    // The window holding the mouse capture while a button is down, or null.
    Window* Capture() const { return capture_; }
    void setCapture(Window* w) { capture_ = w; }

  private:
    void* ServiceSlot(std::type_index type) const;
    void setServiceSlot(std::type_index type, std::shared_ptr<void> service);
    template <class T>
    std::shared_ptr<T> Adopt(std::shared_ptr<T> w, Window* parent);
    void AdoptChild(const std::shared_ptr<Window>& w, Window& parent);
    Handle Register(Window& w);
    void Unregister(Window& w);
    void BringToFront(Form& f);
    void Activate(Form* f);
    void SetFocusTo(Window* w);
    // When the focused window can no longer take the keyboard (its form hidden or unloaded), the
    // keyboard goes back to where it was before, in another form: closing a list window or a
    // dialog opened from a button leaves the user on that button.
    void FocusBack();
    Window* ChildAt(Window& w, PointPx screen) const;
    friend class Window;
    friend class Form;

    Screen screen_;
    TimerQueue timers_;
    std::unique_ptr<MultimediaCommands> mci_;
    std::map<std::type_index, std::shared_ptr<void>> services_;
    FileSystem files_;
    WindowSystem api_;
    Handle nextHandle_ = 0x1000;
    std::map<Handle, Window*> registry_;
    std::uint64_t unregistrations_ = 0;
    std::vector<Form*> forms_;
    Form* active_ = nullptr;
    Window* focused_ = nullptr;
    // The last focused window of each form, the most recent last.
    std::vector<std::weak_ptr<Window>> focusTrail_;
    Window* capture_ = nullptr;
};

}  // namespace quindel::platform
