#include "platform/qt/WindowPeer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>
#include <memory>

#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/ModelRenderer.h"
#include "platform/PictureBox.h"
#include "platform/qt/InputMap.h"
#include "platform/qt/PicturePainter.h"
#include "platform/qt/QtAccessible.h"
#include "platform/qt/QtBoundary.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtPlatform.h"
#include "runtime/ScopeGuard.h"
#include "runtime/VbError.h"

namespace quindel::qt {

using platform::Aspect;
using platform::Form;
using platform::Window;
using platform::WindowKind;
namespace border = platform::border;

namespace {

// Whether a window system stacks and sizes the windows: the offscreen and minimal platforms warn
// on every raise and size hint instead, and nobody moves their windows but the model.
bool WindowsManaged() {
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

bool Resizable(std::int16_t borderStyle) {
    return borderStyle == border::Sizable || borderStyle == border::SizableToolWindow;
}

// Only the model resizes a window with a fixed border; the user resizes a sizable one freely, down
// to the least size its host asked for.
void LimitSize(QWidget& w, bool resizable, QSize size, QSize least) {
    if (resizable) {
        w.setMinimumSize(least);
        w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        w.setFixedSize(size);
    }
}

}  // namespace

Qt::WindowFlags WindowPeer::FlagsFor(std::int16_t borderStyle, bool managed) {
    // Without a window system Qt raises tool windows on show and warns each time; nothing there
    // treats them differently anyway.
    const Qt::WindowFlags tool = managed ? Qt::Tool : Qt::Window;
    switch (borderStyle) {
        case border::None:
        // A tool window draws its own frame, caption and close box from the model: the window
        // manager's would be a full frame that covers what it sits under.
        case border::FixedToolWindow:
        case border::SizableToolWindow:
            return tool | Qt::FramelessWindowHint;
        case border::FixedDialog:
            return managed ? Qt::Dialog : Qt::Window;
        default:
            return Qt::Window;
    }
}

WindowPeer::WindowPeer(QtPlatform& p, Window& w, QWidget* parent)
    : QWidget(parent), platform_(p), handle_(w.hWnd()), kind_(w.Kind()) {
    if (kind_ == WindowKind::Form) {
        flagsShown_ = FlagsFor(static_cast<Form&>(w).BorderStyle(), WindowsManaged());
        setWindowFlags(flagsShown_);
    }
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

WindowPeer::~WindowPeer() {
    platform_.Forget(this);
}

Window* WindowPeer::Model() const {
    return platform_.FindWindow(handle_);
}

void WindowPeer::ApplyAll() {
    // Visibility last: a widget shows up complete.
    for (Aspect a :
         {Aspect::Geometry, Aspect::Enabled, Aspect::Content, Aspect::Pointer, Aspect::Visibility})
        Apply(a);
}

void WindowPeer::Apply(Aspect a) {
    Window* w = Model();
    if (!w) return;
    // What is set here comes back as move and resize events; those are not the user's.
    TemporaryChange applying(applying_, true);
    switch (a) {
        case Aspect::Geometry:
            ApplyGeometry(*w);
            update();
            break;
        case Aspect::Visibility:
            ApplyVisibility(*w);
            break;
        case Aspect::Enabled:
            setEnabled(w->Enabled());
            break;
        case Aspect::Content:
            ApplyContent(*w);
            break;
        case Aspect::Order:
            ApplyOrder();
            break;
        case Aspect::Pointer:
            ApplyPointer(*w);
            break;
        case Aspect::Focus:
            update();  // a control shows where the keyboard is
            break;
        case Aspect::Accessible:
        case Aspect::Destroyed:
            break;
    }
    if (a != Aspect::Geometry && a != Aspect::Order && a != Aspect::Pointer) Announce(*this, a);
}

bool WindowPeer::ApplyFlags(const Form& f) {
    const Qt::WindowFlags wanted = FlagsFor(f.BorderStyle(), WindowsManaged());
    if (wanted == flagsShown_) return false;
    // New flags make a new native window, hidden and without its owner.
    flagsShown_ = wanted;
    setWindowFlags(wanted);
    ownerShown_ = -1;
    return true;
}

void WindowPeer::ApplyGeometry(Window& w) {
    if (kind_ == WindowKind::Form) {
        if (dockHost_)
            ApplyDockedGeometry(static_cast<Form&>(w));
        else
            ApplyFormGeometry(static_cast<Form&>(w));
        return;
    }
    const Window* parent = w.Parent();
    if (!parent) return;
    const platform::RectPx r = w.ScreenRectPx(), p = parent->ScreenRectPx();
    const platform::PointPx o = platform_.WidgetOrigin(*parent);
    setGeometry(QRect(QPoint(r.left - p.left - o.x, r.top - p.top - o.y), Bounded(r.size(), 0)));
}

// A model larger than the screen (its size read from content) shows its top-left part: no
// widget, and so no paint buffer, grows past the screen's canvas bound.
QSize WindowPeer::Bounded(platform::SizePx s, int least) const {
    const platform::SizePx b = platform_.screen().Bounded(s);
    return QSize(std::max(b.width, least), std::max(b.height, least));
}

// The part of a form its widget shows: the client area, the window system drawing the frame
// around it; the whole window when the model draws the frame. A window has at least one pixel;
// FollowUser knows the difference is not the user's.
QRect WindowPeer::ShownRect(const Form& f) const {
    const platform::RectPx r = f.ScreenRectPx();
    if (platform_.DrawsFrame(f)) return QRect(QPoint(r.left, r.top), Bounded(r.size()));
    const platform::PointPx o = f.ClientOriginPx();
    return QRect(QPoint(r.left + o.x, r.top + o.y), Bounded(f.ClientSizePx()));
}

void WindowPeer::ApplyFormGeometry(Form& f) {
    const bool remade = ApplyFlags(f);
    const QRect shown = ShownRect(f);
    if (WindowsManaged())
        LimitSize(*this, Resizable(f.BorderStyle()), shown.size(), platform_.MinimumSizeOf(f));
    if (geometry() != shown) setGeometry(shown);
    if (remade) ApplyVisibility(f);
    // Docked forms ride along on the widget; their models must too.
    const QPoint before = shownAt_.value_or(shown.topLeft());
    shownAt_ = shown.topLeft();
    if (before != shown.topLeft())
        platform_.MoveDocked(handle_, shown.x() - before.x(), shown.y() - before.y());
}

void WindowPeer::ApplyDockedGeometry(Form& f) {
    const Window* host = platform_.FindWindow(dockHost_);
    if (!host) return;
    const platform::RectPx r = f.ScreenRectPx(), h = host->ScreenRectPx();
    const platform::PointPx o = f.ClientOriginPx(), ho = host->ClientOriginPx();
    setGeometry(QRect(QPoint(r.left + o.x - h.left - ho.x, r.top + o.y - h.top - ho.y),
                      Bounded(f.ClientSizePx(), 0)));
}

void WindowPeer::DockInto(WindowPeer& host) {
    dockHost_ = host.handle_;
    flagsShown_ = {};
    ownerShown_ = 0;
    shownAt_.reset();
    setParent(&host);  // a child widget from now on
    LimitSize(*this, true, {}, {0, 0});
    ApplyAll();
}

void WindowPeer::ApplyVisibility(Window& w) {
    if (!IsTopLevel()) {
        if (isHidden() == w.Visible()) setVisible(w.Visible());
        return;
    }
    if (!w.Visible()) {
        showPending_ = false;
        if (isVisible()) hide();
        return;
    }
    if (isVisible()) return;
    // A tool window with no owner yet is mapped at the next sync, once the code that showed it
    // has named its owner (the panel shows its list and volume windows, then makes its form their
    // owner): the window system reads the owner only when a window is mapped, and unmapping a
    // window to map it again races the window manager, which may leave it unmapped. A window
    // shown from input is synced as the input returns.
    showPending_ = true;
    if (static_cast<Form&>(w).Owner() != 0 || !platform_.DrawsFrame(static_cast<Form&>(w)))
        ShowIfPending();
}

void WindowPeer::ShowIfPending() {
    if (!showPending_) return;
    showPending_ = false;
    const Window* w = Model();
    if (!w || !w->Visible() || isVisible()) return;
    // Shown without activation; the next sync activates it if the model made it the active form.
    ApplyOwner();
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    platform_.ActivateAtNextSync();
}

void WindowPeer::ApplyOwner() {
    Window* w = Model();
    if (!IsTopLevel() || !w) return;
    const platform::Handle owner = static_cast<Form*>(w)->Owner();
    if (owner == ownerShown_) return;
    ownerShown_ = owner;
    Window* ownerModel = platform_.FindWindow(owner);
    Form* ownerForm = ownerModel ? ownerModel->TopForm() : nullptr;
    QWidget* ownerPeer = ownerForm ? platform_.Widget(*ownerForm) : nullptr;
    // A docked owner lends the window it is docked in.
    QWidget* ownerTop = ownerPeer ? ownerPeer->window() : nullptr;
    QWindow* transientParent = nullptr;
    if (ownerTop && ownerTop != this) {
        ownerTop->winId();  // makes the owner's native window
        transientParent = ownerTop->windowHandle();
    }
    winId();
    windowHandle()->setTransientParent(transientParent);
    // The window system reads the owner when the window is mapped.
    if (isVisible()) {
        hide();
        show();
        platform_.ActivateAtNextSync();
    }
}

void WindowPeer::ApplyContent(Window& w) {
    if (kind_ == WindowKind::Form)
        setWindowTitle(QString::fromStdString(static_cast<Form&>(w).Caption()));
    // A window that paints itself whole (a playing film) changes every frame: painted at once,
    // a frame costs no posted update and no further turn of the event loop.
    if (w.PaintsWhole())
        repaint();
    else
        update();
}

void WindowPeer::ApplyOrder() {
    if (!IsTopLevel() || WindowsManaged()) raise();
}

void WindowPeer::ApplyPointer(const Window& w) {
    if (w.MousePointer() == platform::pointer::Default)
        unsetCursor();
    else
        setCursor(CursorFor(w.MousePointer(), w.MouseIcon()));
}

std::uintptr_t WindowPeer::DrawnNatively(bool on) {
    if (on != native_) {
        native_ = on;
        if (on) {
            // Only this window: its siblings and ancestors stay painted by Qt.
            QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
            setAttribute(Qt::WA_DontCreateNativeAncestors);
            setAttribute(Qt::WA_NativeWindow);
        }
        // Qt then neither paints it nor flushes its backing store over it.
        setAttribute(Qt::WA_PaintOnScreen, on);
        update();
    }
    return on ? std::uintptr_t(winId()) : 0;
}

QPaintEngine* WindowPeer::paintEngine() const {
    return native_ ? nullptr : QWidget::paintEngine();
}

void WindowPeer::paintEvent(QPaintEvent*) {
    Window* w = Model();
    if (!w) return;
    if (native_) {
        AtQtBoundary("a redraw", [w] { w->Uncovered(); });
        return;
    }
    QPainter painter(this);
    // Nearest neighbour: at a device pixel ratio above 1 what is painted in logical pixels stays
    // sharp-edged (picture boxes are painted at the device's resolution).
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    switch (kind_) {
        case WindowKind::Form:
            if (platform_.DrawsFrame(static_cast<Form&>(*w)))
                PaintFromModel(painter, *w);
            else
                painter.fillRect(rect(), QColor::fromRgb(static_cast<Form&>(*w).BackColor()));
            break;
        case WindowKind::PictureBox:
            PaintPictureBox(painter, rect(), static_cast<platform::PictureBox&>(*w));
            break;
        default: {
            if (w->LendPixels({width(), height()}, [&](const platform::PixelsView& pixels) {
                    painter.drawImage(QPoint(0, 0), Wrap(pixels));
                }))
                break;
            PaintFromModel(painter, *w);
            break;
        }
    }
}

void WindowPeer::PaintFromModel(QPainter& painter, Window& w) {
    // Kept between paints: a playing film repaints its control every frame, and a fresh buffer
    // of that size would be mapped, zeroed and unmapped each time.
    if (canvas_.width() != width() || canvas_.height() != height())
        canvas_ = platform::Image(width(), height(), platform::look::kFace);
    else if (!w.PaintsWhole())
        canvas_.fill(platform::look::kFace);
    std::vector<QtPlatform::TextRun> runs;
    if (devicePixelRatioF() != 1.0) platform_.KeepTextOf(&canvas_, &runs);
    {
        const ScopeExit stopKeeping([this] { platform_.KeepTextOf(nullptr, nullptr); });
        platform::ModelRenderer().PaintOwn(w, canvas_);
    }
    painter.drawImage(QPoint(0, 0), Wrap(canvas_));
    platform_.DrawRuns(painter, runs);
}

template <class F>
void WindowPeer::Deliver(F&& f) {
    if (Window* w = Model()) {
        // The handler may drop the last reference to its window.
        const std::shared_ptr<Window> hold = w->shared_from_this();
        AtQtBoundary("an event handler", [&] { f(*w); });
    }
    platform_.Sync();
}

void WindowPeer::Mouse(const QMouseEvent& e, std::int16_t buttons,
                       bool (Window::*input)(const platform::MouseArgs&)) {
    Deliver([&](Window& w) {
        // Pixels over the widget, less the part of it before the client area.
        const platform::PointPx c = w.ClientOriginPx(), wo = platform_.WidgetOrigin(w);
        const platform::PointPx o{c.x - wo.x, c.y - wo.y};
        const auto& s = platform_.screen();
        platform::MouseArgs a;
        a.Button = buttons;
        a.Shift = ShiftMaskOf(e.modifiers());
        a.X = float((int(std::floor(e.position().x())) - o.x) * s.TwipsPerPixelX());
        a.Y = float((int(std::floor(e.position().y())) - o.y) * s.TwipsPerPixelY());
        (w.*input)(a);
    });
}

void WindowPeer::mousePressEvent(QMouseEvent* e) {
    if (FramePress(*e)) return;
    Mouse(*e, ButtonMaskOf(e->button()), &Window::InputMouseDown);
}

void WindowPeer::mouseMoveEvent(QMouseEvent* e) {
    Mouse(*e, ButtonMaskOf(e->buttons()), &Window::InputMouseMove);
}

void WindowPeer::mouseReleaseEvent(QMouseEvent* e) {
    if (FrameRelease(*e)) return;
    Mouse(*e, ButtonMaskOf(e->button()), &Window::InputMouseUp);
}

// Where a press lands on the frame the model draws, if it does: the close box, the caption (by
// which the user moves the window) or the border.
WindowPeer::FramePart WindowPeer::FrameAt(const QMouseEvent& e) const {
    const Window* w = Model();
    if (kind_ != WindowKind::Form || !w || !platform_.DrawsFrame(static_cast<const Form&>(*w)))
        return FramePart::None;
    const Form& f = static_cast<const Form&>(*w);
    const platform::PointPx at{int(std::floor(e.position().x())),
                               int(std::floor(e.position().y()))};
    if (f.CloseBoxPx().contains(at)) return FramePart::CloseBox;
    const platform::PointPx o = f.ClientOriginPx();
    const platform::SizePx c = f.ClientSizePx();
    if (at.x >= o.x && at.y >= o.y && at.x < o.x + c.width && at.y < o.y + c.height)
        return FramePart::None;
    return at.y < o.y && at.y >= platform_.FrameOf(f).border ? FramePart::Caption
                                                             : FramePart::Border;
}

bool WindowPeer::FramePress(const QMouseEvent& e) {
    const FramePart part = e.button() == Qt::LeftButton ? FrameAt(e) : FramePart::None;
    closePressed_ = part == FramePart::CloseBox;
    if (part == FramePart::Caption && windowHandle()) windowHandle()->startSystemMove();
    return part != FramePart::None;
}

// A close box closes on release over it, as a button does: the way the panel's own close runs.
bool WindowPeer::FrameRelease(const QMouseEvent& e) {
    if (!closePressed_ || e.button() != Qt::LeftButton) return false;
    closePressed_ = false;
    if (FrameAt(e) == FramePart::CloseBox)
        Deliver([](Window& w) { static_cast<Form&>(w).InputClose(); });
    return true;
}

// Keys go where the model has the focus, when that is in this widget's window (a docked form's
// controls included); Qt's own focus stays unused. A key reaching another window means the
// window manager activated it (a click on its frame, Alt+Tab): the keyboard goes back to the
// control that last had it there, as a click in the window would have taken it.
Window* WindowPeer::KeyTarget(Window& w) const {
    const auto here = [this](const Window& c) {
        const QWidget* peer = platform_.Peer(c.hWnd());
        return peer && peer->window() == window();
    };
    if (Window* focused = platform_.Focused(); focused && here(*focused)) return focused;
    if (Window* last = platform_.LastFocused(here)) {
        last->SetFocus();
        return last;
    }
    return &w;
}

void WindowPeer::keyPressEvent(QKeyEvent* e) {
    const std::int16_t code = KeyCodeOf(e->key()), ascii = KeyAsciiOf(*e);
    if (code == 0 && ascii == 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    Deliver([&](Window& w) {
        const std::shared_ptr<Window> target = KeyTarget(w)->shared_from_this();
        if (code != 0) target->InputKeyDown(code, ShiftMaskOf(e->modifiers()));
        // Tab has moved the focus on; its character is nobody's.
        if (ascii != 0 && code != platform::key::Tab && target->Alive())
            target->InputKeyPress(ascii);
    });
}

void WindowPeer::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    if (delta == 0) {
        QWidget::wheelEvent(e);
        return;
    }
    Deliver([&](Window& w) { w.InputMouseWheel(delta, ShiftMaskOf(e->modifiers())); });
}

void WindowPeer::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (IsTopLevel() && !applying_)
        Deliver([this](Window& w) { FollowUser(static_cast<Form&>(w)); });
}

void WindowPeer::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (IsTopLevel() && !applying_)
        Deliver([this](Window& w) { FollowUser(static_cast<Form&>(w)); });
}

void WindowPeer::closeEvent(QCloseEvent* e) {
    // The model decides: the form may close its own way, or refuse.
    e->ignore();
    if (IsTopLevel()) Deliver([](Window& w) { static_cast<Form&>(w).InputClose(); });
}

// Moves the model by the pixels the window moved, so a position that maps to the same pixel keeps
// its twips; a model that echoes what it set finds nothing to do.
void WindowPeer::FollowUser(Form& f) {
    const QRect g = geometry(), shown = ShownRect(f);
    const int dx = g.x() - shown.x(), dy = g.y() - shown.y();
    const int dw = g.width() - shown.width(), dh = g.height() - shown.height();
    if (dx == 0 && dy == 0 && dw == 0 && dh == 0) return;
    const auto& s = platform_.screen();
    f.Move(f.Left() + dx * s.TwipsPerPixelX(), f.Top() + dy * s.TwipsPerPixelY(),
           f.Width() + dw * s.TwipsPerPixelX(), f.Height() + dh * s.TwipsPerPixelY());
}

}  // namespace quindel::qt
