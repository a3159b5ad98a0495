// The toolbar under a scripted pointer: pressing, sliding off and back, releasing, the commands
// sent, the hover wait and where the tooltip goes.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "ToolbarFixture.h"
#include "platform/Label.h"
#include "platform/Timer.h"
#include "runtime/VbError.h"

using namespace quindel;
using namespace quindel::platform;
using quindel::test::ToolbarFixture;
namespace t = quindel::test;

namespace {
const Variant M = Variant::Missing();

void Click(ToolbarFixture& fx, std::int16_t index) {
    const PointPx at = fx.Over(index);
    fx.p.Input().MoveTo(at.x, at.y, 20).Press().Release();
}

void MoveTo(ToolbarFixture& fx, PointPx at, std::int64_t afterMs = 0) {
    fx.p.Input().MoveTo(at.x, at.y, afterMs);
}

std::set<std::int16_t> DownButtons(ClasseToolbar& tb) {
    std::set<std::int16_t> down;
    for (std::int16_t i = 1; i <= tb.MaxButton(); ++i)
        if (tb.CercaPulsante(i) && tb.ButtonDown(i)) down.insert(i);
    return down;
}

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
}  // namespace

TEST(ToolbarMouse, PressSlideOffSlideBackAndRelease) {
    ToolbarFixture fx;
    SevenButtons(fx);
    ClasseToolbar& tb = *fx.tb;
    MoveTo(fx, fx.Over(2));
    fx.p.Input().Press();
    fx.p.RunFor(100);
    EXPECT_EQ(tb.PulsanteAbbassato(), 2);
    EXPECT_EQ(tb.PulsanteOrigine(), 2);
    EXPECT_EQ(tb.PulsanteIlluminato(), 2);
    EXPECT_EQ(tb.StatusAllaPressione(), 13);
    EXPECT_FALSE(tb.AttesaToolTip()) << "a press ends the hover wait";
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowLitDown, 1));

    MoveTo(fx, fx.Off());
    fx.p.RunFor(100);
    EXPECT_EQ(tb.PulsanteAbbassato(), 0);
    EXPECT_EQ(tb.PulsanteOrigine(), 2);
    EXPECT_EQ(tb.PulsanteIlluminato(), -1);
    EXPECT_FALSE(tb.ButtonDown(2));
    EXPECT_FALSE(fx.tip.frm().Visible());
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowUp, 1));

    MoveTo(fx, fx.Over(2, 3));
    fx.p.RunFor(100);
    EXPECT_EQ(tb.PulsanteAbbassato(), 2);
    EXPECT_TRUE(tb.ButtonDown(2));
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowDown, 1));
    EXPECT_TRUE(fx.tags.empty());

    fx.p.Input().Release();
    fx.p.RunFor(100);
    EXPECT_EQ(fx.tags, std::vector<std::string>{"2"});
    EXPECT_EQ(tb.PulsanteAbbassato(), 0);
    EXPECT_EQ(tb.PulsanteOrigine(), 0);
    EXPECT_TRUE(tb.ButtonDown(2));
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowDown, 1));
}

TEST(ToolbarMouse, ScriptedSessionsSendTheExpectedCommands) {
    struct Case {
        const char* name;
        std::function<void(ToolbarFixture&)> script;
        std::vector<std::string> tags;
        std::set<std::int16_t> down;
    } cases[] = {
        {"a click presses a radio button in", [](ToolbarFixture& fx) { Click(fx, 1); }, {"1"}, {1}},
        {"the next one in the group pulls it up",
         [](ToolbarFixture& fx) {
             Click(fx, 1);
             Click(fx, 2);
         },
         {"1", "2"},
         {2}},
        {"a radio button already in ignores presses",
         [](ToolbarFixture& fx) {
             Click(fx, 2);
             Click(fx, 2);
         },
         {"2"},
         {2}},
        {"a toggle sends going in and coming out",
         [](ToolbarFixture& fx) {
             Click(fx, 3);
             Click(fx, 3);
         },
         {"3", "3"},
         {}},
        {"menu codes go negated, -1 sends the index",
         [](ToolbarFixture& fx) {
             Click(fx, 4);
             Click(fx, 5);
             Click(fx, 7);
         },
         {"0", "-12", "7"},
         {5, 7}},
        {"released after sliding off: nothing",
         [](ToolbarFixture& fx) {
             MoveTo(fx, fx.Over(1));
             fx.p.Input().Press();
             MoveTo(fx, fx.Off(), 20);
             fx.p.Input().Release();
         },
         {},
         {}},
        {"a release reported away from the button: nothing",
         [](ToolbarFixture& fx) {
             MoveTo(fx, fx.Over(1));
             fx.p.Input().Press();
             fx.p.RunFor(100);
             fx.tb->MouseUp(1, 0, float(300 * t::kTw), float(10 * t::kTw));
             EXPECT_EQ(fx.tb->PulsanteAbbassato(), 0);
             EXPECT_EQ(fx.Area(1), fx.Cell(t::kRowLitUp, 0));
         },
         {},
         {}},
        {"a right press releases the left one",
         [](ToolbarFixture& fx) {
             MoveTo(fx, fx.Over(2));
             fx.p.Input().Press(1).Press(2, 20).Release(2, 20).Release(1, 20);
         },
         {"2"},
         {2}},
        {"a right click alone is no press",
         [](ToolbarFixture& fx) {
             MoveTo(fx, fx.Over(2));
             fx.p.Input().Press(2).Release(2);
         },
         {},
         {}},
    };
    for (const auto& c : cases) {
        ToolbarFixture fx;
        SevenButtons(fx);
        c.script(fx);
        MoveTo(fx, fx.Off(), 20);  // the pointer leaves: no hover wait outlives the script
        fx.p.RunFor(2000);
        EXPECT_EQ(fx.tags, c.tags) << c.name;
        EXPECT_EQ(DownButtons(*fx.tb), c.down) << c.name;
        EXPECT_EQ(fx.tb->PulsanteAbbassato(), 0) << c.name;
        EXPECT_TRUE(fx.p.Boxes().Shown().empty()) << c.name;
    }
}

TEST(ToolbarMouse, DisabledButtonsLightAndShowTheirTipButIgnorePresses) {
    ToolbarFixture fx;
    SevenButtons(fx);
    fx.tb->setButtonEnabled(6, false);
    Click(fx, 6);
    fx.p.RunFor(200);
    EXPECT_EQ(fx.tb->PulsanteIlluminato(), 6);
    EXPECT_EQ(fx.tb->Button(6).Status(), 12);
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
    const auto start = fx.p.NowMs();
    auto forward = fx.surface->OnMouseMove;
    fx.surface->OnMouseMove = [&](const MouseArgs& a) {
        log.push_back("in " + std::to_string(fx.p.NowMs() - start));
        forward(a);
        log.push_back("out " + std::to_string(fx.p.NowMs() - start));
    };
    MoveTo(fx, fx.Over(2));
    MoveTo(fx, fx.Over(2, 4), 300);
    MoveTo(fx, fx.Off(), 300);
    fx.p.RunFor(1000);
    // The first move waits; later moves over the same button come and go inside the wait, which
    // ends with the move that leaves.
    EXPECT_EQ(log, (std::vector<std::string>{"in 0", "in 300", "out 300", "in 600", "out 600",
                                             "out 600"}));
    EXPECT_FALSE(fx.tb->AttesaToolTip());
    EXPECT_EQ(fx.tb->PulsanteIlluminato(), -1);
    EXPECT_FALSE(fx.tip.frm().Visible());
    EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowUp, 1));
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
    auto forward = fx.surface->OnMouseMove;
    fx.surface->OnMouseMove = [&](const MouseArgs& a) {
        visible.push_back(fx.tip.frm().Visible());
        forward(a);
    };
    MoveTo(fx, fx.Over(2));
    for (std::int64_t gap : {300, 150, 150, 100}) MoveTo(fx, fx.Over(2, 1), gap);  // 300..700
    MoveTo(fx, fx.Off(), 100);
    fx.p.RunFor(1500);
    EXPECT_EQ(visible, (std::vector<bool>{false, false, false, false, true, true}));
}

TEST(ToolbarMouse, ATipSwitchedOffGoesOffTheScreen) {
    ToolbarFixture fx;
    SevenButtons(fx);
    fx.tb->setButtonDown(2, true);
    fx.tb->Button(2).setToolTipEnabled(false);
    MoveTo(fx, fx.Over(2));
    MoveTo(fx, fx.Off(), 700);
    fx.p.RunFor(1000);
    const Form& f = fx.tip.frm();
    EXPECT_EQ(f.Left(), -f.Width());
    EXPECT_TRUE(fx.tags.empty());
}

TEST(ToolbarMouse, TheTipStaysOnTheScreenAndLeavesTheFocusAlone) {
    ToolbarFixture fx;
    ClasseToolbar& tb = *fx.tb;
    const Form& f = fx.tip.frm();
    fx.p.screen().setCursorPos({500, 300});
    tb.ShowToolTip("Stop");
    const int W = f.Width(), H = f.Height();
    ASSERT_GT(W, 0);
    EXPECT_EQ(fx.tip.lbl_HelpButton().Width(), W);
    EXPECT_EQ(fx.tip.lbl_HelpButton().Height(), H);
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
        tb.ShowToolTip("Stop");
        EXPECT_EQ(f.Left(), c.left) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(f.Top(), c.top) << c.cursor.x << "," << c.cursor.y;
        EXPECT_TRUE(f.Visible());
        EXPECT_TRUE(f.Enabled());
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

TEST(ToolbarMouse, AnErrorDuringTheHoverWaitIsReportedAndRetryWaitsAgain) {
    struct Case {
        std::int16_t answer;
        std::int64_t waitEndsAt;
    } cases[] = {{mb::Retry, 300}, {mb::Cancel, 100}};
    for (const auto& c : cases) {
        ToolbarFixture fx;
        SevenButtons(fx);
        // Something run by the wait's event processing fails with a retryable error.
        auto failing = fx.p.NewTimer();
        failing->OnTimer = [&] {
            failing->setEnabled(false);
            throw VbError(71);
        };
        failing->setInterval(100);
        fx.p.Boxes().QueueAnswer(c.answer);
        const auto start = fx.p.NowMs();
        std::int64_t endedAt = -1;
        auto forward = fx.surface->OnMouseMove;
        fx.surface->OnMouseMove = [&](const MouseArgs& a) {
            const bool first = endedAt < 0;
            forward(a);
            if (first && endedAt < 0) endedAt = fx.p.NowMs() - start;
        };
        MoveTo(fx, fx.Over(3));
        MoveTo(fx, fx.Off(), 300);
        fx.p.RunFor(1000);
        const auto& shown = fx.p.Boxes().Shown();
        ASSERT_EQ(shown.size(), 1u) << c.answer;
        EXPECT_EQ(shown[0].text.rfind("MouseMove\r71\r", 0), 0u) << shown[0].text;
        EXPECT_EQ(endedAt, c.waitEndsAt) << c.answer;
    }
}
