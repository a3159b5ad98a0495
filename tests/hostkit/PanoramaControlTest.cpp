// The 360-degree photo control: its view against the reference reprojection, turning by
// PanAngle, by dragging and not while disabled, zooming with the wheel, what is redone on each
// change, and the letterboxed view.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "DisplayKitSupport.h"
#include "TestFolder.h"
#include "hostkit/panorama/Panorama.h"
#include "hostkit/panorama/PanoramaControl.h"
#include "hostkit/panorama/PanoramaTable.h"
#include "platform/Keys.h"
#include "runtime/Coercions.h"

namespace quindel::hostkit {
namespace {

using platform::Image;
using test::kTwips;

// Smooth all round (so bilinear sampling is exact enough to compare) and different in every
// direction: red follows the longitude, green the latitude.
Image Ring(int width, int height) {
    Image img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.setPixel(
                x, y,
                platform::MakeRgb(int(127.5 + 120 * std::sin(6.2831853 * (x + 0.5) / width)),
                                  255 * y / height, 64));
    return img;
}

struct PanoramaStage : test::Stage {
    test::TestFolder folder{"panoramacontrol"};
    std::shared_ptr<PanoramaControl> pano = p.NewChild<PanoramaControl>(*form);
    Object obj = pano;

    PanoramaStage() {
        pano->Move(0, 0, 160 * kTwips, 120 * kTwips);
        const auto path = folder.path() / "ring.png";
        Ring(720, 360).savePng(path.string());
        LetProperty(obj, "Stretch", true);
        LetProperty(obj, "FileName", path.string());
    }
    Image Shot() { return p.Grab(*pano); }
};

int WorstChannelGap(const Image& a, const Image& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : {16, 8, 0})
                worst = std::max(worst, std::abs(int((a.pixel(x, y) >> shift) & 255) -
                                                 int((b.pixel(x, y) >> shift) & 255)));
    return worst;
}

TEST(PanoramaControl, TheTableSeesWhatTheReferenceProjectionSees) {
    const Image source = Ring(720, 360);
    for (double fov : {40.0, 90.0, 120.0}) {
        const PanoramaTable table(97, 61, fov, source.width(), source.height());
        for (double pan : {0.0, 45.0, 179.9, 180.0, 300.0, -90.0, 725.0}) {
            SCOPED_TRACE(testing::Message() << "fov " << fov << " pan " << pan);
            Image view;
            table.Render(source, pan, view);
            EXPECT_LE(WorstChannelGap(view, RenderPanorama(source, {97, 61, pan, 0, fov})), 3);
        }
    }
}

TEST(PanoramaControl, PanAngleTurnsTheViewAndIsKeptWithinATurn) {
    PanoramaStage s;
    const struct {
        double written, read;
    } angles[] = {{90, 90}, {370, 10}, {-90, 270}, {360, 0}, {45.5, 45.5}};
    for (const auto& a : angles) {
        SCOPED_TRACE(a.written);
        LetProperty(s.obj, "PanAngle", a.written);
        EXPECT_NEAR(CDbl(GetProperty(s.obj, "PanAngle")), a.read, 1e-4);
        EXPECT_LE(
            WorstChannelGap(s.Shot(), RenderPanorama(Ring(720, 360), {160, 120, a.read, 0, 90})),
            3);
    }
}

TEST(PanoramaControl, DraggingTurnsWithThePointerAndTheWheelZooms) {
    PanoramaStage s;
    LetProperty(s.obj, "PanAngle", 100.0);
    // 40 pixels to the right over a 160-pixel view of 90 degrees: 22.5 degrees to the left.
    s.p.Input().MoveTo(50, 60).Press().MoveTo(70, 60, 20).MoveTo(90, 60, 20);
    s.p.RunFor(100);
    EXPECT_NEAR(s.pano->PanAngle(), 77.5, 1e-4) << "followed while the button is held";
    s.p.Input().Release().MoveTo(150, 60, 20);
    s.p.RunFor(100);
    EXPECT_NEAR(s.pano->PanAngle(), 77.5, 1e-4) << "released: moves no longer turn it";

    const struct {
        bool zoom;
        int notches;
        double fov;
    } wheels[] = {{false, 2, 90}, {true, 2, 80}, {true, -3, 95}, {true, 30, 20}, {true, -60, 120}};
    for (const auto& w : wheels) {
        LetProperty(s.obj, "zoomenabled", w.zoom);
        s.p.Input().Wheel(w.notches);
        s.p.RunFor(10);
        EXPECT_DOUBLE_EQ(s.pano->FieldOfView(), w.fov);
    }

    LetProperty(s.obj, "Enabled", false);
    s.p.Input().Wheel(2).MoveTo(50, 60).Press().MoveTo(120, 60, 20).Release(1, 20);
    s.p.RunFor(100);
    EXPECT_DOUBLE_EQ(s.pano->FieldOfView(), 120);
    EXPECT_NEAR(s.pano->PanAngle(), 77.5, 1e-4);
}

TEST(PanoramaControl, TheArrowsTurnAndZoomAsTheMouseDoes) {
    PanoramaStage s;
    LetProperty(s.obj, "PanAngle", 5.0);
    s.form->Show();
    s.pano->SetFocus();
    namespace key = platform::key;
    const struct {
        std::int16_t key;
        bool zoom;
        double pan, fov;
    } steps[] = {{key::Left, false, 355, 90}, {key::Right, false, 5, 90},
                 {key::Right, false, 15, 90}, {key::Up, false, 15, 90},
                 {key::Up, true, 15, 85},     {key::Down, true, 15, 90}};
    for (const auto& step : steps) {
        LetProperty(s.obj, "zoomenabled", step.zoom);
        s.p.Input().Key(step.key);
        s.p.Pump();
        EXPECT_NEAR(s.pano->PanAngle(), step.pan, 1e-4) << step.key;
        EXPECT_DOUBLE_EQ(s.pano->FieldOfView(), step.fov) << step.key;
    }
}

TEST(PanoramaControl, OnlyWhatChangedIsWorkedOutAgain) {
    PanoramaStage s;
    const struct {
        const char* step;
        std::function<void()> change;
        int renders, tables;  // counted after the next paint
    } steps[] = {
        {"first paint", [] {}, 1, 1},
        {"nothing changed", [] {}, 1, 1},
        {"turned", [&] { LetProperty(s.obj, "PanAngle", 30.0); }, 2, 1},
        {"same angle", [&] { LetProperty(s.obj, "PanAngle", 30.0); }, 2, 1},
        {"moved", [&] { CallMethod(s.obj, "Move", 100, 200); }, 2, 1},
        {"zoomed", [&] { s.pano->setFieldOfView(60); }, 3, 2},
        {"resized", [&] { LetProperty(s.obj, "Width", 100 * kTwips); }, 4, 3},
        {"turned back", [&] { LetProperty(s.obj, "PanAngle", 0.0); }, 5, 3},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.change();
        s.Shot();
        EXPECT_EQ(s.pano->Renders(), step.renders);
        EXPECT_EQ(s.pano->TablesBuilt(), step.tables);
    }
}

TEST(PanoramaControl, WithoutStretchTheViewKeepsFourByThree) {
    PanoramaStage s;
    LetProperty(s.obj, "Stretch", false);
    s.pano->Move(0, 0, 200 * kTwips, 100 * kTwips);
    const Image shot = s.Shot();
    // A 133 x 100 view in the middle, black on either side.
    EXPECT_EQ(shot.pixel(10, 50), platform::MakeRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(190, 50), platform::MakeRgb(0, 0, 0));
    EXPECT_NE(shot.pixel(100, 50), platform::MakeRgb(0, 0, 0));
    EXPECT_NE(shot.pixel(34, 50), platform::MakeRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(32, 50), platform::MakeRgb(0, 0, 0));
}

TEST(PanoramaControl, LendsItsFrameOnlyWhenTheViewFillsTheControl) {
    PanoramaStage s;
    const struct {
        const char* what;
        bool stretch;
        platform::SizePx asked;
        bool picture, lends;
    } cases[] = {{"stretched", true, {160, 120}, true, true},
                 {"another size asked", true, {160, 121}, true, false},
                 {"letterboxed", false, {160, 120}, true, true},
                 {"letterboxed, wider", false, {200, 120}, true, false},
                 {"no picture", true, {160, 120}, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LetProperty(s.obj, "Stretch", c.stretch);
        s.pano->Move(0, 0, c.asked.width == 200 ? 200 * kTwips : 160 * kTwips, 120 * kTwips);
        if (!c.picture) LetProperty(s.obj, "FileName", std::string());
        Image lent;
        const bool lends = s.pano->LendPixels(
            c.asked, [&](const platform::PixelsView& pixels) { lent.assign(pixels); });
        EXPECT_EQ(lends, c.lends);
        if (c.lends) {
            EXPECT_EQ(lent, s.Shot()) << "the frame painted is the frame lent";
        }
    }
}

// A 1440 x 720 world: sky above the horizon, grass below, a grid line every 30 degrees, and a
// pillar of its own colour at each quarter: red ahead (0), green right (90), blue behind (180),
// yellow left (-90).
Image World() {
    Image img(1440, 720);
    // Columns 0, 360, 720 and 1080 look behind, left, ahead and right.
    const platform::Rgba pillars[] = {
        platform::MakeRgb(40, 60, 220), platform::MakeRgb(230, 210, 40),
        platform::MakeRgb(220, 40, 40), platform::MakeRgb(40, 200, 60)};
    for (int y = 0; y < 720; ++y) {
        for (int x = 0; x < 1440; ++x) {
            platform::Rgba c = y < 360 ? platform::MakeRgb(120 + y / 6, 170 + y / 8, 240)
                                       : platform::MakeRgb(70, 140, 60);
            if (x % 120 == 60 || y % 120 == 60) c = platform::MakeRgb(40, 40, 40);
            const int nearest = (x + 180) / 360;
            if (y > 240 && y < 480 && std::abs(x - 360 * nearest) < 24) c = pillars[nearest % 4];
            img.setPixel(x, y, c);
        }
    }
    return img;
}

TEST(PanoramaControl, ATurnBringsEachPillarAhead) {
    PanoramaStage s;
    const auto path = s.folder.path() / "world.png";
    World().savePng(path.string());
    LetProperty(s.obj, "FileName", path.string());
    s.pano->Move(0, 0, 320 * kTwips, 200 * kTwips);
    const struct {
        double pan;
        platform::Rgba ahead;
    } cases[] = {{0, platform::MakeRgb(220, 40, 40)},
                 {90, platform::MakeRgb(40, 200, 60)},
                 {180, platform::MakeRgb(40, 60, 220)},
                 {270, platform::MakeRgb(230, 210, 40)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pan);
        LetProperty(s.obj, "PanAngle", c.pan);
        EXPECT_TRUE(test::Near(s.Shot().pixel(160, 100), c.ahead, 8));
    }
    LetProperty(s.obj, "PanAngle", 20.0);
    EXPECT_TRUE(s.Shot().savePng("hostkit_panorama.png"));
}

}  // namespace
}  // namespace quindel::hostkit
