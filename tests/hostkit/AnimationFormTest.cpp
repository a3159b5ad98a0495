// The animation form: its two picture boxes and its own members by late binding, the
// loudspeaker sign, and a display control placed on it finding the form as its parent.
#include <gtest/gtest.h>

#include "DisplayKitSupport.h"
#include "hostkit/AnimationForm.h"
#include "hostkit/PictureControl.h"
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

}  // namespace
}  // namespace quindel::hostkit
