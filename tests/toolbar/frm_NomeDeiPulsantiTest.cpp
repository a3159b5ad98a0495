// The tooltip window: loads on first use, takes its label's size, hides when the pointer reaches
// it.
#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/headless/HeadlessPlatform.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

using namespace quindel;
using namespace quindel::platform;

TEST(frm_NomeDeiPulsanti, LoadsOnFirstUseAndUnloadsOnDemand) {
    headless::HeadlessPlatform p;
    frm_NomeDeiPulsanti tip(p);
    EXPECT_FALSE(tip.Caricato());
    EXPECT_TRUE(p.Forms().empty());
    Label& label = tip.lbl_HelpButton();
    EXPECT_TRUE(tip.Caricato());
    EXPECT_FALSE(tip.frm().Visible());
    EXPECT_EQ(tip.frm().BorderStyle(), border::None);
    EXPECT_EQ(label.BorderStyle(), 1);
    EXPECT_EQ(label.BackColor(), MakeRgb(255, 255, 225));
    const Handle first = tip.frm().hWnd();
    tip.Load();
    EXPECT_EQ(tip.frm().hWnd(), first) << "loading twice keeps the window";
    tip.Unload();
    EXPECT_FALSE(tip.Caricato());
    EXPECT_EQ(p.FindWindow(first), nullptr);
    EXPECT_NE(tip.frm().hWnd(), first) << "used again, it loads afresh";
}

TEST(frm_NomeDeiPulsanti, TheWindowFollowsTheSizeOfItsCaption) {
    headless::HeadlessPlatform p;
    frm_NomeDeiPulsanti tip(p);
    for (const char* text : {" Play ", " A much longer name of a button ", " x "}) {
        tip.lbl_HelpButton().setCaption(text);
        const SizePx s = p.MeasureText(text);
        EXPECT_EQ(tip.frm().Width(), (s.width + 2) * 15) << text;
        EXPECT_EQ(tip.frm().Height(), (s.height + 2) * 15) << text;
    }
}

TEST(frm_NomeDeiPulsanti, ThePointerOnTheWindowOrAClickHidesIt) {
    struct Case {
        const char* what;
        int dx;  // from the window's left edge, in pixels
        bool click;
    } cases[] = {{"over the label", 3, false}, {"label clicked", 3, true}};
    for (const auto& c : cases) {
        headless::HeadlessPlatform p;
        frm_NomeDeiPulsanti tip(p);
        tip.lbl_HelpButton().setCaption(" Stop ");
        tip.frm().Move(1500, 1500, tip.frm().Width(), tip.frm().Height());
        tip.frm().Show();
        if (c.click) {
            tip.lbl_HelpButton().OnClick();
        } else {
            p.Input().MoveTo(100 + c.dx, 102);
            p.RunFor(10);
        }
        EXPECT_FALSE(tip.frm().Visible()) << c.what;
    }
    // The form itself, where the label does not cover it.
    headless::HeadlessPlatform p;
    frm_NomeDeiPulsanti tip(p);
    tip.frm().Move(0, 0, 3000, 3000);
    tip.frm().Show();
    p.Input().MoveTo(150, 150);
    p.RunFor(10);
    EXPECT_FALSE(tip.frm().Visible());
}
