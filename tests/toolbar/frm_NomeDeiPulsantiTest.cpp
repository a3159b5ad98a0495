// The tooltip window: loads on first use, takes its label's size, hides when the pointer reaches
// it.
#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/headless/HeadlessPlatform.h"
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
