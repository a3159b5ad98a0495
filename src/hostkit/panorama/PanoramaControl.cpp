#include "hostkit/panorama/PanoramaControl.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "contract/Declare.h"
#include "contract/Panorama.h"
#include "hostkit/base/ControlMembers.h"
#include "hostkit/base/PictureScaler.h"
#include "platform/Keys.h"
#include "platform/Platform.h"

namespace quindel::hostkit {

using platform::Image;

namespace {
constexpr platform::Rgba kBackColor = platform::MakeRgb(0, 0, 0);

// QUINDEL_FRAME_LOG=path appends a line for every view rendered: the seconds of the monotonic
// clock, which the desktop journeys read to count the frames a drag paints. Off when unset.
void LogFrame() {
    static std::FILE* const log = [] {
        const char* path = std::getenv("QUINDEL_FRAME_LOG");
        return path && *path ? std::fopen(path, "a") : nullptr;
    }();
    if (!log) return;
    const std::chrono::duration<double> now = std::chrono::steady_clock::now().time_since_epoch();
    std::fprintf(log, "%.6f\n", now.count());
    std::fflush(log);
}
}  // namespace

PanoramaControl::PanoramaControl(platform::Platform& p, platform::Window* parent)
    : Window(p, platform::WindowKind::Control, parent), dragTimer_(p.NewTimer()) {
    dragTimer_->setEnabled(false);
    dragTimer_->setInterval(kDragPollMs);
    dragTimer_->OnTimer = [this] { FollowPointer(); };
    DeclareMembers();
}

void PanoramaControl::DeclareMembers() {
    namespace row = contract::panorama;
    namespace window = contract::window;
    using C = PanoramaControl;
    contract::Declare<C> m(table(), this);
    m.Property(row::Stretch, 0x68020201, &C::Stretch, &C::setStretch);
    m.Property(row::FileName, 0x68020202, &C::FileName, &C::setFileName);
    m.Field(row::ZoomEnabled, 0x68020203, zoomEnabled_);
    m.Property(row::PanAngle, 0x68020204, &C::PanAngle, [this](double v) { setPanAngle(v); });
    AdoptWindowMembers(table(), *this,
                       {window::Top, window::Left, window::Move, window::Height, window::Width,
                        window::Visible, window::Enabled});
    DeclareParent(table(), *this);
}

void PanoramaControl::setFileName(const std::string& path) {
    if (path.empty()) {
        picture_.Clear();
    } else {
        picture_.Load(platform().files().Resolve(path), {INT_MAX, INT_MAX, false});
    }
    fileName_ = path;
    viewValid_ = false;
    Repaint();
}

void PanoramaControl::setStretch(bool v) {
    if (v == stretch_) return;
    stretch_ = v;
    Repaint();
}

void PanoramaControl::setPanAngle(double degrees) {
    double pan = std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0.0;
    pan = pan < 0 ? pan + 360 : pan;
    if (pan == pan_) return;
    pan_ = pan;
    viewValid_ = false;
    Repaint();
}

void PanoramaControl::setFieldOfView(double degrees) {
    const double fov = std::clamp(degrees, kMinFov, kMaxFov);
    if (fov == fov_) return;
    fov_ = fov;
    viewValid_ = false;
    Repaint();
}

platform::RectPx PanoramaControl::ViewRect() const {
    const platform::SizePx client = ClientSizePx();
    if (stretch_) return {0, 0, client.width, client.height};
    return FitInside(4, 3, client.width, client.height);
}

bool PanoramaControl::UpdateView() const {
    const platform::RectPx r = ViewRect();
    if (picture_.empty() || r.width() <= 0 || r.height() <= 0) return false;
    const platform::PictureSize source = picture_.Size();
    if (!table_ || !table_->Serves(r.width(), r.height(), fov_, source.width, source.height)) {
        table_.emplace(r.width(), r.height(), fov_, source.width, source.height);
        ++tablesBuilt_;
        viewValid_ = false;
    }
    if (!viewValid_) {
        table_->Render(picture_.Full(), pan_, view_);
        viewValid_ = true;
        ++renders_;
        LogFrame();
    }
    return true;
}

void PanoramaControl::Paint(Image& img) const {
    img.fill(kBackColor);
    if (!UpdateView()) return;
    const platform::RectPx r = ViewRect();
    CopyPixels(img, r.left, r.top, view_, 0, 0, view_.width(), view_.height());
}

bool PanoramaControl::LendPixels(
    platform::SizePx size, const std::function<void(const platform::PixelsView&)>& use) const {
    const platform::RectPx r = ViewRect();
    if (r.left != 0 || r.top != 0 || r.width() != size.width || r.height() != size.height ||
        !UpdateView())
        return false;
    use(view_.view());
    return true;
}

void PanoramaControl::MouseDownDefault(const platform::MouseArgs& a) {
    if (!(a.Button & 1)) return;
    dragging_ = true;
    dragStartX_ = TwipsToPxX(a.X);
    dragStartPan_ = pan_;
    dragTimer_->setEnabled(true);
}

void PanoramaControl::MouseUpDefault(const platform::MouseArgs& a) {
    if (!dragging_ || !(a.Button & 1)) return;
    DragTo(TwipsToPxX(a.X));
    EndDrag();
}

void PanoramaControl::FollowPointer() {
    if (!dragging_ || !AcceptsInput()) {
        EndDrag();
        return;
    }
    DragTo(ScreenToClientPx(platform().screen().CursorPos()).x);
}

void PanoramaControl::DragTo(int clientX) {
    // The picture follows the pointer: moving it right brings what is on the left into view.
    const int width = std::max(ViewRect().width(), 1);
    setPanAngle(dragStartPan_ - double(clientX - dragStartX_) * fov_ / width);
}

void PanoramaControl::EndDrag() {
    dragging_ = false;
    dragTimer_->setEnabled(false);
}

void PanoramaControl::KeyDownDefault(std::int16_t keyCode, std::int16_t shift) {
    if (shift != 0) return;
    switch (keyCode) {
        case platform::key::Left:
            setPanAngle(pan_ - kTurnStep);
            break;
        case platform::key::Right:
            setPanAngle(pan_ + kTurnStep);
            break;
        case platform::key::Up:
            WheelDefault(platform::key::WheelNotch);
            break;
        case platform::key::Down:
            WheelDefault(-platform::key::WheelNotch);
            break;
        default:
            break;
    }
}

void PanoramaControl::Describe(platform::AccessibleDescription& d) const {
    d.role = platform::Role::Graphic;
}

bool PanoramaControl::WheelDefault(int delta) {
    if (!zoomEnabled_) return false;
    setFieldOfView(fov_ - kFovStep * delta / platform::key::WheelNotch);
    return true;
}

}  // namespace quindel::hostkit
