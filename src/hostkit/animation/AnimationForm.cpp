#include "hostkit/animation/AnimationForm.h"

#include "contract/AnimationForm.h"
#include "contract/Declare.h"
#include "hostkit/animation/Loudspeaker.h"
#include "hostkit/base/ControlMembers.h"
#include "platform/Platform.h"
#include "platform/WindowObject.h"

namespace quindel::hostkit {

AnimationForm::AnimationForm(std::shared_ptr<platform::Form> form)
    : form_(std::move(form)),
      animazioni_(form_->platform().NewChild<AnimationSurface>(*form_)),
      suono_(form_->platform().NewPictureBox(*form_)) {
    DrawSign();
    namespace row = contract::animationform;
    namespace window = contract::window;
    contract::Declare<> m(table());
    m.ReadOnly(row::PicAnimazioni, 0x68020401,
               [this] { return platform::MakeWindowObject(animazioni_); });
    m.ReadOnly(row::PicSuono, 0x68020402, [this] { return platform::MakeWindowObject(suono_); });
    AdoptWindowMembers(table(), *form_,
                       {window::ScaleWidth, window::ScaleHeight, window::hWnd, window::Visible});
}

void AnimationForm::DrawSign() {
    platform::PictureBox& sign = *suono_;
    const platform::Screen& s = form_->platform().screen();
    sign.setBorderStyle(0);
    sign.setVisible(false);
    sign.setAutoRedraw(true);
    sign.setScaleMode(platform::scale::Pixels);
    sign.setBackColor(form_->BackColor());
    sign.Move(kSignMarginPx * s.TwipsPerPixelX(), kSignMarginPx * s.TwipsPerPixelY(),
              kSignPx * s.TwipsPerPixelX(), kSignPx * s.TwipsPerPixelY());
    sign.Cls();
    const platform::Rgba paper = form_->BackColor();
    sign.PaintPicture(DrawLoudspeaker(kSignPx, InkOn(paper), paper), 0, 0);
}

}  // namespace quindel::hostkit
