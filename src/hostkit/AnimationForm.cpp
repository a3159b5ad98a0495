#include "hostkit/AnimationForm.h"

#include "hostkit/ControlMembers.h"
#include "hostkit/Loudspeaker.h"
#include "platform/Platform.h"
#include "platform/WindowObject.h"
#include "runtime/MemberBuilders.h"

namespace quindel::hostkit {

AnimationForm::AnimationForm(std::shared_ptr<platform::Form> form)
    : form_(std::move(form)),
      animazioni_(form_->platform().NewPictureBox(*form_)),
      suono_(form_->platform().NewPictureBox(*form_)) {
    animazioni_->setBorderStyle(0);
    animazioni_->setBackColor(platform::MakeRgb(0, 0, 0));
    animazioni_->setVisible(false);
    DrawSign();
    using PT = ParamType;
    Members<> m(table());
    m.ReadOnly("Pic_Animazioni", 0x68020401, PT::Object,
               [this] { return platform::MakeWindowObject(animazioni_); });
    m.ReadOnly("PicSuono", 0x68020402, PT::Object,
               [this] { return platform::MakeWindowObject(suono_); });
    AdoptWindowMembers(table(), *form_, {"ScaleWidth", "ScaleHeight", "hWnd", "Visible"});
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
    sign.PaintPicture(DrawLoudspeaker(kSignPx, platform::MakeRgb(0, 0, 0), form_->BackColor()), 0,
                      0);
}

}  // namespace quindel::hostkit
