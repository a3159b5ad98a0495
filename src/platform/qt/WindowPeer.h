#pragma once
// The widget of one model window. It paints from the model (a picture box its persistent drawing
// at the device's resolution, see PicturePainter; the other controls, and a tool window's frame,
// through ModelRenderer, scaled by nearest neighbour when the device pixel ratio is above 1), turns
// native mouse and key input into the input funnel, and, for a form, hands the moves and resizes
// the user makes back to the model. A tool window's frame is the model's own: a press on its close
// box closes the form through Form::InputClose on release, a press on its caption lets the window
// system move it. It keeps its window's handle, never a pointer, so a window that is gone is simply
// not found.
#include <QWidget>
#include <cstdint>
#include <optional>

#include "platform/Image.h"
#include "platform/Window.h"

namespace quindel::platform {
class Form;
}  // namespace quindel::platform

namespace quindel::qt {

class QtPlatform;

class WindowPeer : public QWidget {
  public:
    WindowPeer(QtPlatform& p, platform::Window& w, QWidget* parent);
    ~WindowPeer() override;

    platform::Handle handle() const { return handle_; }
    platform::WindowKind kind() const { return kind_; }
    // The window shown, or null once it is gone.
    platform::Window* Model() const;

    // Mirrors one changed aspect of the model; ApplyAll mirrors everything (a new widget).
    void Apply(platform::Aspect a);
    void ApplyAll();
    // A form: makes the native window transient for the owner the model names, if it changed.
    void ApplyOwner();
    // A top-level form the model showed since the last sync is mapped now, with its owner.
    void ShowIfPending();
    // A form becomes a child widget of host's (see QtPlatform::Dock) and mirrors everything anew.
    void DockInto(WindowPeer& host);
    // The window flags of a form's border style, on a platform whose windows a window system
    // manages (managed) or not (offscreen).
    static Qt::WindowFlags FlagsFor(std::int16_t borderStyle, bool managed);
    // A form shown as a window of its own (not docked).
    bool IsTopLevel() const { return kind_ == platform::WindowKind::Form && !dockHost_; }
    // Leaves painting to whoever draws into the native window, returning its id; with false,
    // paints the model again and returns 0.
    std::uintptr_t DrawnNatively(bool on);
    QPaintEngine* paintEngine() const override;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    enum class FramePart { None, CloseBox, Caption, Border };

    // Whether the flags changed (the native window was made anew).
    bool ApplyFlags(const platform::Form& f);
    void ApplyGeometry(platform::Window& w);
    QRect ShownRect(const platform::Form& f) const;
    // A size within the screen's canvas bound, at least `least` pixels each way (a top-level
    // window has at least one).
    QSize Bounded(platform::SizePx s, int least = 1) const;
    void ApplyFormGeometry(platform::Form& f);
    void ApplyDockedGeometry(platform::Form& f);
    void ApplyVisibility(platform::Window& w);
    void ApplyContent(platform::Window& w);
    void ApplyOrder();
    void ApplyPointer(const platform::Window& w);
    void PaintFromModel(QPainter& painter, platform::Window& w);
    FramePart FrameAt(const QMouseEvent& e) const;
    // A press or release on the model's frame, handled here; false when it is the model's input.
    bool FramePress(const QMouseEvent& e);
    bool FrameRelease(const QMouseEvent& e);
    void FollowUser(platform::Form& f);
    void Mouse(const QMouseEvent& e, std::int16_t buttons,
               bool (platform::Window::*input)(const platform::MouseArgs&));
    platform::Window* KeyTarget(platform::Window& w) const;
    // Runs input or a user change on the model, then syncs; a run-time error the component left
    // unhandled stops at this boundary rather than unwinding through Qt.
    template <class F>
    void Deliver(F&& f);

    QtPlatform& platform_;
    platform::Handle handle_;
    platform::WindowKind kind_;
    Qt::WindowFlags flagsShown_;
    platform::Handle ownerShown_ = 0;
    platform::Handle dockHost_ = 0;
    std::optional<QPoint> shownAt_;  // where the widget of a form was put last
    bool applying_ = false;
    bool native_ = false;        // painted by whoever draws into the native window
    bool closePressed_ = false;  // the left button went down on the close box
    bool showPending_ = false;   // shown by the model, mapped at the next sync
    platform::Image canvas_;     // what the model painted last
};

}  // namespace quindel::qt
