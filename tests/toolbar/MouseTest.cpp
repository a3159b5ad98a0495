// The toolbar under a scripted pointer: pressing, sliding off and back, releasing, the commands
// sent, the hover wait and where the tooltip goes.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "ToolbarFixture.h"
#include "platform/Label.h"
#include "platform/Timer.h"
#include "runtime/VbError.h"

using namespace quindel;
using namespace quindel::platform;
using quindel::test::ToolbarFixture;
namespace t = quindel::test;

namespace {

// 1, 2: a radio group; 3: a toggle; 4, 5: menu codes 0 and 12; 6, 7: plain, 7 with code -1.
void SevenButtons(ToolbarFixture& fx) {
    fx.Add(0, 0);
    fx.Add(0, 1);
    fx.Add(1, 2, true);
    fx.Add(2, 3, false, std::int16_t(0));
    fx.Add(2, 4, false, "12");
    fx.Add(3, 5);
    fx.Add(3, 6, false, std::int16_t(-1));
    fx.tb->ShowAllButtons();
}

// Plays a script of words 20 ms apart: "o2" moves over button 2, "c2" clicks it, "x" moves off
// every button, "d"/"u" press and release the left button, "D"/"U" the right one, "r" reports a
// left release away from the buttons straight to the toolbar.
void Play(ToolbarFixture& fx, const std::string& script) {
    std::istringstream words(script);
    for (std::string w; words >> w;) {
        auto& in = fx.p.Input();
        const PointPx at =
            w[0] == 'o' || w[0] == 'c' ? fx.Over(std::int16_t(std::stoi(w.substr(1)))) : fx.Off();
        if (w[0] == 'o' || w[0] == 'c' || w[0] == 'x') in.MoveTo(at.x, at.y, 20);
        if (w[0] == 'c') in.Press().Release();
        if (w[0] == 'd' || w[0] == 'D') in.Press(w[0] == 'd' ? 1 : 2, 20);
        if (w[0] == 'u' || w[0] == 'U') in.Release(w[0] == 'u' ? 1 : 2, 20);
        if (w[0] == 'r') {
            fx.p.RunFor(100);
            fx.tb->MouseUp(1, 0, float(300 * t::kTw), float(10 * t::kTw));
        }
    }
    fx.p.RunFor(2000);
}

// Logs when each pointer move reaches the toolbar and when it returns, in ms from now.
void LogMoves(ToolbarFixture& fx, std::vector<std::string>& log) {
    const auto start = fx.p.NowMs();
    fx.surface->OnMouseMove = [&fx, &log, start](const MouseArgs& a) {
        log.push_back("in " + std::to_string(fx.p.NowMs() - start));
        fx.tb->MouseMove(a.Button, a.Shift, a.X, a.Y);
        log.push_back("out " + std::to_string(fx.p.NowMs() - start));
    };
}

void MoveTo(ToolbarFixture& fx, PointPx at, std::int64_t afterMs = 0) {
    fx.p.Input().MoveTo(at.x, at.y, afterMs);
}

}  // namespace

TEST(ToolbarMouse, PressSlideOffSlideBackAndRelease) {
    ToolbarFixture fx;
    SevenButtons(fx);
    ClasseToolbar& tb = *fx.tb;
    Play(fx, "o2 d");
    EXPECT_EQ(tb.PulsanteAbbassato(), 2);
    EXPECT_EQ(tb.PulsanteIlluminato(), 2);
    EXPECT_EQ(tb.StatusAllaPressione(), 13);
    EXPECT_FALSE(tb.AttesaToolTip()) << "a press ends the hover wait";
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowLitDown, 1));

    Play(fx, "x");
    EXPECT_EQ(tb.PulsanteAbbassato(), 0);
    EXPECT_EQ(tb.PulsanteOrigine(), 2);
    EXPECT_EQ(tb.PulsanteIlluminato(), -1);
    EXPECT_FALSE(fx.tip.frm().Visible());
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowUp, 1));

    Play(fx, "o2");
    EXPECT_EQ(tb.PulsanteAbbassato(), 2);
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowDown, 1));
    EXPECT_TRUE(fx.tags.empty());

    Play(fx, "u");
    EXPECT_EQ(fx.tags, std::vector<std::string>{"2"});
    EXPECT_EQ(tb.PulsanteAbbassato(), 0);
    EXPECT_EQ(tb.PulsanteOrigine(), 0);
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowDown, 1));
}

TEST(ToolbarMouse, ScriptedSessionsSendTheExpectedCommands) {
    struct Case {
        std::string script;
        std::vector<std::string> tags;
        std::set<std::int16_t> down;
    } cases[] = {
        {"c1", {"1"}, {1}},
        {"c1 c2", {"1", "2"}, {2}},               // the group's other button comes up
        {"c2 c2", {"2"}, {2}},                    // a radio button already in ignores presses
        {"c3 c3", {"3", "3"}, {}},                // a toggle sends going in and coming out
        {"c4 c5 c7", {"0", "-12", "7"}, {5, 7}},  // menu codes go negated; -1 sends the index
        {"o1 d x u", {}, {}},                     // released after sliding off
        {"o1 d r", {}, {}},                       // a release reported away from the button
        {"o2 d D U u", {"2"}, {2}},               // a right press releases the left one
        {"o2 D U", {}, {}},                       // a right click alone is no press
    };
    for (const auto& c : cases) {
        ToolbarFixture fx;
        SevenButtons(fx);
        Play(fx, c.script + " x");
        EXPECT_EQ(fx.tags, c.tags) << c.script;
        EXPECT_EQ(fx.Down(), c.down) << c.script;
        EXPECT_EQ(fx.tb->PulsanteAbbassato(), 0) << c.script;
        EXPECT_TRUE(fx.p.Boxes().Shown().empty()) << c.script;
    }
}

TEST(ToolbarMouse, DisabledButtonsLightAndShowTheirTipButIgnorePresses) {
    ToolbarFixture fx;
    SevenButtons(fx);
    fx.tb->setButtonEnabled(6, false);
    Play(fx, "c6");
    EXPECT_EQ(fx.tb->PulsanteIlluminato(), 6);
    EXPECT_EQ(fx.Area(6), fx.Cell(t::kRowDisabled, 5));
    EXPECT_TRUE(fx.tip.frm().Visible());
    EXPECT_EQ(fx.tip.lbl_HelpButton().Caption(), " Tip6 ");
    EXPECT_EQ(fx.tb->PulsanteAbbassato(), 0);
    EXPECT_TRUE(fx.tags.empty());
}

TEST(ToolbarMouse, TheHoverWaitEndsWhenThePointerLeaves) {
    ToolbarFixture fx;
    SevenButtons(fx);
    std::vector<std::string> log;
    LogMoves(fx, log);
    MoveTo(fx, fx.Over(2));
    MoveTo(fx, fx.Over(2, 4), 300);
    MoveTo(fx, fx.Off(), 300);
    fx.p.RunFor(1000);
    // Later moves come and go inside the first one's wait, which ends with the move that leaves.
    EXPECT_EQ(log, (std::vector<std::string>{"in 0", "in 300", "out 300", "in 600", "out 600",
                                             "out 600"}));
    EXPECT_FALSE(fx.tb->AttesaToolTip());
    EXPECT_EQ(fx.tb->PulsanteIlluminato(), -1);
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowUp, 1));
}

// A pointer may leave the lit button for another button, the strip's empty part, or straight for
// another window, which the strip hears nothing of: the light and the tip go all the same.
TEST(ToolbarMouse, LeavingTheButtonAnyWayEndsTheWaitAndItsTip) {
    struct Case {
        const char* name;
        std::vector<PointPx> (*path)(const ToolbarFixture&);  // 300 ms apart after the button
        std::int16_t lit;
        bool tip;
    } cases[] = {
        // The move that ends the first wait lights nothing; the next one lights the new button.
        {"another button",
         [](const ToolbarFixture& fx) {
             return std::vector<PointPx>{fx.Over(4), fx.Over(4, 1)};
         },
         4, true},
        {"the strip off the buttons",
         [](const ToolbarFixture& fx) { return std::vector<PointPx>{fx.Off()}; }, -1, false},
        {"another window",
         [](const ToolbarFixture&) {
             return std::vector<PointPx>{{900, 700}};
         },
         -1, false},
    };
    for (const Case& c : cases) {
        ToolbarFixture fx;
        SevenButtons(fx);
        const std::vector<PointPx> path = c.path(fx);
        std::int16_t lit = 0;
        bool tip = false;
        auto look = fx.p.NewTimer();  // runs inside whatever wait is on then
        look->OnTimer = [&] {
            look->setEnabled(false);
            lit = fx.tb->PulsanteIlluminato();
            tip = fx.tip.frm().Visible();
        };
        look->setInterval(std::int32_t(300 * path.size() + 150));
        MoveTo(fx, fx.Over(2));
        for (const PointPx& at : path) MoveTo(fx, at, 300);
        MoveTo(fx, {1000, 760}, 300);  // away, ending a wait the path began
        fx.p.RunFor(300 * std::int64_t(path.size()) + 1000);
        EXPECT_EQ(lit, c.lit) << c.name;
        EXPECT_EQ(tip, c.tip) << c.name;
        EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowUp, 1)) << c.name;
        EXPECT_FALSE(fx.tb->AttesaToolTip()) << c.name;
    }
}

TEST(ToolbarMouse, AHiddenTipComesBackOnlyAfterHalfASecond) {
    ToolbarFixture fx;
    SevenButtons(fx);
    auto hider = fx.p.NewTimer();
    hider->OnTimer = [&] {
        fx.tip.frm().Hide();
        hider->setEnabled(false);
    };
    hider->setInterval(200);
    std::vector<bool> visible;
    fx.surface->OnMouseMove = [&](const MouseArgs& a) {
        visible.push_back(fx.tip.frm().Visible());
        fx.tb->MouseMove(a.Button, a.Shift, a.X, a.Y);
    };
    MoveTo(fx, fx.Over(2));
    for (std::int64_t gap : {300, 150, 150, 100}) MoveTo(fx, fx.Over(2, 1), gap);  // 300..700
    MoveTo(fx, fx.Off(), 100);
    fx.p.RunFor(1500);
    // Hidden at 200, back once half a second has passed: the move at 600 finds it shown, though
    // no event came between 450 and 600 to wake the wait.
    EXPECT_EQ(visible, (std::vector<bool>{false, false, false, true, true, true}));
}

TEST(ToolbarMouse, AnErrorDuringTheHoverWaitIsReportedAndRetryWaitsAgain) {
    struct Case {
        std::int16_t answer;
        std::vector<std::string> log;
    } cases[] = {{mb::Retry, {"in 0", "in 300", "out 300", "out 300"}},
                 {mb::Cancel, {"in 0", "out 100", "in 300", "out 300"}}};
    for (const auto& c : cases) {
        ToolbarFixture fx;
        SevenButtons(fx);
        auto failing = fx.p.NewTimer();  // runs inside the wait's event processing
        failing->OnTimer = [&] {
            failing->setEnabled(false);
            throw VbError(71);
        };
        failing->setInterval(100);
        fx.p.Boxes().QueueAnswer(c.answer);
        std::vector<std::string> log;
        LogMoves(fx, log);
        MoveTo(fx, fx.Over(3));
        MoveTo(fx, fx.Off(), 300);
        fx.p.RunFor(1000);
        ASSERT_EQ(fx.p.Boxes().Shown().size(), 1u) << c.answer;
        EXPECT_EQ(fx.p.Boxes().Shown()[0].text.rfind("MouseMove\r71\r", 0), 0u);
        EXPECT_EQ(log, c.log) << c.answer;
    }
}

TEST(ToolbarMouse, TheTipStaysOnTheScreenAndLeavesTheFocusAlone) {
    ToolbarFixture fx;
    const Form& f = fx.tip.frm();
    fx.tb->ShowToolTip("Stop");
    const int W = f.Width();
    ASSERT_GT(W, 0);
    struct Case {
        PointPx cursor;
        int left, top;
    } cases[] = {
        {{500, 300}, 502 * t::kTw - W / 2, 318 * t::kTw},
        {{500, 760}, 502 * t::kTw - W / 2, 742 * t::kTw},       // bottom: above the cursor
        {{0, 300}, t::kTw, 318 * t::kTw},                       // left edge: one pixel in
        {{1020, 10}, 1024 * t::kTw - W - t::kTw, 28 * t::kTw},  // right edge
        {{1023, 767}, 1024 * t::kTw - W - t::kTw, 749 * t::kTw},
    };
    for (const auto& c : cases) {
        fx.tip.frm().Hide();
        fx.p.screen().setCursorPos(c.cursor);
        fx.tb->ShowToolTip("Stop");
        EXPECT_EQ(f.Left(), c.left) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(f.Top(), c.top) << c.cursor.x << "," << c.cursor.y;
        EXPECT_TRUE(f.Visible() && f.Enabled());
        EXPECT_EQ(fx.p.Forms().back(), &f) << "in front";
        EXPECT_EQ(fx.p.ActiveForm(), fx.form.get()) << "the host keeps the focus";
    }
}

TEST(ToolbarMouse, DemoPictureOfALitButtonWithItsTip) {
    ToolbarFixture fx;
    SevenButtons(fx);
    Image shot;
    auto camera = fx.p.NewTimer();
    camera->OnTimer = [&] {
        shot = fx.p.GrabScreen().copy(t::kFormX - 8, t::kFormY - 8, 520, 80);
        camera->setEnabled(false);
    };
    camera->setInterval(100);
    MoveTo(fx, fx.Over(5));
    MoveTo(fx, fx.Off(), 300);
    fx.p.RunFor(1000);
    ASSERT_FALSE(shot.empty());
    EXPECT_TRUE(shot.savePng("toolbar_demo.png"));
}
