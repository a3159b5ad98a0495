// The interactive movie control: frames at their own delays in virtual time, looping, Play,
// Stop and Rewind, AutoStart, pausing by a click, bad files, and a frame on screen.
#include <gtest/gtest.h>

#include "DisplayKitSupport.h"
#include "TestFolder.h"
#include "hostkit/movie/MovieControl.h"
#include "platform/GifWriter.h"
#include "runtime/Coercions.h"

namespace quindel::hostkit {
namespace {

using platform::MakeRgb;
using test::kTwips;

const platform::Rgba kColours[] = {MakeRgb(255, 0, 0), MakeRgb(0, 255, 0), MakeRgb(0, 0, 255)};

// Three 40 x 20 frames shown 100, 200 and 300 ms: a background of one colour each, and a white
// 8 x 8 square that moves 12 pixels right a frame, from (4, 6).
std::vector<std::uint8_t> ThreeFrames() {
    test::GifWriter gif(40, 20, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}});
    for (int i = 0; i < 3; ++i) {
        test::GifFrameSpec f;
        f.width = 40, f.height = 20, f.delayCs = 10 * (i + 1);
        f.indices.assign(40 * 20, std::uint8_t(i));
        for (int y = 6; y < 14; ++y)
            for (int x = 4 + 12 * i; x < 12 + 12 * i; ++x) f.indices[std::size_t(y * 40 + x)] = 3;
        gif.Add(f);
    }
    return gif.Bytes();
}

struct MovieStage : test::Stage {
    test::TestFolder folder{"moviecontrol"};
    std::shared_ptr<MovieControl> movie = p.NewChild<MovieControl>(*form);
    Object obj = movie;
    std::string path = (folder.path() / "MOVIE.GIF").string();

    MovieStage() {
        movie->Move(0, 0, 120 * kTwips, 80 * kTwips);
        test::WriteBytes(path, ThreeFrames());
    }
    std::int32_t Frame() { return CLng(CallMethod(obj, "GetCurrentFrame")); }
};

TEST(MovieControl, FramesFollowTheirDelaysAndLoop) {
    MovieStage s;
    LetProperty(s.obj, "AutoStart", false);
    EXPECT_EQ(s.Frame(), 0) << "no movie yet";
    LetProperty(s.obj, "SRC", s.path);
    s.p.RunFor(500);
    EXPECT_EQ(s.Frame(), 1) << "without AutoStart it waits for Play";
    CallMethod(s.obj, "Play");
    // Frame 1 for 100 ms, frame 2 for 200, frame 3 for 300, then frame 1 again.
    const struct {
        int afterMs;
        int frame;
    } timeline[] = {{99, 1}, {1, 2}, {199, 2}, {1, 3}, {299, 3}, {1, 1}, {100, 2}};
    for (const auto& t : timeline) {
        s.p.RunFor(t.afterMs);
        EXPECT_EQ(s.Frame(), t.frame) << "at +" << t.afterMs;
    }
    EXPECT_EQ(s.p.Grab(*s.movie).pixel(10, 40), kColours[1]);
}

TEST(MovieControl, PlayStopRewindAndAutoStart) {
    MovieStage s;
    LetProperty(s.obj, "AutoStart", true);
    LetProperty(s.obj, "SRC", s.path);
    s.p.RunFor(150);
    EXPECT_EQ(s.Frame(), 2) << "AutoStart plays at once";
    CallMethod(s.obj, "Stop");
    s.p.RunFor(1000);
    EXPECT_EQ(s.Frame(), 2);
    CallMethod(s.obj, "Rewind");
    EXPECT_EQ(s.Frame(), 1);
    s.p.RunFor(1000);
    EXPECT_EQ(s.Frame(), 1) << "rewound while stopped: stays stopped";
    CallMethod(s.obj, "Play");
    s.p.RunFor(150);
    CallMethod(s.obj, "Rewind");
    s.p.RunFor(99);
    EXPECT_EQ(s.Frame(), 1) << "rewound while playing: frame 1 gets its whole delay";
    s.p.RunFor(1);
    EXPECT_EQ(s.Frame(), 2);
}

TEST(MovieControl, AClickPausesAndAnotherResumes) {
    MovieStage s;
    LetProperty(s.obj, "AutoStart", true);
    LetProperty(s.obj, "SRC", s.path);
    s.p.Input().Click(60, 40, 150);
    s.p.RunFor(160);
    EXPECT_FALSE(s.movie->Playing());
    EXPECT_EQ(s.Frame(), 2);
    s.p.RunFor(1000);
    EXPECT_EQ(s.Frame(), 2);
    s.p.Input().Click(60, 40);
    s.p.RunFor(200);
    EXPECT_TRUE(s.movie->Playing());
    EXPECT_EQ(s.Frame(), 3);
}

TEST(MovieControl, ABadFileRaisesAndTheMovieGoesOn) {
    MovieStage s;
    LetProperty(s.obj, "AutoStart", true);
    LetProperty(s.obj, "SRC", s.path);
    test::WriteBytes(s.folder.path() / "bad.gif", std::string("GIF89a but nothing more"));
    // A canvas a single picture may have, but more than an animation may keep frames of.
    test::WriteBytes(s.folder.path() / "huge.gif",
                     test::GifWriter(4200, 4200, {{1, 2, 3}, {4, 5, 6}})
                         .Add({.width = 1, .height = 1, .indices = {0}})
                         .Bytes());
    for (const auto& [name, error] :
         {std::pair{"absent.gif", 53}, {"bad.gif", 321}, {"huge.gif", 321}}) {
        SCOPED_TRACE(name);
        const std::string file = (s.folder.path() / name).string();
        EXPECT_EQ(test::ErrorOf([&] { LetProperty(s.obj, "SRC", file); }), error);
        EXPECT_EQ(CStr(GetProperty(s.obj, "SRC")), s.path);
        EXPECT_TRUE(s.movie->Playing());
    }
    LetProperty(s.obj, "SRC", "");
    EXPECT_EQ(s.Frame(), 0);
    EXPECT_FALSE(s.movie->Playing());
}

TEST(MovieControl, AFrameFillsTheControlKeepingItsShape) {
    MovieStage s;
    LetProperty(s.obj, "SRC", s.path);
    CallMethod(s.obj, "Play");
    s.p.RunFor(350);  // frame 3
    const platform::Image shot = s.p.Grab(*s.movie);
    // 40 x 20 in 120 x 80: 120 x 60, from row 10 to row 69; the square three times as large.
    EXPECT_EQ(shot.pixel(60, 40), kColours[2]);
    EXPECT_EQ(shot.pixel(96, 40), MakeRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(82, 40), kColours[2]);
    EXPECT_EQ(shot.pixel(0, 10), kColours[2]);
    EXPECT_EQ(shot.pixel(119, 69), kColours[2]);
    EXPECT_EQ(shot.pixel(60, 9), MakeRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(60, 70), MakeRgb(0, 0, 0));
    EXPECT_TRUE(shot.savePng("hostkit_movie_frame.png"));
}

}  // namespace
}  // namespace quindel::hostkit
