// Virtual time, timers, scripted input and the stall limit of the headless backend.
#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/headless/HarnessError.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel::platform;
using quindel::headless::HarnessError;
using quindel::headless::HeadlessPlatform;

TEST(HeadlessLoop, TenVirtualMinutesOfA100msTimer) {
    HeadlessPlatform p;
    auto t = p.NewTimer();
    int ticks = 0;
    t->OnTimer = [&] { ++ticks; };
    t->setInterval(100);
    p.RunFor(10 * 60 * 1000);
    EXPECT_EQ(ticks, 6000);
    t->setEnabled(false);
    p.RunFor(1000);
    EXPECT_EQ(ticks, 6000);
}

TEST(HeadlessLoop, DoEventsJumpsToTheNextDueItem) {
    HeadlessPlatform p;
    auto t = p.NewTimer();
    int ticks = 0;
    t->OnTimer = [&] { ++ticks; };
    t->setInterval(2000);
    const auto start = p.NowMs();
    p.DoEvents();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(p.NowMs() - start, 2000);
}

TEST(HeadlessLoop, TimerDoesNotReenterItselfThroughNestedDoEvents) {
    HeadlessPlatform p;
    auto t = p.NewTimer();
    int depth = 0, maxDepth = 0, ticks = 0;
    t->OnTimer = [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        if (ticks == 1)
            for (int i = 0; i < 20; ++i) p.DoEvents();
        --depth;
    };
    t->setInterval(100);
    p.RunFor(100);
    EXPECT_EQ(maxDepth, 1);
}

TEST(HeadlessLoop, WaitForInputThatNeverComesIsAHarnessError) {
    HeadlessPlatform p;
    auto t = p.NewTimer();
    t->setInterval(100);  // a timer keeps the loop busy, yet no input ever arrives
    bool clicked = false;
    EXPECT_THROW(
        {
            while (!clicked) p.DoEvents();
        },
        HarnessError);
    EXPECT_FALSE(clicked);
}

TEST(HeadlessLoop, ScriptedClickReachesTheControlUnderThePointer) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    f->setBorderStyle(border::None);
    f->Move(1500, 1500, 3000, 3000);  // 100, 100 px on the screen
    auto pic = p.NewPictureBox(*f);
    pic->setBorderStyle(0);
    pic->Move(150, 300, 1500, 1500);  // 10, 20 px inside the form
    f->Show();
    std::vector<std::string> seen;
    pic->OnMouseDown = [&](const MouseArgs& a) {
        seen.push_back("down " + std::to_string(int(a.X)) + "," + std::to_string(int(a.Y)));
    };
    pic->OnMouseUp = [&](const MouseArgs& a) { seen.push_back("up " + std::to_string(a.Button)); };
    f->OnMouseDown = [&](const MouseArgs&) { seen.push_back("form down"); };
    p.Input().Click(115, 125, 50).Click(105, 105, 50);
    p.RunFor(200);
    EXPECT_EQ(seen, (std::vector<std::string>{"down 75,75", "up 1", "form down"}));
    EXPECT_EQ(p.screen().CursorPos(), (PointPx{105, 105}));
}

TEST(HeadlessLoop, CaptureKeepsMovesWithThePressedWindowAndDisabledWindowsDropInput) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    f->setBorderStyle(border::None);
    f->Move(0, 0, 6000, 6000);
    auto a = p.NewPictureBox(*f);
    a->Move(0, 0, 1500, 1500);
    auto b = p.NewPictureBox(*f);
    b->Move(3000, 0, 1500, 1500);
    f->Show();
    int aMoves = 0, bMoves = 0, bDowns = 0;
    a->OnMouseMove = [&](const MouseArgs& m) { aMoves += m.Button == 1; };
    b->OnMouseMove = [&](const MouseArgs&) { ++bMoves; };
    b->OnMouseDown = [&](const MouseArgs&) { ++bDowns; };
    p.Input().MoveTo(5, 5).Press().MoveTo(205, 5).Release().MoveTo(206, 5);
    p.Pump();
    EXPECT_EQ(aMoves, 1);
    EXPECT_EQ(bMoves, 1);
    b->setEnabled(false);
    p.Input().Press().Release();
    p.Pump();
    EXPECT_EQ(bDowns, 0);
}
