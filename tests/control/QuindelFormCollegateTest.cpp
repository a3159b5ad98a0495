// Linked windows following the host form, and the caption layout of a floating panel.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "contract/FakeControl.h"
#include "contract/Text.h"
#include "display/Frm_volume.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/WindowObject.h"
#include "runtime/Coercions.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::FakeControl;
using quindel::test::Voci;

TEST(QuindelFormCollegate, AnOpenListFollowsTheHostAboveOrBelow) {
    ControlFixture fx("linked");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(30)));
    fx.q->setValorePulsante(9, 1);
    platform::Form& w = fx.FinestraLista(1);
    const std::int32_t h = fx.q->pic_ToolbarMain().Height();
    struct Step {
        std::int32_t left, top;
        bool below;
    } steps[] = {{3000, 10000, false}, {2000, 600, true}, {2000, 9000, false}};
    for (const auto& s : steps) {
        fx.host->Move(s.left, s.top, fx.host->Width(), fx.host->Height());
        fx.p.RunFor(100);  // the next timer tick places the window
        EXPECT_EQ(w.Left(), s.left + fx.B(9).X() + 60);
        EXPECT_EQ(w.Top(), s.below ? s.top + 2 * h - 480 : s.top + h - 430 - w.Height()) << s.top;
    }
    // Unmoved host: the window stays where the user put it, however often the timer runs.
    w.Move(100, 100, w.Width(), w.Height());
    fx.p.RunFor(1000);
    fx.q->SpostaFormCollegate();
    EXPECT_EQ(w.Left(), 100);
}

TEST(QuindelFormCollegate, CaptionOnlyShowsAndHidesWhenNotFloating) {
    ControlFixture fx("caption_fixed");
    auto caption = std::make_shared<FakeControl>(contract::text::kRow);
    auto parent = fx.p.NewForm();
    parent->setHeight(3000);
    fx.q->setFrmParent(platform::MakeFormObject(parent));
    fx.q->setControlloDidascalia(caption);
    EXPECT_TRUE(fx.q->IsPulsanteAbilitato(2));
    fx.q->setValorePulsante(2, 1);
    EXPECT_EQ(caption->props["visible"], Variant(true));
    fx.q->setValorePulsante(2, 0);
    EXPECT_EQ(caption->props["visible"], Variant(false));
    EXPECT_EQ(parent->Height(), 3000);
    // Nothing replacing the caption hides it and disables its button.
    fx.q->setValorePulsante(2, 1);
    fx.q->setControlloDidascalia(nullptr);
    EXPECT_EQ(caption->props["visible"], Variant(false));
    EXPECT_FALSE(fx.q->IsPulsanteAbilitato(2));
}

TEST(QuindelFormCollegate, FloatingCaptionGrowsAndShrinksTheParentForm) {
    struct Case {
        double docHeight;
        double expected;  // caption height once laid out
    } cases[] = {{1000, 1000 + 15 * 15}, {9000, 768 * 15 / 2}};
    for (const auto& c : cases) {
        ControlFixture fx("caption_float");
        auto caption = std::make_shared<FakeControl>(contract::text::kRow);
        caption->props["height"] = std::int32_t(40);
        caption->props["docheight"] = c.docHeight;
        auto parent = fx.p.NewForm();
        parent->setHeight(3000);
        fx.q->setFrmParent(platform::MakeFormObject(parent));
        fx.q->setControlloDidascalia(caption);
        fx.q->setIsFloating(true);
        fx.q->setValorePulsante(2, 1);
        EXPECT_EQ(CDbl(caption->props["height"]), c.expected);
        EXPECT_EQ(caption->props["scrollvert"], Variant(false));
        EXPECT_EQ(parent->Height(), 3000 + std::int32_t(c.expected) - 40);
        fx.q->setValorePulsante(2, 0);
        EXPECT_EQ(parent->Height(), 3000 - 40);
        EXPECT_EQ(CDbl(caption->props["height"]), 0);
        // A caption of 30 twips or less leaves the parent alone when switched off.
        caption->props["height"] = std::int32_t(30);
        fx.q->setValorePulsante(2, 0);
        EXPECT_EQ(parent->Height(), 3000 - 40);
    }
}

TEST(QuindelFormCollegate, ACaptionWithoutItsLayoutMembersFailsTheCall) {
    ControlFixture fx("caption_bad");
    auto caption = std::make_shared<FakeControl>(contract::text::kRow);
    caption->missing.insert("docheight");
    fx.q->setControlloDidascalia(caption);
    fx.q->setIsFloating(true);
    EXPECT_THROW(fx.q->setValorePulsante(2, 1), VbError);
}

// A close from the frame, Alt+F4 or the window manager does what the panel's own close does: the
// button comes up, the host hears of it, one press opens the window again, and the list lives on.
TEST(QuindelFormCollegate, AWindowClosedFromItsFrameOpensAgainWithOnePress) {
    ControlFixture fx("frame_close");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5, "AU")));
    fx.q->setNomeFileListaLemmiCollegati(fx.Lista("lemmi.lst", Voci(3)));
    fx.q->ListaMM()->setListIndex(0);
    fx.q->ListaMM()->AggiornaPulsantiPilonda();  // a sound: the volume button is enabled
    const auto finestra = [&](std::int16_t b) -> platform::Form* {
        if (b == 8) return fx.q->FinestraVolume() ? fx.q->FinestraVolume()->Form().get() : nullptr;
        return &fx.FinestraLista(b == 9 ? 1 : 0);
    };
    for (const std::int16_t b : {9, 3, 8}) {
        fx.q->setValorePulsante(b, -1);
        fx.Eventi();
        finestra(b)->InputClose();
        EXPECT_EQ(fx.q->ValorePulsante(b), 0) << b;
        EXPECT_EQ(fx.Eventi(),
                  std::vector<std::string>{"PulsantePremuto(" + std::to_string(b) + ",0)"})
            << b;
        EXPECT_TRUE(!finestra(b) || !finestra(b)->Visible()) << b;
        fx.q->setValorePulsante(b, -1);
        ASSERT_NE(finestra(b), nullptr) << b;
        EXPECT_TRUE(finestra(b)->Visible()) << b;
        fx.q->setValorePulsante(b, 0);
    }
    // The multimedia list still steps after its window came back.
    fx.q->setValorePulsante(9, -1);
    fx.FinestraLista(1).InputClose();
    fx.q->setValorePulsante(11, -1);
    EXPECT_EQ(fx.q->ListaMM()->ListIndex(), 1);
    fx.q->setValorePulsante(10, -1);
    EXPECT_EQ(fx.q->ListaMM()->ListIndex(), 0);
}
