#pragma once
// The host's 360-degree photo control: an equirectangular picture seen through a perspective
// view that the user turns by dragging and zooms with the wheel. A platform window of its own
// kind and a late-bound object with these members (dispatch ids):
//   Stretch      0x68020201  True: the view fills the control; False: a 4:3 view centred in it
//   FileName     0x68020202  the equirectangular picture (PNG, JPEG, GIF, BMP); "" unloads;
//                            errors as the picture control's (53, 75, 481), the old picture stays
//   zoomenabled  0x68020203  True: the wheel narrows (away from the user) or widens the field
//                            of view, kFovStep degrees a notch, within kMinFov..kMaxFov
//   PanAngle     0x68020204  degrees, kept within [0, 360); 0 looks at the picture's middle,
//                            larger angles turn right (Panorama.h)
//   top, Left, Move, height, Width, Visible, Enabled  as on every window; a disabled control
//                            ignores the mouse and the wheel
//   Parent                   ControlMembers.h
// Left and Right turn the view kTurnStep degrees, Up and Down zoom as a notch of the wheel does;
// a click gives the control the keyboard. To assistive technology it is an image, named by its
// host.
// Dragging with the left button turns the view with the picture under the pointer; the pointer
// is followed on a short timer while the button is held, since the input funnel reports moves to
// the host only. Work is done only for what changed: the projection table is kept per view size,
// field of view and picture size, and a view is rendered only when the angle, the field of view,
// the size or the picture changed. A view that fills the control is lent to the painter as
// rendered (LendPixels), and QUINDEL_FRAME_LOG names a file that gets a line a rendered view.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "hostkit/base/PictureStore.h"
#include "hostkit/panorama/PanoramaTable.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "runtime/DispatchTable.h"

namespace quindel::hostkit {

class PanoramaControl : public platform::Window, public TableDispatch {
  public:
    static constexpr double kDefaultFov = 90, kMinFov = 20, kMaxFov = 120, kFovStep = 5;
    static constexpr double kTurnStep = 10;
    static constexpr std::int32_t kDragPollMs = 15;

    PanoramaControl(platform::Platform& p, platform::Window* parent);
    std::string TypeName() const override { return "PanoramaControl"; }

    const std::string& FileName() const { return fileName_; }
    void setFileName(const std::string& path);
    bool Stretch() const { return stretch_; }
    void setStretch(bool v);
    float PanAngle() const { return float(pan_); }
    void setPanAngle(double degrees);
    double FieldOfView() const { return fov_; }
    void setFieldOfView(double degrees);

    // How many views were rendered and tables built, for tests of what is redone.
    int Renders() const { return renders_; }
    int TablesBuilt() const { return tablesBuilt_; }

    void Paint(platform::Image& img) const override;
    bool PaintsWhole() const override { return true; }
    // A view that fills the control is drawn straight from the rendered frame, not copied first.
    bool LendPixels(platform::SizePx size,
                    const std::function<void(const platform::PixelsView&)>& use) const override;

  protected:
    bool FocusOnClick() const override { return true; }
    void Describe(platform::AccessibleDescription& d) const override;
    void MouseDownDefault(const platform::MouseArgs& a) override;
    void MouseUpDefault(const platform::MouseArgs& a) override;
    void KeyDownDefault(std::int16_t keyCode, std::int16_t shift) override;
    bool WheelDefault(int delta) override;

  private:
    void DeclareMembers();
    void Repaint() { Changed(platform::Aspect::Content); }
    platform::RectPx ViewRect() const;
    // Renders the view if anything changed since; false when there is nothing to show.
    bool UpdateView() const;
    void DragTo(int clientX);
    void FollowPointer();
    void EndDrag();

    mutable PictureStore picture_;  // held whole: every part comes into view as it turns
    std::string fileName_;
    bool stretch_ = false;
    bool zoomEnabled_ = false;
    double pan_ = 0;
    double fov_ = kDefaultFov;
    // Rendering caches, filled while painting.
    mutable std::optional<PanoramaTable> table_;
    mutable platform::Image view_;
    mutable bool viewValid_ = false;
    mutable int renders_ = 0, tablesBuilt_ = 0;
    // Dragging: where it started, and the timer that follows the pointer.
    bool dragging_ = false;
    int dragStartX_ = 0;
    double dragStartPan_ = 0;
    std::shared_ptr<platform::Timer> dragTimer_;
};

}  // namespace quindel::hostkit
