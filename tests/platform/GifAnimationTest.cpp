// Animated GIFs: composition with each disposal method, transparency, interlace, palettes,
// timing and loop counts, budgets and files cut short.
#include <gtest/gtest.h>

#include "GifWriter.h"
#include "platform/GifAnimation.h"

using namespace quindel::platform;
using quindel::test::GifColour;
using quindel::test::GifFrameSpec;
using quindel::test::GifWriter;

namespace {

const std::vector<GifColour> kPalette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
constexpr Rgba kRed = MakeRgb(255, 0, 0), kGreen = MakeRgb(0, 255, 0), kBlue = MakeRgb(0, 0, 255),
               kWhite = MakeRgb(255, 255, 255);

GifFrameSpec Solid(int left, int top, int w, int h, std::uint8_t index) {
    GifFrameSpec f;
    f.left = left;
    f.top = top;
    f.width = w;
    f.height = h;
    f.indices.assign(std::size_t(w * h), index);
    return f;
}

GifAnimation Decoded(const std::vector<std::uint8_t>& bytes) {
    std::string error;
    auto gif = GifAnimation::Decode(bytes, &error);
    EXPECT_TRUE(gif) << error;
    return std::move(*gif);
}

}  // namespace

TEST(GifAnimation, DisposalDecidesWhatTheNextFrameDrawsOver) {
    struct Case {
        int disposal;
        Rgba underSecond;  // where frame 1 stood, once frame 2 is shown
    } cases[] = {{0, kGreen}, {1, kGreen}, {2, 0}, {3, kRed}, {4, kRed}, {5, kGreen}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.disposal);
        GifFrameSpec second = Solid(1, 1, 2, 2, 1);
        second.disposal = c.disposal;
        const auto bytes = GifWriter(4, 4, kPalette)
                               .Add(Solid(0, 0, 4, 4, 0))
                               .Add(second)
                               .Add(Solid(3, 3, 1, 1, 2))
                               .Bytes();
        GifAnimation gif = Decoded(bytes);
        ASSERT_EQ(gif.FrameCount(), 3);
        EXPECT_EQ(gif.Frame(1).pixel(1, 1), kGreen);
        const Image& last = gif.Frame(2);
        EXPECT_EQ(last.pixel(1, 1), c.underSecond);
        EXPECT_EQ(last.pixel(2, 2), c.underSecond);
        EXPECT_EQ(last.pixel(0, 0), kRed);
        EXPECT_EQ(last.pixel(3, 3), kBlue);
    }
}

TEST(GifAnimation, TransparentIndexLeavesTheCanvasAndSeekingBackComposesAgain) {
    GifFrameSpec holey = Solid(0, 0, 2, 1, 1);
    holey.indices = {1, 3};
    holey.transparent = 3;
    GifFrameSpec first = Solid(0, 0, 2, 1, 3);
    first.indices = {3, 0};
    first.transparent = 3;
    first.disposal = 1;
    GifAnimation gif = Decoded(GifWriter(2, 1, kPalette).Add(first).Add(holey).Bytes());
    EXPECT_EQ(gif.Frame(0).pixel(0, 0), Rgba(0)) << "nothing drawn yet: transparent";
    EXPECT_EQ(gif.Frame(0).pixel(1, 0), kRed);
    const Image second = gif.Frame(1);
    EXPECT_EQ(second.pixel(0, 0), kGreen);
    EXPECT_EQ(second.pixel(1, 0), kRed) << "a transparent pixel shows what was under it";
    EXPECT_EQ(gif.Frame(0).pixel(0, 0), Rgba(0));
    EXPECT_EQ(gif.Frame(1), second);
    EXPECT_EQ(gif.Frame(99), second) << "indices clamp";
    EXPECT_EQ(gif.Frame(-5).pixel(0, 0), Rgba(0));
}

TEST(GifAnimation, InterlacedRowsLandInDisplayOrder) {
    std::vector<GifColour> ramp;
    for (int i = 0; i < 16; ++i) ramp.push_back({std::uint8_t(i * 10), 0, 0});
    for (int height : {1, 2, 3, 5, 8, 11, 16}) {
        SCOPED_TRACE(height);
        GifFrameSpec f = Solid(0, 0, 3, height, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 3; ++x) f.indices[std::size_t(y * 3 + x)] = std::uint8_t(y);
        f.interlaced = true;
        GifAnimation gif = Decoded(GifWriter(3, height, ramp).Add(f).Bytes());
        for (int y = 0; y < height; ++y) EXPECT_EQ(gif.Frame(0).pixel(2, y), MakeRgb(y * 10, 0, 0));
    }
}

TEST(GifAnimation, PalettesAndFramesReachingPastTheCanvas) {
    GifFrameSpec local = Solid(0, 0, 2, 1, 0);
    local.localPalette = {{1, 2, 3}, {4, 5, 6}};
    local.indices = {1, 0};
    GifFrameSpec beyondPalette = Solid(0, 1, 1, 1, 200);
    GifFrameSpec overhanging = Solid(2, 1, 5, 3, 3);  // canvas is 3 x 3
    GifFrameSpec outside = Solid(10, 10, 2, 2, 1);
    GifAnimation gif = Decoded(GifWriter(3, 3, kPalette)
                                   .Add(local)
                                   .Add(beyondPalette)
                                   .Add(overhanging)
                                   .Add(outside)
                                   .Bytes());
    ASSERT_EQ(gif.FrameCount(), 4);
    const Image& img = gif.Frame(3);
    EXPECT_EQ(img.pixel(0, 0), MakeRgb(4, 5, 6));
    EXPECT_EQ(img.pixel(1, 0), MakeRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(0, 1), MakeRgb(0, 0, 0)) << "an index past the palette is black";
    EXPECT_EQ(img.pixel(2, 2), kWhite);
    EXPECT_EQ(img.pixel(1, 2), Rgba(0));
}

TEST(GifAnimation, DelaysAndLoopCounts) {
    struct Delay {
        int cs, ms;
    } delays[] = {{0, 100}, {1, 100}, {2, 20}, {50, 500}, {65535, 655350}};
    GifWriter w(1, 1, kPalette);
    for (const Delay& d : delays) {
        GifFrameSpec f = Solid(0, 0, 1, 1, 0);
        f.delayCs = d.cs;
        w.Add(f);
    }
    GifFrameSpec plain = Solid(0, 0, 1, 1, 0);
    plain.control = false;
    w.Add(plain);
    GifAnimation gif = Decoded(w.Bytes());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(gif.DelayMs(i), delays[i].ms);
    EXPECT_EQ(gif.DelayMs(5), 100);
    EXPECT_EQ(gif.LoopCount(), 1) << "no loop extension: plays once";

    struct Loop {
        int repeats, count;
    } loops[] = {{0, 0}, {1, 2}, {4, 5}, {65535, 65536}};
    for (const Loop& l : loops)
        EXPECT_EQ(Decoded(GifWriter(1, 1, kPalette).Loop(l.repeats).Add(plain).Bytes()).LoopCount(),
                  l.count);
}

TEST(GifAnimation, FilesCutShortKeepWhatArrived) {
    GifFrameSpec tall = Solid(0, 0, 300, 4, 1);  // rows of 300 literal codes: one sub-block each
    const auto bytes = GifWriter(300, 4, kPalette).Add(Solid(0, 0, 300, 4, 0)).Add(tall).Bytes();
    const std::size_t whole = bytes.size();
    GifAnimation full = Decoded(bytes);
    ASSERT_EQ(full.FrameCount(), 2);

    auto cut = [&](std::size_t n) { return GifAnimation::Decode(std::span(bytes.data(), n)); };
    auto half = cut(whole - 500);  // inside the second frame's data
    ASSERT_TRUE(half);
    EXPECT_EQ(half->FrameCount(), 2);
    EXPECT_EQ(half->Frame(1).pixel(0, 0), kGreen);
    EXPECT_EQ(half->Frame(1).pixel(299, 3), kRed) << "rows that never came show the frame before";
    const auto one = GifWriter(300, 4, kPalette).Add(Solid(0, 0, 300, 4, 0)).Bytes();
    auto first = cut(one.size() - 1);  // the first frame whole, then nothing
    ASSERT_TRUE(first);
    EXPECT_EQ(first->FrameCount(), 1);
    for (std::size_t n : {std::size_t(0), std::size_t(6), std::size_t(13), std::size_t(40)}) {
        std::string error;
        EXPECT_FALSE(GifAnimation::Decode(std::span(bytes.data(), n), &error)) << n;
        EXPECT_FALSE(error.empty());
    }
}

TEST(GifAnimation, BudgetsRefuseHugeCanvasesAndFrames) {
    struct Case {
        const char* what;
        int width, height;
        GifFrameSpec frame;
        GifAnimation::Limits limits;
        bool ok;
    } cases[] = {
        {"fits", 64, 64, Solid(0, 0, 1, 1, 0), {}, true},
        {"side over the budget", 40000, 1, Solid(0, 0, 1, 1, 0), {}, false},
        {"canvas over the pixel budget", 20000, 20000, Solid(0, 0, 1, 1, 0), {}, false},
        {"tight budget", 64, 64, Solid(0, 0, 1, 1, 0), {64, 1000, 10}, false},
        {"frame larger than the canvas budget",
         8,
         8,
         Solid(0, 0, 40, 40, 0),
         {64, 1000, 10},
         false},
        {"no frame at all", 8, 8, {}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GifWriter w(c.width, c.height, kPalette);
        if (c.frame.width > 0) w.Add(c.frame);
        std::string error;
        const auto bytes = w.Bytes();
        auto gif = GifAnimation::DecodeWithin(bytes, c.limits, &error);
        EXPECT_EQ(bool(gif), c.ok) << error;
        EXPECT_EQ(error.empty(), c.ok);
    }
}

// A small file may describe a great deal: its frames must fit the stored and the decoding
// budgets (the frames within them are kept, as from a file cut short), and rows that never reach
// the canvas cost no decompression.
TEST(GifAnimation, StoredAndDecodedBudgetsBoundAnyFile) {
    const auto tall = [](bool interlaced) {
        GifFrameSpec f = Solid(0, 0, 10, 5000, 1);
        f.interlaced = interlaced;
        return f;
    };
    const std::vector<GifFrameSpec> twenty(20, Solid(0, 0, 100, 100, 2));  // 1,000 bytes stored
    struct Case {
        const char* what;
        std::vector<GifFrameSpec> frames;
        GifAnimation::Limits limits;
        int kept;
    } cases[] = {
        {"frames over the stored budget", twenty, {8192, 1 << 20, 100, 5500, 1 << 30}, 5},
        {"frames within it", twenty, {8192, 1 << 20, 100, 20000, 1 << 30}, 20},
        {"rows below the canvas are not decompressed",
         {tall(false), Solid(0, 0, 1, 1, 2)},
         {8192, 1 << 20, 100, 1 << 20, 2000},
         2},
        {"nor the interlaced rows after the last one on it",
         {tall(true), Solid(0, 0, 1, 1, 2)},
         {8192, 1 << 20, 100, 1 << 20, 30000},
         2},
        {"the decoding budget holds",
         {tall(false), tall(false), tall(false)},
         {8192, 1 << 20, 100, 1 << 20, 250},
         2},
        {"a first frame over a budget leaves nothing",
         twenty,
         {8192, 1 << 20, 100, 500, 1 << 30},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GifWriter w(100, 10, kPalette);
        for (const GifFrameSpec& f : c.frames) w.Add(f);
        std::string error;
        auto gif = GifAnimation::DecodeWithin(w.Bytes(), c.limits, &error);
        ASSERT_EQ(gif ? gif->FrameCount() : 0, c.kept) << error;
        if (!gif) continue;
        // The stream stayed in step: the last frame kept is drawn where it belongs.
        const Image& last = gif->Frame(gif->FrameCount() - 1);
        const bool pair = c.frames.size() == 2;
        EXPECT_EQ(last.pixel(0, 0), pair || c.frames[0].height == 100 ? kBlue : kGreen);
        EXPECT_EQ(last.pixel(5, 9), pair ? kGreen : c.frames[0].height == 100 ? kBlue : kGreen);
    }
}
