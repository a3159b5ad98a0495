#include "platform/qt/QtPlatform.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/Form.h"
#include "platform/ModelRenderer.h"
#include "platform/qt/QtAccessible.h"
#include "platform/qt/QtBoundary.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/WindowPeer.h"
#include "runtime/ScopeGuard.h"

namespace quindel::qt {

using namespace quindel::platform;

namespace {

// How long DoEvents sleeps in the dispatcher when nothing is pending: short enough that a wait
// loop polling something no event announces (a film's position) stays responsive.
constexpr int kIdleWaitMs = 10;
// The longest DoEventsUntil sleeps: a wait may still read something that changes without an
// event reaching this process (the offscreen platform moves its cursor silently), and four looks
// a second cost nothing measurable.
constexpr int kLongestSleepMs = 250;
// How long a cursor position read from the window system is trusted when no pointer event came.
constexpr int kCursorMaxAgeMs = 500;
// The frame the model reckons a form has. The window manager draws the real one around the
// client area, which sits exactly where the model puts it; these values only turn the outer
// size a form is given into its client size, as on the headless backend. Tool windows draw
// this very frame themselves.
constexpr int kFormBorderPx = 4;
constexpr int kCaptionPx = 20;
constexpr int kToolCaptionPx = 16;

int TwipsPerPixel(qreal dpi) {
    return std::max(1, int(std::lround(1440.0 / (dpi > 0 ? dpi : 96.0))));
}

ScreenMetrics PrimaryScreen() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw std::logic_error("the Qt platform needs a QApplication made first");
    ScreenMetrics m;
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        m.widthPx = s->geometry().width();
        m.heightPx = s->geometry().height();
        m.twipsPerPixelX = TwipsPerPixel(s->logicalDotsPerInchX());
        m.twipsPerPixelY = TwipsPerPixel(s->logicalDotsPerInchY());
        m.pixelRatio = s->devicePixelRatio();
    }
    return m;
}

// The application font fixed in pixels, so it measures the same on screen and on the images
// text is drawn into.
QFont PixelFont() {
    QFont f = QApplication::font();
    f.setPixelSize(QFontInfo(f).pixelSize());
    return f;
}

// Lays glyph coverage (the alpha of an image drawn in ink) over target at (x, y).
void BlendCoverage(Image& target, int x, int y, const QImage& glyphs, Rgba ink) {
    for (int yy = 0; yy < glyphs.height(); ++yy) {
        const auto* row = reinterpret_cast<const QRgb*>(glyphs.constScanLine(yy));
        for (int xx = 0; xx < glyphs.width(); ++xx) {
            const int a = qAlpha(row[xx]);
            if (a == 0 || !target.contains(x + xx, y + yy)) continue;
            const Rgba d = target.pixel(x + xx, y + yy);
            auto mix = [a](int i, int b) { return (i * a + b * (255 - a) + 127) / 255; };
            target.setPixel(x + xx, y + yy,
                            MakeRgb(mix(RedOf(ink), RedOf(d)), mix(GreenOf(ink), GreenOf(d)),
                                    mix(BlueOf(ink), BlueOf(d))));
        }
    }
}

Image RenderWidget(QWidget& widget) {
    if (widget.width() <= 0 || widget.height() <= 0) return {};
    QImage shot(widget.size(), QImage::Format_RGB32);
    shot.fill(Qt::black);
    widget.render(&shot);
    return FromQImage(shot);
}

}  // namespace

QtPlatform::QtPlatform()
    : Platform(PrimaryScreen()),
      box_([this] { return ActiveWidget(); }),
      font_(PixelFont()),
      metrics_(font_),
      cursor_(kCursorMaxAgeMs) {
    screen().setCursorSource([this] {
        const QPoint p = cursor_.Pos();
        return PointPx{p.x(), p.y()};
    });
    queueTimer_.setSingleShot(true);
    queueTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&queueTimer_, &QTimer::timeout, &queueTimer_, [this] { RunQueue(); });
    idleTimer_.setSingleShot(true);
    syncTimer_.setSingleShot(true);
    syncTimer_.setInterval(0);
    QObject::connect(&syncTimer_, &QTimer::timeout, &syncTimer_,
                     [this] { AtQtBoundary("a window update", [this] { Sync(); }); });
    timers().OnChange = [this] { ArmQueueTimer(); };
    InstallAccessibility();
}

QtPlatform::~QtPlatform() {
    timers().OnChange = nullptr;
    screen().setCursorSource(nullptr);
    if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
    std::vector<QPointer<WindowPeer>> all;
    for (const auto& [h, peer] : peers_) all.emplace_back(peer);
    peers_.clear();
    // Forms first: they take their controls' widgets along.
    for (auto& p : all)
        if (p && p->isWindow()) delete p.data();
    for (auto& p : all) delete p.data();
    // Widgets retired while events were running are waiting for a deferred delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

platform::Printer* QtPlatform::printer() {
    if (!printer_) printer_ = std::make_unique<QtPrinter>(text_);
    return printer_.get();
}

platform::FileDialog* QtPlatform::fileDialog() {
    if (!fileDialog_)
        fileDialog_ = std::make_unique<QtFileDialog>([this] { return ActiveWidget(); });
    return fileDialog_.get();
}

std::int64_t QtPlatform::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void QtPlatform::DoEvents() {
    bool busy = QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents);
    busy = timers().RunDue(NowMs()) > 0 || busy;
    if (!busy) WaitBriefly(kIdleWaitMs);
    Sync();
}

// One pass through the dispatcher: it handles what is pending and sleeps only when nothing is,
// as the host's own event loop does between events.
void QtPlatform::DoEventsUntil(std::int64_t wakeAtMs) {
    const std::int64_t left = wakeAtMs - NowMs();
    WaitBriefly(left > 0 ? int(std::min<std::int64_t>(left, kLongestSleepMs)) : kLongestSleepMs);
    Sync();
}

void QtPlatform::WaitBriefly(int ms) {
    // Input and the queue's own timer wake the dispatcher earlier.
    idleTimer_.start(ms);
    QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents |
                                                        QEventLoop::WaitForMoreEvents);
    idleTimer_.stop();
    timers().RunDue(NowMs());
}

void QtPlatform::ArmQueueTimer() {
    const auto next = timers().NextDeadline();
    if (!next) {
        queueTimer_.stop();
        return;
    }
    const std::int64_t wait =
        std::clamp<std::int64_t>(*next - NowMs(), 0, std::numeric_limits<int>::max());
    queueTimer_.start(int(wait));
}

void QtPlatform::RunQueue() {
    AtQtBoundary("a timer", [this] { timers().RunDue(NowMs()); });
    ArmQueueTimer();
    Sync();
}

SizePx QtPlatform::MeasureText(std::string_view text) const {
    int width = 0, lines = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        width = std::max(width, metrics_.horizontalAdvance(
                                    QString::fromUtf8(line.data(), qsizetype(line.size()))));
        ++lines;
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return {width, lines * metrics_.height()};
}

void QtPlatform::DrawText(Image& target, int x, int y, std::string_view text, Rgba ink) const {
    const QString line = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (&target == keptCanvas_) {
        keptRuns_->push_back({x, y, line, ink});
        return;
    }
    const int w = metrics_.horizontalAdvance(line), h = metrics_.height();
    if (w <= 0 || h <= 0) return;
    QImage glyphs(w, h, QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    {
        QPainter p(&glyphs);
        p.setFont(font_);
        p.setPen(QColor::fromRgb(ink));
        p.drawText(0, metrics_.ascent(), line);
    }
    BlendCoverage(target, x, y, glyphs, ink);
}

void QtPlatform::DrawRuns(QPainter& painter, const std::vector<TextRun>& runs) const {
    painter.setFont(font_);
    for (const TextRun& r : runs) {
        painter.setPen(QColor::fromRgb(r.ink));
        painter.drawText(r.x, r.y + metrics_.ascent(), r.text);
    }
}

FrameMetrics QtPlatform::FrameOf(const Form& form) const {
    switch (form.BorderStyle()) {
        case border::None:
            return {0, 0};
        case border::FixedToolWindow:
        case border::SizableToolWindow:
            return {kFormBorderPx, kToolCaptionPx};
        default:
            return {kFormBorderPx, kCaptionPx};
    }
}

Image QtPlatform::Grab(Window& window) {
    WindowPeer* peer = EnsurePeer(window);
    if (window.Kind() != WindowKind::Form)
        return peer ? RenderWidget(*peer) : ModelRenderer().Render(window);
    const SizePx size = screen().Bounded(window.ScreenRectPx().size());
    Image img(size.width, size.height, look::kFace);
    ModelRenderer().PaintOwn(window, img);
    if (peer) {
        const PointPx o = WidgetOrigin(window);
        img.blit(RenderWidget(*peer), o.x, o.y);
    }
    return img;
}

bool QtPlatform::DrawsFrame(const Form& form) const {
    const std::int16_t b = form.BorderStyle();
    return (b == border::FixedToolWindow || b == border::SizableToolWindow) &&
           DockHostOf(form.hWnd()) == 0;
}

PointPx QtPlatform::WidgetOrigin(const Window& w) const {
    if (w.Kind() != WindowKind::Form || DrawsFrame(static_cast<const Form&>(w))) return {};
    return w.ClientOriginPx();
}

void QtPlatform::SetMinimumClientSize(Form& form, SizePx least) {
    leastClient_[form.hWnd()] = least;
    if (WindowPeer* peer = Peer(form.hWnd())) peer->Apply(Aspect::Geometry);
}

QSize QtPlatform::MinimumSizeOf(const Form& form) const {
    const auto it = leastClient_.find(form.hWnd());
    if (it == leastClient_.end()) return {0, 0};
    QSize least(it->second.width, it->second.height);
    if (DrawsFrame(form)) {
        const FrameMetrics f = FrameOf(form);
        least += QSize(2 * f.border, 2 * f.border + f.caption);
    }
    return least;
}

void QtPlatform::Changed(Window& window, Aspect what) {
    if (what == Aspect::Destroyed) {
        Retire(window.hWnd());
        return;
    }
    // Content only repaints, which Qt schedules itself: a playing film changes it every frame.
    if (what != Aspect::Content && !syncTimer_.isActive()) syncTimer_.start();
    if (WindowPeer* peer = Peer(window.hWnd()))
        peer->Apply(what);
    else
        EnsurePeer(window);  // a new widget mirrors everything at once
}

// Only X11 windows are offered: that is where a decoder can draw (GStreamer's X image sink).
std::uintptr_t QtPlatform::NativeSurface(Window& w, bool wanted) {
    WindowPeer* peer = wanted ? EnsurePeer(w) : Peer(w.hWnd());
    if (!peer) return 0;
    return peer->DrawnNatively(wanted && QGuiApplication::platformName() == QLatin1String("xcb"));
}

QWidget* QtPlatform::Widget(Window& window) {
    return EnsurePeer(window);
}

void QtPlatform::Dock(Form& form, Form& host) {
    WindowPeer* hostPeer = EnsurePeer(host);
    WindowPeer* peer = EnsurePeer(form);
    if (!hostPeer || !peer || &form == &host) return;
    docks_[form.hWnd()] = host.hWnd();
    peer->DockInto(*hostPeer);
}

std::vector<Form*> QtPlatform::FormsShownWith(Form& form) {
    const Handle host = DockHostOf(form.hWnd()) != 0 ? DockHostOf(form.hWnd()) : form.hWnd();
    Window* hostWindow = FindWindow(host);
    std::vector<Form*> docked;
    for (const auto& [h, to] : docks_)
        if (to == host)
            if (Window* w = FindWindow(h); w && w->Kind() == WindowKind::Form)
                docked.push_back(static_cast<Form*>(w));
    std::sort(docked.begin(), docked.end(), [](const Form* a, const Form* b) {
        return std::pair(a->Top(), a->Left()) < std::pair(b->Top(), b->Left());
    });
    if (hostWindow && hostWindow->Kind() == WindowKind::Form)
        docked.insert(docked.begin(), static_cast<Form*>(hostWindow));
    return docked.empty() ? std::vector<Form*>{&form} : docked;
}

Handle QtPlatform::DockHostOf(Handle form) const {
    auto it = docks_.find(form);
    return it == docks_.end() ? 0 : it->second;
}

void QtPlatform::MoveDocked(Handle host, int dx, int dy) {
    std::vector<Handle> docked;
    for (const auto& [form, h] : docks_)
        if (h == host) docked.push_back(form);
    for (Handle h : docked)
        if (Window* w = FindWindow(h))
            w->Move(w->Left() + dx * screen().TwipsPerPixelX(),
                    w->Top() + dy * screen().TwipsPerPixelY(), w->Width(), w->Height());
}

WindowPeer* QtPlatform::Peer(Handle h) const {
    auto it = peers_.find(h);
    return it == peers_.end() ? nullptr : it->second;
}

WindowPeer* QtPlatform::EnsurePeer(Window& w) {
    if (WindowPeer* peer = Peer(w.hWnd())) return peer;
    if (!w.Alive()) return nullptr;
    if (w.Kind() == WindowKind::Form) {
        auto* peer = new WindowPeer(*this, w, nullptr);
        peers_[w.hWnd()] = peer;
        Window* host = FindWindow(DockHostOf(w.hWnd()));
        if (WindowPeer* hostPeer = host ? EnsurePeer(*host) : nullptr)
            peer->DockInto(*hostPeer);
        else
            peer->ApplyAll();
        return peer;
    }
    // A control whose parent is gone has nowhere to be shown.
    WindowPeer* parent = w.Parent() ? EnsurePeer(*w.Parent()) : nullptr;
    if (!parent) return nullptr;
    auto* peer = new WindowPeer(*this, w, parent);
    peers_[w.hWnd()] = peer;
    peer->ApplyAll();
    return peer;
}

void QtPlatform::Retire(Handle h) {
    auto it = peers_.find(h);
    if (it == peers_.end()) return;
    WindowPeer* peer = it->second;
    peers_.erase(it);
    docks_.erase(h);
    leastClient_.erase(h);
    // Not deleted here: the widget may be the one whose event handler is running.
    peer->hide();
    peer->deleteLater();
}

void QtPlatform::Forget(const WindowPeer* peer) {
    auto it = peers_.find(peer->handle());
    if (it != peers_.end() && it->second == peer) peers_.erase(it);
}

void QtPlatform::SweepDeadPeers() {
    // A window released without being unloaded or removed never says so; it does leave the
    // registry.
    if (Unregistrations() == swept_) return;
    swept_ = Unregistrations();
    std::vector<Handle> dead;
    for (const auto& [h, peer] : peers_)
        if (!FindWindow(h)) dead.push_back(h);
    for (Handle h : dead) Retire(h);
}

void QtPlatform::Sync() {
    if (syncing_) return;
    TemporaryChange syncing(syncing_, true);
    if (syncTimer_.isActive()) syncTimer_.stop();  // this is the sync it was waiting for
    SweepDeadPeers();
    SyncPointer();
    SyncOwners();
    SyncActiveForm();
    SyncLock();
}

void QtPlatform::SyncPointer() {
    const std::int16_t p = screen().MousePointer();
    if (p == pointerShown_) return;
    pointerShown_ = p;
    if (p == pointer::Default) {
        if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
        overrideCursor_ = false;
        return;
    }
    const QCursor cursor = CursorFor(p, {});
    if (overrideCursor_)
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
    overrideCursor_ = true;
}

void QtPlatform::SyncOwners() {
    // Handles first: re-showing an owned window runs events that may make new widgets.
    // Only forms have top-level widgets; there are far fewer forms than widgets.
    std::vector<Handle> forms;
    for (const Form* f : Forms())
        if (WindowPeer* peer = Peer(f->hWnd()); peer && peer->IsTopLevel())
            forms.push_back(f->hWnd());
    for (Handle h : forms)
        if (WindowPeer* peer = Peer(h)) peer->ApplyOwner();
    // Owners first, so a window shown since the last sync is mapped with its owner.
    for (Handle h : forms)
        if (WindowPeer* peer = Peer(h)) peer->ShowIfPending();
}

void QtPlatform::SyncActiveForm() {
    const Form* f = ActiveForm();
    const Handle h = f ? f->hWnd() : 0;
    if (h == activeShown_) return;
    activeShown_ = h;
    if (WindowPeer* peer = Peer(h); peer && peer->isVisible()) peer->activateWindow();
}

void QtPlatform::SyncLock() {
    const Handle h = api().LockedWindow();
    if (h == lockShown_) return;
    if (WindowPeer* old = Peer(lockShown_)) old->setUpdatesEnabled(true);
    if (WindowPeer* now = Peer(h)) now->setUpdatesEnabled(false);
    lockShown_ = h;
}

QWidget* QtPlatform::ActiveWidget() const {
    const Form* f = ActiveForm();
    WindowPeer* peer = f ? Peer(f->hWnd()) : nullptr;
    return peer && peer->isVisible() ? peer : nullptr;
}

}  // namespace quindel::qt
