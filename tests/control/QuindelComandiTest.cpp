// The commands, run by the user's clicks and by the host, and the events they raise.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/VScrollBar.h"
#include "support/Catalogo.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::Voci;
using Eventi = std::vector<std::string>;

TEST(QuindelComandi, ButtonsTheHostActsOnOnlyRaiseTheEvent) {
    ControlFixture fx("cmd_host");
    for (std::int16_t i : {12, 17}) {
        const int pointerChanges = fx.p.screen().PointerChanges();
        fx.Clicca(i);
        EXPECT_EQ(fx.Eventi(), Eventi{"PulsantePremuto(" + std::to_string(i) + ",0)"});
        EXPECT_FALSE(fx.q->ValorePulsante(i));
        // The hourglass came and went.
        EXPECT_GE(fx.p.screen().PointerChanges(), pointerChanges + 2);
        EXPECT_EQ(fx.p.screen().MousePointer(), 0);
    }
}

TEST(QuindelComandi, OpeningOneListWindowClosesTheOther) {
    ControlFixture fx("cmd_lists");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
    fx.q->setNomeFileListaLemmiCollegati(fx.Lista("lemmi.lst", Voci(3)));
    ASSERT_TRUE(fx.q->IsPulsanteAbilitato(9));
    ASSERT_TRUE(fx.q->IsPulsanteAbilitato(3));
    fx.Clicca(9);
    EXPECT_EQ(fx.Eventi(), Eventi{"PulsantePremuto(9,-1)"});
    EXPECT_TRUE(fx.FinestraLista(1).Visible());
    EXPECT_TRUE(fx.q->FinestraLista(1).TList1()->HasFocus());
    EXPECT_EQ(fx.p.api().Owner(fx.FinestraLista(1).hWnd()), fx.host->hWnd());
    fx.Clicca(3);
    EXPECT_EQ(fx.Eventi(), (Eventi{"PulsantePremuto(3,-1)", "PulsantePremuto(9,0)"}));
    EXPECT_TRUE(fx.FinestraLista(0).Visible());
    EXPECT_FALSE(fx.FinestraLista(1).Visible());
    EXPECT_EQ(fx.q->ValorePulsante(3), -1);
    EXPECT_EQ(fx.q->ValorePulsante(9), 0);
    // The open window lies over the right part of the strip, so the host closes it.
    fx.q->setValorePulsante(3, 0);
    EXPECT_EQ(fx.Eventi(), Eventi{"PulsantePremuto(3,0)"});
    EXPECT_FALSE(fx.FinestraLista(0).Visible());
}

TEST(QuindelComandi, ListWindowOpensBelowTheHostForm) {
    ControlFixture fx("cmd_place");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
    fx.q->setValorePulsante(9, 1);
    const platform::Form& w = fx.FinestraLista(1);
    const std::int32_t h = fx.q->pic_ToolbarMain().Height();
    EXPECT_EQ(w.Left(), fx.host->Left() + fx.B(9).X() + 60);
    EXPECT_EQ(w.Top(), fx.host->Top() + 2 * h - 480);
}

TEST(QuindelComandi, PreviousAndNextStopAtTheEndsAndStillRaiseTheEvent) {
    ControlFixture fx("cmd_prevnext");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(3)));
    ClasseTLista& mm = *fx.q->ListaMM();
    mm.setListIndex(0);
    mm.AggiornaPulsantiPilonda();
    struct Step {
        std::int16_t command;
        std::int32_t index;
    } steps[] = {{10, 0}, {11, 1}, {11, 2}, {11, 2}, {10, 1}};
    for (const auto& s : steps) {
        fx.q->setIsPulsanteAbilitato(s.command, true);  // the ends disable the button itself
        fx.q->setValorePulsante(s.command, 1);
        EXPECT_EQ(mm.ListIndex(), s.index);
        EXPECT_EQ(fx.Eventi(), Eventi{"PulsantePremuto(" + std::to_string(s.command) + ",0)"});
    }
    EXPECT_TRUE(fx.q->IsPulsanteAbilitato(10));
    EXPECT_TRUE(fx.q->IsPulsanteAbilitato(11));
}

TEST(QuindelComandi, PreviousAndNextMoveTheScrollBarOfALongList) {
    ControlFixture fx("cmd_scroll");
    const auto voci = Voci(40);
    const std::string file = fx.Lista("chunk.lst", voci, 0, 14);
    fx.q->InitChunk(true, 1, file, 40, 1);
    platform::VScrollBar& sb = *fx.q->FinestraLista(1).VScroll1();
    ASSERT_EQ(sb.Tag(), "V");
    EXPECT_EQ(sb.Value(), 1);
    fx.q->setValorePulsante(11, 1);
    EXPECT_EQ(sb.Value(), 2);
    fx.q->setValorePulsante(10, 1);
    fx.q->setValorePulsante(10, 1);
    EXPECT_EQ(sb.Value(), 1);
}

TEST(QuindelComandi, CompactAndRestoreGiveBackSizeButtonsAndAPlaceOnScreen) {
    ControlFixture fx("cmd_compact");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5, "DI")));
    fx.q->ListaMM()->setListIndex(0);
    fx.q->ListaMM()->AggiornaPulsantiPilonda();  // a drawing: the volume button is enabled
    fx.q->setIsPulsanteVisibile(5, false);
    fx.q->setValorePulsante(9, 1);
    fx.q->setValorePulsante(8, 1);
    fx.Eventi();
    fx.Clicca(13);
    EXPECT_EQ(fx.host->Width(), 580);
    EXPECT_EQ(fx.host->Height(), 810);
    EXPECT_FALSE(fx.FinestraLista(1).Visible());
    EXPECT_EQ(fx.q->ValorePulsante(9), 0);
    EXPECT_EQ(fx.q->ValorePulsante(8), 0);
    for (std::int16_t i = 2; i <= 17; ++i) EXPECT_FALSE(fx.q->IsPulsanteVisibile(i)) << i;
    EXPECT_TRUE(fx.q->IsPulsanteVisibile(1));
    EXPECT_EQ(fx.Eventi(),
              (Eventi{"PulsantePremuto(9,0)", "PulsantePremuto(8,0)", "PulsantePremuto(13,0)"}));
    // Dragged to the bottom right corner while compact: restoring pulls it back on screen.
    fx.host->Move(14500, 10000, 580, 810);
    fx.Clicca(1);
    EXPECT_EQ(fx.host->Width(), 9900);
    EXPECT_EQ(fx.host->Height(), 4500);
    EXPECT_EQ(fx.host->Left(), 1024 * 15 - 9900);
    EXPECT_EQ(fx.host->Top(), 768 * 15 - 4500);
    for (std::int16_t i = 2; i <= 17; ++i) EXPECT_EQ(fx.q->IsPulsanteVisibile(i), i != 5) << i;
    EXPECT_FALSE(fx.q->IsPulsanteVisibile(1));
    // Button 1 is gone from the strip: the slider follows button 8 to the left.
    EXPECT_EQ(fx.q->Sld_SliderAvanzamento().Left(), fx.B(8).X() + fx.B(8).Width());
    EXPECT_EQ(fx.Eventi(), Eventi{"PulsantePremuto(1,0)"});
}

TEST(QuindelComandi, RestoreBeforeAnyCompactKeepsThePanel) {
    ControlFixture fx("cmd_restore");
    fx.q->setValorePulsante(1, 1);
    EXPECT_EQ(fx.host->Width(), 9900);
    for (std::int16_t i = 2; i <= 17; ++i) EXPECT_TRUE(fx.q->IsPulsanteVisibile(i));
}

TEST(QuindelComandi, CloseUnloadsTheHostFormUnlessAskedNotTo) {
    struct Case {
        Variant arg;
        bool dontUnloadBefore;
        bool formSurvives;
    } cases[] = {{Variant::Missing(), false, false},
                 {Variant::Missing(), true, true},
                 {Variant(true), false, true},
                 {Variant(false), true, false}};
    for (const auto& c : cases) {
        ControlFixture fx("cmd_close");
        fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
        fx.q->setValorePulsante(9, 1);
        fx.q->setDontUnload(c.dontUnloadBefore);
        fx.Eventi();
        fx.q->Chiudi(c.arg);
        EXPECT_EQ(fx.host->Alive(), c.formSurvives);
        EXPECT_TRUE(fx.q->InChiusura());
        EXPECT_TRUE(fx.Eventi().empty());
        EXPECT_FALSE(fx.q->ToolTip().Caricato() && fx.q->ToolTip().frm().Visible());
        EXPECT_EQ(fx.p.api().LockedWindow(), 0);
        if (c.formSurvives) {
            // Still usable, but silent.
            fx.q->setValorePulsante(12, 1);
            EXPECT_TRUE(fx.Eventi().empty());
        } else {
            // After the close the panel has no buttons any more.
            EXPECT_THROW(fx.q->ValorePulsante(12), VbError);
        }
    }
}

TEST(QuindelComandi, DontUnloadSilencesEveryCommand) {
    ControlFixture fx("cmd_silent");
    fx.q->setDontUnload(true);
    for (std::int16_t i : {12, 13, 1, 17}) fx.q->setValorePulsante(i, 1);
    EXPECT_TRUE(fx.Eventi().empty());
}

TEST(QuindelComandi, ClosingTheOpenWindowsWithTheButtonsRaisesEvents) {
    ControlFixture fx("cmd_closeall");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
    fx.q->setValorePulsante(9, 1);
    fx.Eventi();
    fx.q->ChiudiTutteLeformAperte(Variant(false));
    EXPECT_EQ(fx.Eventi(), (Eventi{"PulsantePremuto(9,-1)", "PulsantePremuto(9,0)"}));
    EXPECT_FALSE(fx.FinestraLista(1).Visible());
    EXPECT_EQ(fx.q->ValorePulsante(9), 0);
    // Nothing open: only the tooltip is hidden.
    fx.q->ChiudiTutteLeformAperte();
    fx.q->ChiudiTutteLeformAperte(Variant(true));
    EXPECT_TRUE(fx.Eventi().empty());
}

TEST(QuindelComandi, ValueOnADisabledButtonSetsItAndRunsNothing) {
    ControlFixture fx("cmd_disabled");
    ASSERT_FALSE(fx.q->IsPulsanteAbilitato(6));
    fx.q->setValorePulsante(6, 1);
    EXPECT_EQ(fx.q->ValorePulsante(6), -1);
    EXPECT_TRUE(fx.Eventi().empty());
}

TEST(QuindelComandi, FromAButtonOntoTheSliderTheTipBecomesTheSlidersTip) {
    ControlFixture fx("cmd_slider_tip");
    const platform::PointPx c8 = fx.Centro(8);
    const platform::RectPx s = fx.q->Sld_SliderAvanzamento().ScreenRectPx();
    std::string tipOnButton, tipOnSlider;
    fx.p.Input().MoveTo(c8.x, c8.y).MoveTo((s.left + s.right) / 2, (s.top + s.bottom) / 2, 100);
    fx.p.Input().MoveTo(2, 2, 100);
    auto t = fx.p.NewTimer();
    int tick = 0;
    t->OnTimer = [&] {
        const std::string caption = fx.q->ToolTip().lbl_HelpButton().Caption();
        (++tick == 1 ? tipOnButton : tipOnSlider) = caption;
        if (tick == 2) t->setEnabled(false);
    };
    t->setInterval(50);
    fx.p.RunFor(300);
    EXPECT_EQ(tipOnButton, " " + fx.q->ToolTipPulsante(8) + " ");
    EXPECT_EQ(tipOnSlider, " " + LeggiMessaggio(fx.p.files(), 693) + " ");
}

TEST(QuindelComandi, AfterTerminaTheButtonsAreGoneAndTheListsLetGo) {
    ControlFixture fx("cmd_termina");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(5)));
    fx.q->Termina();
    EXPECT_THROW(fx.q->setValorePulsante(12, 1), VbError);
    EXPECT_EQ(fx.q->ListaMM()->PilondaPadre(), nullptr);
    EXPECT_FALSE(fx.q->ToolTip().Caricato());
    fx.p.RunFor(500);  // the timer is stopped: nothing runs against the released toolbar
    EXPECT_TRUE(fx.Eventi().empty());
}

TEST(QuindelComandi, AHostThatDropsItsFormLeavesAControlThatFailsCleanly) {
    ControlFixture fx("cmd_orphan");
    fx.q->setDontUnload(true);
    fx.host->Unload();
    fx.host.reset();
    EXPECT_THROW(fx.q->setValorePulsante(13, 1), VbError);
    fx.q->SpostaFormCollegate();
    fx.p.RunFor(300);
}

TEST(QuindelComandi, ClosingWithAClickEndsInsideTheHoverWaitWithoutHarm) {
    ControlFixture fx("cmd_click_close");
    fx.Clicca(14);
    EXPECT_FALSE(fx.host->Alive());
    EXPECT_TRUE(fx.q->InChiusura());
    EXPECT_TRUE(fx.Eventi().empty());
    EXPECT_EQ(fx.p.screen().MousePointer(), 0);
}
