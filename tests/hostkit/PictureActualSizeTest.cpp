// Actual size at once: a zoomed JPEG shows the pixels in view before its whole decode ends (a
// baseline file's region decoded alone, a progressive one's reduced picture stretched), panning
// meanwhile shows the right pixels, the whole picture replaces the parts when it arrives, and
// only one full-size copy is ever held.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "DisplayKitSupport.h"
#include "TestFolder.h"
#include "hostkit/picture/PictureControl.h"
#include "platform/PictureObject.h"

namespace quindel::hostkit {
namespace {

using platform::Image;
using Mode = BackgroundDecode::Mode;
using test::kTwips;

constexpr int kW = 960, kH = 720, kViewW = 200, kViewH = 150;
constexpr std::int64_t kWholeBytes = std::int64_t(kW) * kH * 4;

// Gradients crossed by fine detail: a region from the wrong place, or stretched, shows.
Image Detailed() {
    Image img(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            img.setPixel(x, y,
                         platform::MakeRgb((x * 255) / kW, (y * 255) / kH,
                                           int(127 + 120 * std::sin(x * 0.3) * std::cos(y * 0.2))));
    return img;
}

// The mean difference of two pictures' channels.
double MeanDifference(const Image& a, const Image& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const platform::Rgba p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(platform::RedOf(p) - platform::RedOf(q)) +
                   std::abs(platform::GreenOf(p) - platform::GreenOf(q)) +
                   std::abs(platform::BlueOf(p) - platform::BlueOf(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

struct ZoomStage : test::Stage {
    test::TestFolder folder{"pictureactualsize"};
    std::shared_ptr<PictureControl> pic = p.NewChild<PictureControl>(*form);
    Object obj = pic;
    Image whole;
    std::string path;

    explicit ZoomStage(bool progressive, Mode mode = Mode::Deferred) {
        pic->Move(0, 0, kViewW * kTwips, kViewH * kTwips);
        pic->setBackgroundMode(mode);
        const auto bytes =
            test::WriteJpeg(Detailed(), {90, test::JpegKind::Colour, progressive, false});
        path = (folder.path() / "photo.jpg").string();
        test::WriteBytes(path, bytes);
        whole = *platform::DecodePicture(bytes);
        LetProperty(obj, "AutoSize", std::int16_t(2));
        LetProperty(obj, "FileName", path);
        p.Grab(*pic);  // fitted first, as the viewer shows it
    }
    // What the view shows, and what the whole decode has there.
    Image At(int x, int y) {
        LetProperty(obj, "CropX", x);
        LetProperty(obj, "CropY", y);
        return p.Grab(*pic);
    }
    Image Expected(int x, int y) const { return whole.copy(x, y, kViewW, kViewH); }
    void Zoom() { LetProperty(obj, "AutoSize", std::int16_t(0)); }
    std::int64_t FittedBytes() const { return std::int64_t(kViewW) * kViewH * 4; }
};

TEST(PictureActualSize, TheViewShowsAtOnceAndTheWholePictureReplacesIt) {
    const struct {
        const char* what;
        bool progressive;
        double firstDifference;  // how far the first picture may be from the whole decode's
    } cases[] = {
        {"baseline", false, 0},       // its own pixels, decoded alone
        {"progressive", true, 12.0},  // the fitted picture stretched: near, not equal
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ZoomStage s(c.progressive);
        s.Zoom();
        const Image first = s.At(400, 300);
        EXPECT_TRUE(s.pic->BackgroundDecodePending());
        EXPECT_LT(s.pic->HeldBytes(), kWholeBytes / 2);
        if (c.firstDifference == 0) {
            EXPECT_TRUE(first == s.Expected(400, 300));
        } else {
            EXPECT_LT(MeanDifference(first, s.Expected(400, 300)), c.firstDifference);
        }
        s.pic->FinishBackgroundDecode();
        EXPECT_FALSE(s.pic->BackgroundDecodePending());
        EXPECT_TRUE(s.At(400, 300) == s.Expected(400, 300));
        // One whole picture and the fitted one; the parts are gone.
        EXPECT_EQ(s.pic->HeldBytes(), kWholeBytes + s.FittedBytes());
    }
}

TEST(PictureActualSize, PanningBeforeTheWholePictureArrivesShowsTheRightPixels) {
    const struct {
        int x, y;
        const char* what;
    } pans[] = {
        {0, 0, "the top-left corner"},
        {60, 40, "a step, within the region decoded"},
        {700, 500, "far away: a region of its own"},
        {kW - kViewW, kH - kViewH, "the bottom-right corner"},
        {kW - 50, kH - 30, "past the edge: the rest is background"},
        {0, 0, "back to the start"},
    };
    for (const bool progressive : {false, true}) {
        ZoomStage s(progressive);
        s.Zoom();
        for (const auto& pan : pans) {
            SCOPED_TRACE(std::string(progressive ? "progressive, " : "baseline, ") + pan.what);
            const Image shot = s.At(pan.x, pan.y);
            const int w = std::min(kViewW, kW - pan.x), h = std::min(kViewH, kH - pan.y);
            const Image shown = shot.copy(0, 0, w, h), expected = s.whole.copy(pan.x, pan.y, w, h);
            if (progressive) {
                EXPECT_LT(MeanDifference(shown, expected), 12.0);
            } else {
                EXPECT_TRUE(shown == expected);
            }
            if (w < kViewW) {
                EXPECT_EQ(shot.pixel(kViewW - 1, 0), platform::MakeRgb(0, 0, 0));
            }
            EXPECT_TRUE(s.pic->BackgroundDecodePending());
            EXPECT_LT(s.pic->HeldBytes(), kWholeBytes / 2);
        }
    }
}

TEST(PictureActualSize, TheTimerCollectsTheWholePictureAndRepaints) {
    ZoomStage s(false);
    s.Zoom();
    s.At(333, 222);
    ASSERT_TRUE(s.pic->BackgroundDecodePending());
    for (int round = 0; round < 3 && s.pic->BackgroundDecodePending(); ++round) s.p.DoEvents();
    EXPECT_FALSE(s.pic->BackgroundDecodePending());
    EXPECT_EQ(s.pic->HeldBytes(), kWholeBytes + s.FittedBytes());
    EXPECT_TRUE(s.At(333, 222) == s.Expected(333, 222));
}

// What may happen while the decode runs on its thread: each leaves one consistent picture.
TEST(PictureActualSize, WhatHappensMeanwhileEndsTheDecodeCleanly) {
    const struct {
        const char* what;
        std::function<void(ZoomStage&)> act;
        std::int64_t heldAtMost;
    } cases[] = {
        {"fitted again", [](ZoomStage& s) { LetProperty(s.obj, "AutoSize", std::int16_t(2)); },
         2 * std::int64_t(kViewW) * kViewH * 4},
        {"unloaded", [](ZoomStage& s) { LetProperty(s.obj, "FileName", std::string()); }, 0},
        {"its Picture asked for",
         [](ZoomStage& s) {
             const Object picture = test::ObjectOf(GetProperty(s.obj, "Picture"));
             EXPECT_TRUE(*platform::ImageOf(picture) == s.whole);
         },
         kWholeBytes + std::int64_t(kViewW) * kViewH * 4},
        {"finished at once", [](ZoomStage& s) { s.pic->FinishBackgroundDecode(); },
         kWholeBytes + std::int64_t(kViewW) * kViewH * 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ZoomStage s(false, Mode::Threaded);
        s.Zoom();
        s.At(480, 360);
        c.act(s);
        EXPECT_FALSE(s.pic->BackgroundDecodePending());
        EXPECT_LE(s.pic->HeldBytes(), c.heldAtMost);
    }
}

}  // namespace
}  // namespace quindel::hostkit
