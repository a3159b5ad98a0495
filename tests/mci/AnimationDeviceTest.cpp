// The animation device in virtual time: frames at their own delays, the end of play as the panel
// waits for it, pause, seek, the child window and what closing leaves behind.
#include <string>
#include <vector>

#include "MciTestKit.h"
#include "platform/Timer.h"

namespace quindel::mci::test {
namespace {

class Animation : public MciHost {
  protected:
    void Open(const std::string& content) {
        ASSERT_EQ(Send(OpenCommand(Write("a.fake", content))), err::None);
    }
    int Position() { return std::stoi(Query("status mmmMAT position")); }
    platform::PictureBox& Child() {
        return static_cast<platform::PictureBox&>(*surface->Children().at(0));
    }
    // The frame the child shows, told by its colour; -1 for none of them.
    int ShownFrame() {
        const platform::Rgba c = Child().Surface().pixel(1, 1);
        for (int i = 0; i < 10; ++i)
            if (ColorOf(i) == c) return i;
        return -1;
    }
};

TEST_F(Animation, FramesFollowTheirOwnDelaysAndStopAtTheEnd) {
    Open("40x30: 100 200 50");
    EXPECT_EQ(ShownFrame(), 0);
    ASSERT_EQ(Send("play mmmMAT"), err::None);
    struct Step {
        int afterMs;  // since play
        int position;
        int frame;  // on screen, before any status query catches up
        std::string mode;
    };
    const std::vector<Step> steps = {
        {0, 0, 0, "playing"},   {99, 0, 0, "playing"},   {100, 1, 1, "playing"},
        {299, 1, 1, "playing"}, {300, 2, 2, "playing"},  {349, 2, 2, "playing"},
        {350, 3, 2, "stopped"}, {5000, 3, 2, "stopped"},
    };
    int now = 0;
    for (const Step& s : steps) {
        p.RunFor(s.afterMs - now);
        now = s.afterMs;
        EXPECT_EQ(ShownFrame(), s.frame) << s.afterMs;
        EXPECT_EQ(Position(), s.position) << s.afterMs;
        EXPECT_EQ(Query("status mmmMAT mode"), s.mode) << s.afterMs;
    }
    EXPECT_EQ(Query("status mmmMAT length"), "3");
    // The transparent corner shows the host surface's colour.
    EXPECT_EQ(Child().Surface().pixel(0, 0), surface->BackColor());
}

TEST_F(Animation, WaitingForPositionToReachLengthEnds) {
    Open("8x8: 100 100 100 100 100");
    ASSERT_EQ(Send("play mmmMAT"), err::None);
    const std::int64_t start = p.NowMs();
    const std::string length = Query("status mmmMAT length");
    int rounds = 0;
    while (Query("status mmmMAT position") != length && rounds < 10000) {
        p.DoEvents();
        ++rounds;
    }
    EXPECT_LT(rounds, 10000);
    EXPECT_EQ(p.NowMs() - start, 500);
}

TEST_F(Animation, PauseKeepsWhatIsLeftOfTheFrame) {
    Open("8x8: 100 100 100");
    Send("play mmmMAT");
    p.RunFor(150);
    ASSERT_EQ(Send("pause mmmMAT"), err::None);
    p.RunFor(1000);
    EXPECT_EQ(Position(), 1);
    EXPECT_EQ(Query("status mmmMAT mode"), "paused");
    ASSERT_EQ(Send("resume mmmMAT"), err::None);
    p.RunFor(49);
    EXPECT_EQ(Position(), 1);
    p.RunFor(1);
    EXPECT_EQ(Position(), 2);
    // Pause and play, as the panel's button does, goes on the same way.
    p.RunFor(30);
    Send("pause mmmMAT");
    Send("play mmmMAT");
    p.RunFor(69);
    EXPECT_EQ(Position(), 2);
    p.RunFor(1);
    EXPECT_EQ(Position(), 3);
}

TEST_F(Animation, SeekAndPlayRanges) {
    Open("8x8: 100 100 100 100");
    struct Step {
        std::string command;  // empty: let 100 ms pass
        int position;
        int frame;
        std::string mode;
    };
    const std::vector<Step> steps = {
        {"play mmmMAT", 0, 0, "playing"},
        {"seek mmmMAT to 2", 2, 2, "stopped"},
        {"", 2, 2, "stopped"},
        {"play mmmMAT", 2, 2, "playing"},
        {"", 3, 3, "playing"},
        {"seek mmmMAT to start", 0, 0, "stopped"},  // the panel's stop: rewind, then pause
        {"pause mmmMAT", 0, 0, "paused"},
        {"", 0, 0, "paused"},
        {"play mmmMAT from 1 to 2", 1, 1, "playing"},
        {"", 2, 2, "stopped"},
        {"seek mmmMAT to end", 4, 3, "stopped"},
        {"play mmmMAT", 0, 0, "playing"},  // at the end, play starts over
        {"", 1, 1, "playing"},
        {"stop mmmMAT", 1, 1, "stopped"},
        {"", 1, 1, "stopped"},
        {"resume mmmMAT", 1, 1, "playing"},
        {"", 2, 2, "playing"},
    };
    for (const Step& s : steps) {
        if (s.command.empty())
            p.RunFor(100);
        else
            EXPECT_EQ(Send(s.command), err::None) << s.command;
        const std::string where = s.command.empty() ? "after 100 ms" : s.command;
        EXPECT_EQ(Position(), s.position) << where;
        EXPECT_EQ(ShownFrame(), s.frame) << where;
        EXPECT_EQ(Query("status mmmMAT mode"), s.mode) << where;
    }
}

TEST_F(Animation, TheChildWindowHasTheAnimationsSizeInPixels) {
    p.screen().setMetrics({1024, 768, 12, 20});
    Open("64x48: 100");
    const std::string handle = Query("status mmmMAT window handle");
    ASSERT_EQ(std::to_string(Child().hWnd()), handle);
    platform::RectPx child, host;
    ASSERT_TRUE(p.api().GetWindowRect(std::stoi(handle), child));
    ASSERT_TRUE(p.api().GetWindowRect(surface->hWnd(), host));
    EXPECT_EQ(child.width(), 64);
    EXPECT_EQ(child.height(), 48);
    EXPECT_EQ(child.left, host.left + 1);  // inside the host surface's one-pixel border
    EXPECT_EQ(child.top, host.top + 1);
    EXPECT_TRUE(Child().IsShown());
    ASSERT_EQ(Send("window mmmMAT state hide"), err::None);
    EXPECT_FALSE(Child().Visible());
}

TEST_F(Animation, ClosingReleasesTheWindowAndTheTimer) {
    Open("8x8: 100 100 100");
    Send("play mmmMAT");
    const platform::Handle child = Child().hWnd();
    ASSERT_TRUE(p.timers().NextDeadline());
    ASSERT_EQ(Send("close mmmMAT"), err::None);
    EXPECT_EQ(p.FindWindow(child), nullptr);
    EXPECT_TRUE(surface->Children().empty());
    EXPECT_FALSE(p.timers().NextDeadline());
    EXPECT_EQ(Send("close mmmMAT"), err::InvalidDeviceName);

    // The interpreter going away closes what is still open.
    {
        CommandInterpreter other(p);
        RegisterAnimationDevice(other.types(), "mmmovie", {}, LoadFake);
        ASSERT_EQ(other.SendString(OpenCommand(folder.path().string() + "/a.fake"), nullptr, 0),
                  err::None);
        EXPECT_EQ(surface->Children().size(), 1u);
    }
    EXPECT_TRUE(surface->Children().empty());
}

TEST_F(Animation, TheHostWindowGoingFirstLeavesTheDeviceClosable) {
    Open("8x8: 100 100");
    Send("play mmmMAT");
    form->Unload();
    EXPECT_EQ(Send("status mmmMAT window handle"), err::NoWindow);
    p.RunFor(500);
    EXPECT_EQ(Query("status mmmMAT position"), "2");
    EXPECT_EQ(Send("close mmmMAT"), err::None);
}

}  // namespace
}  // namespace quindel::mci::test
