// The animation form: its two picture boxes and its own members by late binding, the
// loudspeaker sign on any back colour, the surface hiding itself once empty, and a display
// control placed on it finding the form as its parent.
#include <gtest/gtest.h>

#include "DisplayKitSupport.h"
#include "hostkit/animation/AnimationForm.h"
#include "hostkit/animation/Loudspeaker.h"
#include "hostkit/picture/PictureControl.h"
#include "runtime/Coercions.h"

namespace quindel::hostkit {
namespace {

using test::kTwips;
using test::ObjectOf;

TEST(AnimationForm, AnswersThePanelByName) {
    test::Stage s;
    const auto frm = std::make_shared<AnimationForm>(s.form);
    const Object obj = frm;
    EXPECT_EQ(CLng(GetProperty(obj, "ScaleWidth")), 800 * kTwips);
    EXPECT_EQ(CLng(GetProperty(obj, "ScaleHeight")), 600 * kTwips);
    EXPECT_EQ(CLng(GetProperty(obj, "hWnd")), s.form->hWnd());

    const Object surface = ObjectOf(GetProperty(obj, "Pic_Animazioni"));
    EXPECT_EQ(CLng(GetProperty(surface, "hwnd")), frm->Animazioni().hWnd());
    EXPECT_FALSE(CBool(GetProperty(surface, "Visible")));
    CallMethod(surface, "Move", 0, 0, 4500, 3000);
    LetProperty(surface, "height", 1500);
    LetProperty(surface, "Visible", true);
    for (auto [member, value] :
         {std::pair{"Left", 0}, {"Top", 0}, {"Width", 4500}, {"height", 1500}})
        EXPECT_EQ(CLng(GetProperty(surface, member)), value) << member;
    EXPECT_TRUE(frm->Animazioni().Visible());

    const Object sign = ObjectOf(GetProperty(obj, "PicSuono"));
    EXPECT_FALSE(frm->Suono().Visible());
    LetProperty(sign, "Visible", true);
    EXPECT_TRUE(frm->Suono().Visible());
    LetProperty(obj, "Visible", false);
    EXPECT_FALSE(s.form->Visible());
}

TEST(AnimationForm, TheSignShowsALoudspeakerAndControlsSitOnTheForm) {
    test::Stage s;
    const auto frm = std::make_shared<AnimationForm>(s.form);
    frm->Suono().setVisible(true);
    const platform::Image sign = s.p.Grab(frm->Suono());
    ASSERT_EQ(sign.width(), AnimationForm::kSignPx);
    int ink = 0;
    for (platform::Rgba p : sign.pixels()) ink += p == platform::MakeRgb(0, 0, 0);
    // The magnet's middle is inked, a corner is not; some of it, not all, is drawn.
    EXPECT_EQ(sign.pixel(10, 24), platform::MakeRgb(0, 0, 0));
    EXPECT_NE(sign.pixel(2, 2), platform::MakeRgb(0, 0, 0));
    EXPECT_GT(ink, 48 * 48 / 10);
    EXPECT_LT(ink, 48 * 48 / 2);
    EXPECT_TRUE(s.p.GrabScreen().savePng("hostkit_animation_form.png"));

    const auto pic = s.p.NewChild<PictureControl>(frm->form());
    const Object parent = ObjectOf(GetProperty(Object(pic), "Parent"));
    EXPECT_EQ(CLng(GetProperty(parent, "ScaleHeight")), 600 * kTwips);
}

int Brightness(platform::Rgba c) {
    return (299 * platform::RedOf(c) + 587 * platform::GreenOf(c) + 114 * platform::BlueOf(c)) /
           1000;
}

// The sign is read against the form it sits on, a dark stage included.
TEST(AnimationForm, TheSignStandsOutOnAnyBackColour) {
    for (const platform::Rgba paper :
         {platform::MakeRgb(212, 208, 200), platform::MakeRgb(32, 36, 44),
          platform::MakeRgb(0, 0, 0), platform::MakeRgb(255, 255, 255),
          platform::MakeRgb(128, 128, 128)}) {
        test::Stage s;
        s.form->setBackColor(paper);
        const auto frm = std::make_shared<AnimationForm>(s.form);
        frm->Suono().setVisible(true);
        const platform::Image sign = s.p.Grab(frm->Suono());
        const platform::Rgba magnet = sign.pixel(10, 24), corner = sign.pixel(2, 2);
        EXPECT_EQ(corner, paper) << std::hex << paper;
        EXPECT_GE(std::abs(Brightness(magnet) - Brightness(paper)), 100) << std::hex << paper;
    }
}

// Closing an animation removes only the device's window; the surface left empty goes too, so no
// black box stays on the stage. It is looked at only while shown.
TEST(AnimationForm, TheSurfaceHidesItselfOnceNoAnimationIsOnIt) {
    test::Stage s;
    const auto frm = std::make_shared<AnimationForm>(s.form);
    AnimationSurface& surface = frm->Animazioni();
    const bool armedBefore = s.p.timers().NextDeadline().has_value();
    surface.setVisible(true);
    const auto device = s.p.NewPictureBox(surface);  // the animation's window on it
    s.p.RunFor(3 * AnimationSurface::kCheckMs);
    EXPECT_TRUE(surface.Visible()) << "carrying an animation";
    device->Remove();  // the animation closes
    s.p.RunFor(AnimationSurface::kCheckMs);
    EXPECT_FALSE(surface.Visible());
    EXPECT_EQ(s.p.timers().NextDeadline().has_value(), armedBefore) << "no check while hidden";

    surface.setVisible(true);  // shown, but the animation never opened
    surface.HideIfEmpty();
    EXPECT_FALSE(surface.Visible());
}

}  // namespace
}  // namespace quindel::hostkit
