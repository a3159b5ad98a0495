#pragma once
// The desktop backend on Qt 6 Widgets. Needs a QApplication, made by the host first; the
// component sees only the Platform interface.
// - Every model window gets one widget (WindowPeer), made on its first change: a form a top-level
//   widget whose client area sits where the model puts it (the window manager draws the frame
//   around it; a tool window is frameless and draws the model's own frame, caption and close
//   box, so its frame is exactly the one the model reckons with), a control a child widget of its
//   parent's. Widgets paint from the model and turn native input into the input funnel; user
//   moves and resizes of a form move the model.
// - Text is the application font, fixed in pixels so it measures alike on screen and in images.
// - Time is the monotonic clock; the shared timer queue is driven by one QTimer re-armed for its
//   next deadline, so timers also run while the host sits in the Qt event loop.
// - DoEvents handles pending Qt events and due timers; with nothing pending it waits in the event
//   dispatcher for at most a few milliseconds, so a loop around it does not spin the CPU.
//   DoEventsUntil waits there until an event, a timer or the time asked (at most a quarter of a
//   second), so a wait that looks only when something happened costs what idling costs.
// - State the model keeps without telling the backend (the screen's mouse pointer, the active
//   form, owners, the frozen window) is brought to the widgets at each sync: after input, in
//   DoEvents, and on the next event-loop pass after any model change.
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/Platform.h"
#include "platform/qt/CursorCache.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtTextService.h"

class QWidget;

namespace quindel::qt {

class WindowPeer;
class QtPrinter;
class QtFileDialog;

class QtPlatform : public platform::Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;

    std::int64_t NowMs() const override;
    void DoEvents() override;
    void DoEventsUntil(std::int64_t wakeAtMs) override;
    platform::MessageBox& Box() override { return box_; }
    platform::SizePx MeasureText(std::string_view text) const override;
    void DrawText(platform::Image& target, int x, int y, std::string_view text,
                  platform::Rgba ink) const override;
    const platform::TextService& Text() const override { return text_; }
    platform::Clipboard* clipboard() override { return &clipboard_; }
    // The host form first, then the forms docked in it from the top of the window down (left to
    // right where they stand level).
    std::vector<platform::Form*> FormsShownWith(platform::Form& form) override;
    platform::Printer* printer() override;
    platform::FileDialog* fileDialog() override;
    platform::FrameMetrics FrameOf(const platform::Form& form) const override;
    // A form as the classic desktop shows it: its frame and caption drawn from the model around
    // what its widget really paints; any other window: its widget's painting, children included.
    platform::Image Grab(platform::Window& window) override;
    void Changed(platform::Window& window, platform::Aspect what) override;

    // The widget showing a window, made on demand; null for a window that has none (destroyed,
    // or a control whose parent is gone).
    QWidget* Widget(platform::Window& window);
    std::uintptr_t NativeSurface(platform::Window& w, bool wanted) override;
    // Shows a form inside another form's client area instead of as a window of its own, as a
    // host docks a panel that sizes and places its own form. The model keeps it a top-level form
    // with screen coordinates; when the host form moves, the docked form's model moves with it.
    void Dock(platform::Form& form, platform::Form& host);
    // Where the cursor is read from (a read trusted until a pointer event or a quarter second).
    const CursorCache& Cursor() const { return cursor_; }
    // Whether a form's frame is drawn from the model (a tool window shown on its own) rather than
    // by the window system around the form's client area.
    bool DrawsFrame(const platform::Form& form) const;
    // Where the widget of a window begins, in pixels from the window's top-left corner: a form's
    // client area when the window system frames it, else the corner itself.
    platform::PointPx WidgetOrigin(const platform::Window& w) const;
    // The least size the user may give a sizable form, in pixels of its client area.
    void SetMinimumClientSize(platform::Form& form, platform::SizePx least);
    // Brings what the model keeps without telling (pointer, active form, owners, frozen window)
    // to the widgets, and drops widgets whose window is gone.
    void Sync();

  private:
    friend class WindowPeer;
    // Text a model paints on a widget's canvas at a device pixel ratio other than 1: the peer
    // draws it after the canvas, at the device's resolution, so it is as sharp as Qt's own text
    // rather than scaled from logical pixels.
    struct TextRun {
        int x, y;  // the top-left of the line, in the canvas's logical pixels
        QString text;
        platform::Rgba ink;
    };
    // While set, DrawText on `canvas` keeps its runs in `runs` instead of drawing them.
    void KeepTextOf(const platform::Image* canvas, std::vector<TextRun>* runs) const {
        keptCanvas_ = canvas;
        keptRuns_ = runs;
    }
    void DrawRuns(QPainter& painter, const std::vector<TextRun>& runs) const;
    WindowPeer* Peer(platform::Handle h) const;
    WindowPeer* EnsurePeer(platform::Window& w);
    void Retire(platform::Handle h);
    void Forget(const WindowPeer* peer);
    void SweepDeadPeers();
    platform::Handle DockHostOf(platform::Handle form) const;
    // Moves the models of the forms docked on host by the pixels host's client area moved.
    void MoveDocked(platform::Handle host, int dx, int dy);
    // The least size of a form's widget (the host's least client size, with the frame the model
    // draws, if it does).
    QSize MinimumSizeOf(const platform::Form& form) const;
    // The model's active form gets activated at the next sync, even if it was before.
    void ActivateAtNextSync() { activeShown_ = 0; }
    void ArmQueueTimer();
    void RunQueue();
    void WaitBriefly(int ms);
    void SyncPointer();
    void SyncOwners();
    void SyncActiveForm();
    void SyncLock();
    QWidget* ActiveWidget() const;

    QtMessageBox box_;
    QtClipboard clipboard_;
    QtTextService text_;
    std::unique_ptr<QtPrinter> printer_;  // made on first use: it may ask the print system
    std::unique_ptr<QtFileDialog> fileDialog_;
    QFont font_;
    QFontMetrics metrics_;
    mutable const platform::Image* keptCanvas_ = nullptr;
    mutable std::vector<TextRun>* keptRuns_ = nullptr;
    CursorCache cursor_;
    QTimer queueTimer_;
    QTimer idleTimer_;
    QTimer syncTimer_;
    std::unordered_map<platform::Handle, WindowPeer*> peers_;
    std::unordered_map<platform::Handle, platform::Handle> docks_;  // docked form -> host form
    std::unordered_map<platform::Handle, platform::SizePx> leastClient_;
    std::int16_t pointerShown_ = 0;
    bool overrideCursor_ = false;
    platform::Handle activeShown_ = 0;
    platform::Handle lockShown_ = 0;
    bool syncing_ = false;
    std::uint64_t swept_ = 0;  // Unregistrations() at the last sweep
};

}  // namespace quindel::qt
