// The panel's sliders in a person's hands: the volume follows the volume window's knob as it is
// dragged; dragging the progress slider, which only shows progress, harms nothing.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "display/Frm_volume.h"
#include "platform/Slider.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::Voci;

namespace {

// A sound is selected, so the volume button works.
struct Suono : ControlFixture {
    Suono() : ControlFixture("sliders") {
        q->setNomeFileListaMM(Lista("mm.lst", Voci(3, "AU")));
        q->ListaMM()->setListIndex(0);
        q->ListaMM()->AggiornaPulsantiPilonda();
        Eventi();
    }
};

}  // namespace

// The slider runs from full volume (0, left) to silence (10, right).
TEST(QuindelCursori, TheVolumeFollowsTheKnobWhileItIsDragged) {
    Suono fx;
    fx.q->setVolumeAudio(255);
    fx.Clicca(8);
    fx.Eventi();
    Frm_volume* v = fx.q->FinestraVolume();
    ASSERT_NE(v, nullptr);
    platform::Slider& s = *v->Slider1();
    const platform::RectPx r = s.ScreenRectPx();
    const int y = (r.top + r.bottom) / 2;
    fx.p.Input().MoveTo(r.left + s.KnobCentrePx(0), y).Press();
    fx.p.RunFor(10);
    struct Passo {
        int x;  // from the slider's left edge; the pointer strays below the window
        std::int32_t volume;
    } passi[] = {{s.KnobCentrePx(5), 127},
                 {s.KnobCentrePx(10), 0},
                 {r.width() + 80, 0},
                 {s.KnobCentrePx(8), 51}};
    for (const Passo& p : passi) {
        fx.p.Input().MoveTo(r.left + p.x, y + 60);
        fx.p.RunFor(10);
        EXPECT_EQ(fx.q->VolumeAudio(), p.volume) << p.x;
    }
    fx.p.Input().Release();
    fx.p.RunFor(10);
    EXPECT_TRUE(fx.Eventi().empty());
}

// Dragged along the strip and over the buttons, the progress slider moves, raises no event,
// presses no button, and the buttons still work afterwards.
TEST(QuindelCursori, DraggingTheProgressSliderPressesNothing) {
    Suono fx;
    fx.Clicca(11);  // a click on a button first: the strip remembers where a press began
    fx.Eventi();
    platform::Slider& s = fx.q->Sld_SliderAvanzamento();
    const platform::RectPx r = s.ScreenRectPx();
    const int y = (r.top + r.bottom) / 2;
    fx.p.Input().MoveTo(r.left + s.KnobCentrePx(s.Value()), y).Press();
    for (std::int16_t b : {9, 11, 14}) {
        const platform::PointPx c = fx.Centro(b);
        fx.p.Input().MoveTo(c.x, c.y);
    }
    fx.p.Input().Release();
    fx.p.RunFor(50);
    EXPECT_TRUE(fx.Eventi().empty());
    for (std::int16_t b = 1; b <= 17; ++b) EXPECT_FALSE(fx.B(b).value()) << b;
    EXPECT_FALSE(s.HasFocus());
    fx.Clicca(10);
    EXPECT_EQ(fx.Eventi(), std::vector<std::string>{"PulsantePremuto(10,0)"});
}
