#include "hostkit/movie/MovieControl.h"

#include "contract/Declare.h"
#include "contract/Movie.h"
#include "hostkit/base/ContentFile.h"
#include "hostkit/base/ControlMembers.h"
#include "hostkit/base/PictureScaler.h"
#include "platform/PictureFile.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

using platform::Image;

namespace {
constexpr platform::Rgba kBackColor = platform::MakeRgb(0, 0, 0);
constexpr const char* kSource = "Movie";
constexpr int kInvalidFormat = 321;
}  // namespace

MovieControl::MovieControl(platform::Platform& p, platform::Window* parent)
    : Window(p, platform::WindowKind::Control, parent), timer_(p.NewTimer()) {
    timer_->setEnabled(false);
    timer_->OnTimer = [this] { NextFrame(); };
    DeclareMembers();
}

void MovieControl::DeclareMembers() {
    namespace row = contract::movie;
    namespace window = contract::window;
    using C = MovieControl;
    contract::Declare<C> m(table(), this);
    m.Property(row::SRC, 0x68020301, &C::SRC, &C::setSRC);
    m.Field(row::AutoStart, 0x68020302, autoStart_);
    m.Method(row::Play, 0x60020303, {}, &C::Play);
    m.Method(row::Stop, 0x60020304, {}, &C::Stop);
    m.Method(row::Rewind, 0x60020305, {}, &C::Rewind);
    m.Method(row::GetCurrentFrame, 0x60020306, {}, &C::GetCurrentFrame);
    // Move as well: the panel centres the movie in its form.
    AdoptWindowMembers(table(), *this,
                       {window::Height, window::Width, window::Visible, window::Move});
    DeclareParent(table(), *this);
}

void MovieControl::setSRC(const std::string& path) {
    std::optional<platform::GifAnimation> movie;
    if (!path.empty()) {
        const std::string bytes = ReadContentFile(platform().files().Resolve(path), kSource);
        std::string why;
        movie = platform::GifAnimation::DecodeWithin(platform::BytesOf(bytes),
                                                     platform::GifAnimation::kPlayerLimits, &why);
        if (!movie) throw VbError(kInvalidFormat, kSource, "Invalid file format: " + why);
    }
    Stop();
    movie_ = std::move(movie);
    src_ = path;
    frame_ = 0;
    scaledFrame_ = -1;
    Repaint();
    if (autoStart_) Play();
}

void MovieControl::Play() {
    if (!movie_ || playing_) return;
    playing_ = true;
    ArmForCurrentFrame();
}

void MovieControl::Stop() {
    playing_ = false;
    timer_->setEnabled(false);
}

void MovieControl::Rewind() {
    if (!movie_ || frame_ == 0) return;
    frame_ = 0;
    if (playing_) ArmForCurrentFrame();
    Repaint();
}

void MovieControl::ArmForCurrentFrame() {
    // Each tick ends the frame on show, so the count restarts with that frame's own delay.
    timer_->setInterval(movie_->DelayMs(frame_));
    timer_->setEnabled(true);
}

void MovieControl::NextFrame() {
    if (!movie_ || !playing_) return;
    frame_ = frame_ + 1 < movie_->FrameCount() ? frame_ + 1 : 0;
    ArmForCurrentFrame();
    Repaint();
}

void MovieControl::MouseDownDefault(const platform::MouseArgs& a) {
    if (!(a.Button & 1)) return;
    if (playing_)
        Stop();
    else
        Play();
}

void MovieControl::Paint(Image& img) const {
    img.fill(kBackColor);
    if (!movie_) return;
    const platform::RectPx r =
        FitInside(movie_->Width(), movie_->Height(), img.width(), img.height());
    if (r.width() <= 0) return;
    if (scaledFrame_ != frame_ || scaled_.width() != r.width() || scaled_.height() != r.height()) {
        scaled_ = ScalePicture(movie_->Frame(frame_), r.width(), r.height());
        scaledFrame_ = frame_;
    }
    Composite(img, scaled_, r.left, r.top);
}

}  // namespace quindel::hostkit
