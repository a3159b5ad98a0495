// The tooltip window: loads on first use, takes its label's size, hides when the pointer reaches
// it; without a catalogue, no empty square and one report.
#include <gtest/gtest.h>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/headless/HeadlessPlatform.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

using namespace quindel;
using namespace quindel::platform;

TEST(frm_NomeDeiPulsanti, LoadsOnUseFollowsItsCaptionAndHidesUnderThePointer) {
    headless::HeadlessPlatform p;
    frm_NomeDeiPulsanti tip(p);
    EXPECT_FALSE(tip.Caricato());
    tip.lbl_HelpButton().setCaption(" A longer name ");
    EXPECT_TRUE(tip.Caricato());
    const SizePx text = p.MeasureText(" A longer name ");
    EXPECT_EQ(tip.frm().Width(), (text.width + 2) * 15);  // the label's single border
    EXPECT_EQ(tip.frm().Height(), (text.height + 2) * 15);
    // Over the label, then over the bare form (grown past its label).
    for (const PointPx at : {PointPx{102, 102}, PointPx{100 + text.width + 10, 102}}) {
        tip.frm().Move(1500, 1500, 3000, 1500);
        tip.frm().Show();
        p.Input().MoveTo(at.x, at.y);
        p.RunFor(10);
        EXPECT_FALSE(tip.frm().Visible()) << at.x;
    }
    const Handle first = tip.frm().hWnd();
    tip.Unload();
    EXPECT_FALSE(tip.Caricato());
    EXPECT_EQ(p.FindWindow(first), nullptr);
    EXPECT_NE(tip.frm().hWnd(), first) << "used again, it loads afresh";
}

// Without a catalogue the buttons have no names: the panel says so once when it is made (not
// again for a second panel of the same host), and resting on a button shows no empty square.
TEST(frm_NomeDeiPulsanti, WithoutACatalogueNoEmptySquareAndOneReport) {
    headless::HeadlessPlatform p;
    const test::TestFolder empty{"quindel_tip_no_catalogue"};
    p.files().setComponentFolder((empty.path() / "lib").string());
    auto host = p.NewForm();
    host->Move(1500, 1500, 9900, 4500);
    const auto q = Quindel::Crea(p, *host);
    q->Finestra().Move(0, 0, 9600, 600);
    host->Show();
    ASSERT_EQ(p.Boxes().Shown().size(), 1u);
    EXPECT_NE(p.Boxes().Shown()[0].text.find("Quindel.bin"), std::string::npos);
    auto other = p.NewForm();
    const auto second = Quindel::Crea(p, *other);
    EXPECT_EQ(p.Boxes().Shown().size(), 1u) << "once for the host";

    q->setToolTipPulsante(5, "Nazwa");  // a host may still name a button itself
    const struct {
        std::int16_t pulsante;
        bool suggerimento;
    } casi[] = {{2, false}, {5, true}, {14, false}};
    for (const auto& c : casi) {
        const ClassePulsante& b = q->Toolbar().Button(c.pulsante);
        const RectPx r = q->pic_ToolbarMain().ScreenRectPx();
        frm_NomeDeiPulsanti& tip = q->ToolTip();
        bool mostrato = false;
        // Looked at while the pointer rests, well past the tooltip's delay.
        const auto guarda = p.NewTimer();
        guarda->OnTimer = [&] {
            guarda->setEnabled(false);
            mostrato = tip.Caricato() && tip.frm().IsShown();
        };
        guarda->setInterval(1200);
        p.Input()
            .MoveTo(r.left + (b.X() + b.Width() / 2) / 15, r.top + (b.Y() + b.height() / 2) / 15)
            .MoveTo(2, 2, 1500);
        p.RunFor(1700);
        EXPECT_EQ(mostrato, c.suggerimento) << c.pulsante;
    }
    second->Termina();
    q->Termina();
}
