#pragma once
// The host's interactive movie control: a frame movie (an animated GIF) played at its frames'
// own delays on a platform timer (virtual time on the headless backend), looping at its end
// whatever loop count the file asks for; a left click on it pauses and resumes it. A platform
// window of its own kind and a late-bound object with these members (dispatch ids):
//   SRC              0x68020301  the movie file; "" unloads. A missing file raises 53, an
//                                unreadable one 75, one that is not a GIF this kit reads 321;
//                                the old movie stays (and keeps playing)
//   AutoStart        0x68020302  True: a movie starts playing as soon as SRC loads it
//   Play             0x60020303  plays on from the current frame
//   Stop             0x60020304  pauses at the current frame
//   Rewind           0x60020305  back to the first frame, playing on if it was playing
//   GetCurrentFrame  0x60020306  the frame on show, counted from 1 (0 with no movie): it grows
//                                while the movie plays and falls back to 1 when it loops
//   height, Width, Visible, Move as on every window; Parent: ControlMembers.h
// Each frame is drawn as large as fits, keeping its shape, centred on black.
#include <memory>
#include <optional>
#include <string>

#include "platform/GifAnimation.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "runtime/DispatchTable.h"

namespace quindel::hostkit {

class MovieControl : public platform::Window, public TableDispatch {
  public:
    MovieControl(platform::Platform& p, platform::Window* parent);
    std::string TypeName() const override { return "MovieControl"; }

    const std::string& SRC() const { return src_; }
    void setSRC(const std::string& path);
    void Play();
    void Stop();
    void Rewind();
    std::int32_t GetCurrentFrame() const { return movie_ ? frame_ + 1 : 0; }
    bool Playing() const { return playing_; }
    int FrameCount() const { return movie_ ? movie_->FrameCount() : 0; }

    void Paint(platform::Image& img) const override;

  protected:
    void MouseDownDefault(const platform::MouseArgs& a) override;

  private:
    void DeclareMembers();
    void Repaint() { Changed(platform::Aspect::Content); }
    void NextFrame();
    void ArmForCurrentFrame();

    mutable std::optional<platform::GifAnimation> movie_;  // composes frames when painted
    std::string src_;
    bool autoStart_ = false;
    bool playing_ = false;
    int frame_ = 0;
    std::shared_ptr<platform::Timer> timer_;
    // The last frame drawn, scaled to the control.
    mutable platform::Image scaled_;
    mutable int scaledFrame_ = -1;
};

}  // namespace quindel::hostkit
