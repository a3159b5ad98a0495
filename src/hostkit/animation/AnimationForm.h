#pragma once
// The host's animation form, as the panel is handed it (FrmControlloAnimazione): a host form
// that carries the surface animations play on and the sign shown while a sound plays, and on
// which the host places its other display controls (as the form's children). Late-bound
// members (dispatch ids):
//   Pic_Animazioni  0x68020401  read-only: the animation surface, a picture box reached through
//                               the platform's window view (hWnd, Left, Top, Width, Height,
//                               Visible, Move, ...); hidden, black, at the top-left, until the
//                               panel places it, and hidden again once no animation is open on
//                               it (AnimationSurface)
//   PicSuono        0x68020402  read-only: the loudspeaker sign, a picture box in the top-left
//                               corner, hidden until the panel shows it; drawn in an ink that
//                               stands out on the form's back colour
//   ScaleWidth, ScaleHeight, hWnd, Visible  the form's own, as on the platform's form view
// The form is the host's: this object keeps it alive and adds the two picture boxes to it.
#include <memory>

#include "hostkit/animation/AnimationSurface.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "runtime/DispatchTable.h"

namespace quindel::hostkit {

class AnimationForm : public TableDispatch {
  public:
    static constexpr int kSignPx = 48;  // the loudspeaker sign's side
    static constexpr int kSignMarginPx = 8;

    explicit AnimationForm(std::shared_ptr<platform::Form> form);
    std::string TypeName() const override { return "AnimationForm"; }

    platform::Form& form() const { return *form_; }
    AnimationSurface& Animazioni() const { return *animazioni_; }
    platform::PictureBox& Suono() const { return *suono_; }

  private:
    void DrawSign();

    std::shared_ptr<platform::Form> form_;
    std::shared_ptr<AnimationSurface> animazioni_;
    std::shared_ptr<platform::PictureBox> suono_;
};

}  // namespace quindel::hostkit
