// The picture control: its members by late binding, the four picture formats, painting at
// actual size with crop offsets and stretched, the reduced JPEG decode and its memory, the
// Picture and MouseIcon objects, the print hook, and panning with the keys.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DisplayKitSupport.h"
#include "TestFolder.h"
#include "hostkit/picture/PictureControl.h"
#include "platform/BmpWriter.h"
#include "platform/GifWriter.h"
#include "platform/Keys.h"
#include "platform/PictureBox.h"
#include "platform/PictureObject.h"
#include "platform/WindowObject.h"
#include "runtime/Coercions.h"

namespace quindel::hostkit {
namespace {

using platform::Image;
using platform::MakeRgb;
using test::ErrorOf;
using test::kTwips;
using test::ObjectOf;

struct PictureStage : test::Stage {
    test::TestFolder folder{"picturecontrol"};
    std::shared_ptr<PictureControl> pic = p.NewChild<PictureControl>(*form);
    Object obj = pic;

    PictureStage() { pic->Move(0, 0, 100 * kTwips, 80 * kTwips); }
    std::string Save(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        test::WriteBytes(folder.path() / name, bytes);
        return (folder.path() / name).string();
    }
    std::string SavePng(const std::string& name, const Image& img) {
        img.savePng((folder.path() / name).string());
        return (folder.path() / name).string();
    }
    Image Shot() { return p.Grab(*pic); }
};

TEST(PictureControl, SettingsReadBackAsTheyWereWritten) {
    PictureStage s;
    struct Case {
        const char* member;
        Variant written, read;
    } cases[] = {
        {"FXEnabled", true, true},
        {"AutoSize", std::int16_t(2), std::int16_t(2)},
        {"CropX", 12, 12},
        {"CropY", -5, 0},  // a negative offset becomes 0
        {"Capture", std::int16_t(3), std::int16_t(3)},
        {"PrinterWidth", 9000, 9000},
        {"PrinterHeight", 7000, 7000},
        {"PrinterLeft", 1450, 1450},
        {"PrinterTop", 2000, 2000},
        {"MousePointer", std::int16_t(99), std::int16_t(99)},
        {"height", 1500, 1500},
        {"Width", 3000, 3000},
        {"Left", 150, 150},
        {"Top", 300, 300},
        {"Visible", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.member);
        LetProperty(s.obj, c.member, c.written);
        EXPECT_EQ(CStr(GetProperty(s.obj, c.member)), CStr(c.read));
    }
    EXPECT_EQ(s.pic->MousePointer(), platform::pointer::Custom);
    for (Variant bad : {Variant(std::int16_t(3)), Variant(std::int16_t(-1))})
        EXPECT_EQ(ErrorOf([&] { LetProperty(s.obj, "AutoSize", bad); }), 380);
    EXPECT_EQ(ErrorOf([&] { LetProperty(s.obj, "MousePointer", std::int16_t(50)); }), 380);
    EXPECT_EQ(CLng(GetProperty(ObjectOf(GetProperty(s.obj, "Parent")), "ScaleWidth")),
              800 * kTwips);
}

TEST(PictureControl, ReadsEveryFormatAtItsOwnSize) {
    PictureStage s;
    const Image source = test::Addressed(40, 30, 200);
    test::GifFrameSpec frame;
    frame.width = 40, frame.height = 30;
    frame.indices.assign(40 * 30, 1);
    const auto gif = test::GifWriter(40, 30, {{0, 0, 0}, {10, 20, 200}}).Add(frame).Bytes();
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        platform::Rgba at_7_5;
        int tolerance;
    } cases[] = {
        {"a.png", {}, MakeRgb(7, 5, 200), 0},
        {"b.jpg", test::JpegOf(source), MakeRgb(7, 5, 200), 6},
        {"c.gif", gif, MakeRgb(10, 20, 200), 0},
        {"d.bmp", test::WriteBmp24(source), MakeRgb(7, 5, 200), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            c.bytes.empty() ? s.SavePng(c.name, source) : s.Save(c.name, c.bytes);
        LetProperty(s.obj, "FileName", path);
        EXPECT_EQ(CLng(GetProperty(s.obj, "IWidth")), 40);
        EXPECT_EQ(CLng(GetProperty(s.obj, "IHeight")), 30);
        EXPECT_TRUE(test::Near(s.Shot().pixel(7, 5), c.at_7_5, c.tolerance));
    }
}

TEST(PictureControl, ABadFileRaisesAndKeepsThePicture) {
    PictureStage s;
    const std::string good = s.SavePng("good.png", test::Addressed(40, 30));
    LetProperty(s.obj, "FileName", good);
    const struct {
        std::string path;
        int error;
    } cases[] = {
        {(s.folder.path() / "absent.png").string(), 53},
        {s.folder.path().string(), 53},  // a folder is no file
        {s.Save("text.png", {'h', 'e', 'l', 'l', 'o'}), 481},
        {s.Save("cut.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16}), 481},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ErrorOf([&] { LetProperty(s.obj, "FileName", c.path); }), c.error);
        EXPECT_EQ(CStr(GetProperty(s.obj, "FileName")), good);
        EXPECT_EQ(CLng(GetProperty(s.obj, "IWidth")), 40);
    }
    LetProperty(s.obj, "FileName", "");
    EXPECT_EQ(CLng(GetProperty(s.obj, "IWidth")), 0);
    EXPECT_TRUE(ObjectOf(GetProperty(s.obj, "Picture")) == nullptr);
}

TEST(PictureControl, ActualSizeShowsThePictureFromItsCropOffsets) {
    PictureStage s;
    LetProperty(s.obj, "FileName", s.SavePng("big.png", test::Addressed(200, 150)));
    const struct {
        int cropX, cropY, x, y;
        platform::Rgba expected;
    } cases[] = {
        {0, 0, 0, 0, MakeRgb(0, 0, 0)},
        {0, 0, 99, 79, MakeRgb(99, 79, 0)},
        {30, 20, 0, 0, MakeRgb(30, 20, 0)},
        {30, 20, 10, 5, MakeRgb(40, 25, 0)},
        {150, 100, 49, 49, MakeRgb(199, 149, 0)},
        {150, 100, 50, 10, MakeRgb(0, 0, 0)},  // past the picture's right edge: background
        {150, 100, 10, 50, MakeRgb(0, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cropX << "," << c.cropY << " at " << c.x);
        LetProperty(s.obj, "CropX", c.cropX);
        LetProperty(s.obj, "CropY", c.cropY);
        EXPECT_EQ(s.Shot().pixel(c.x, c.y), c.expected);
    }

    // AutoSize 1: the control takes the picture's size.
    LetProperty(s.obj, "AutoSize", std::int16_t(1));
    EXPECT_EQ(s.pic->Width(), 200 * kTwips);
    EXPECT_EQ(s.pic->Height(), 150 * kTwips);
}

// At actual size a picture larger than the control pans with the keys, within the picture;
// stretched, it has nothing to pan.
TEST(PictureControl, TheKeysPanAPictureLargerThanTheControl) {
    PictureStage s;
    LetProperty(s.obj, "FileName", s.SavePng("big.png", test::Addressed(200, 150)));
    s.form->Show();
    s.pic->SetFocus();
    namespace key = platform::key;
    const struct {
        std::int16_t key;
        std::int32_t cropX, cropY;
    } steps[] = {{key::Right, 40, 0},  {key::Right, 80, 0},      {key::Right, 100, 0},
                 {key::Down, 100, 40}, {key::PageDown, 100, 70}, {key::Up, 100, 30},
                 {key::Left, 60, 30},  {key::Home, 0, 0},        {key::Up, 0, 0}};
    for (const auto& step : steps) {
        s.p.Input().Key(step.key);
        s.p.Pump();
        EXPECT_EQ(s.pic->CropX(), step.cropX) << step.key;
        EXPECT_EQ(s.pic->CropY(), step.cropY) << step.key;
    }
    LetProperty(s.obj, "AutoSize", std::int16_t(2));
    s.p.Input().Key(key::Right);
    s.p.Pump();
    EXPECT_EQ(s.pic->CropX(), 0);
    EXPECT_EQ(s.pic->Accessible().role, platform::Role::Graphic);
}

// A landscape of 640 x 400: sky over grass, a sun centred at (480, 100), a house, and a dark
// line every 80 pixels (from 40) so that scaling shows.
Image Landscape() {
    Image img(640, 400);
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 640; ++x) {
            platform::Rgba c =
                y < 240 ? MakeRgb(90 + y / 3, 150 + y / 4, 235) : MakeRgb(60, 150, 50);
            const int dx = x - 480, dy = y - 100;
            if (dx * dx + dy * dy < 40 * 40) c = MakeRgb(255, 220, 40);
            if (x >= 100 && x < 220 && y >= 220 && y < 320) c = MakeRgb(190, 40, 30);
            if (y >= 160 && y < 220 && std::abs(x - 160) < (y - 160) * 70 / 60)
                c = MakeRgb(90, 50, 30);
            if (x % 80 == 40 || y % 80 == 40) c = MakeRgb(30, 30, 30);
            img.setPixel(x, y, c);
        }
    }
    return img;
}

TEST(PictureControl, ALandscapeFittedAndZoomed) {
    PictureStage s;
    const std::string path = s.Save("landscape.jpg", test::JpegOf(Landscape(), 92));
    const struct {
        const char* shot;
        std::int16_t autoSize;
        int width, height, cropX, cropY;
        int sunX, sunY, houseX, houseY;  // where the sun's and the house's middles show
    } cases[] = {
        {"hostkit_picture_fitted.png", 2, 320, 200, 0, 0, 240, 50, 80, 135},
        {"hostkit_picture_zoomed.png", 0, 400, 250, 140, 50, 340, 50, 20, 220},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shot);
        LetProperty(s.obj, "AutoSize", c.autoSize);
        s.pic->Move(0, 0, c.width * kTwips, c.height * kTwips);
        LetProperty(s.obj, "FileName", path);
        LetProperty(s.obj, "CropX", c.cropX);
        LetProperty(s.obj, "CropY", c.cropY);
        const Image shot = s.Shot();
        EXPECT_TRUE(test::Near(shot.pixel(c.sunX, c.sunY), MakeRgb(255, 220, 40), 12));
        EXPECT_TRUE(test::Near(shot.pixel(c.houseX, c.houseY), MakeRgb(190, 40, 30), 12));
        EXPECT_TRUE(shot.savePng(c.shot));
    }
}

TEST(PictureControl, AFittedJpegIsDecodedReducedAndHoldsLittleMoreThanItsPixels) {
    PictureStage s;
    const std::string photo = s.Save("photo.jpg", test::JpegOf(test::Addressed(800, 600), 90));
    LetProperty(s.obj, "AutoSize", std::int16_t(2));
    const struct {
        int width, height;  // the control, pixels
        int decodedWidth, decodedHeight;
    } cases[] = {
        {100, 75, 100, 75},    // an eighth covers it
        {120, 75, 200, 150},   // an eighth is too narrow: a quarter
        {300, 200, 400, 300},  // a half
        {800, 600, 800, 600},  // nothing to reduce
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        s.pic->Move(0, 0, c.width * kTwips, c.height * kTwips);
        LetProperty(s.obj, "FileName", photo);
        EXPECT_EQ(s.pic->DecodedSize().width, c.decodedWidth);
        EXPECT_EQ(s.pic->DecodedSize().height, c.decodedHeight);
        const Image shot = s.Shot();
        EXPECT_TRUE(test::Near(shot.pixel(c.width / 2, c.height / 2), MakeRgb(144, 44, 0), 24));
        EXPECT_LE(s.pic->HeldBytes(), std::int64_t(c.width) * c.height * 4 * 2);
    }
    // Actual size decodes the whole picture when it is painted; fitted again lets it go.
    LetProperty(s.obj, "AutoSize", std::int16_t(0));
    LetProperty(s.obj, "CropX", 500);
    s.Shot();
    EXPECT_EQ(s.pic->DecodedSize().width, 800);
    LetProperty(s.obj, "AutoSize", std::int16_t(2));
    s.pic->Move(0, 0, 200 * kTwips, 150 * kTwips);
    s.Shot();
    EXPECT_LE(s.pic->HeldBytes(), 200 * 150 * 4 * 2);
}

TEST(PictureControl, PicturesInAndOut) {
    PictureStage s;
    LetProperty(s.obj, "FileName", s.SavePng("p.png", test::Addressed(40, 30)));
    const Object picture = ObjectOf(GetProperty(s.obj, "Picture"));
    EXPECT_EQ(CLng(GetProperty(picture, "Width")), 40);
    EXPECT_EQ(CLng(GetProperty(picture, "Height")), 30);
    EXPECT_NE(CLng(GetProperty(picture, "Handle")), 0);
    EXPECT_EQ(platform::ImageOf(picture)->pixel(39, 29), MakeRgb(39, 29, 0));

    // A pointer from a picture object (set or let) or from a picture box's drawing.
    auto box = s.p.NewPictureBox(*s.form);
    box->Move(0, 0, 16 * kTwips, 16 * kTwips);
    const struct {
        Object icon;
        bool let;
        int width;
    } icons[] = {{platform::MakePictureObject(Image(8, 8)), false, 8},
                 {platform::MakePictureObject(Image(12, 12)), true, 12},
                 {platform::MakeWindowObject(box), false, box->Surface().width()}};
    for (const auto& c : icons) {
        if (c.let)
            LetProperty(s.obj, "MouseIcon", c.icon);
        else
            SetProperty(s.obj, "MouseIcon", c.icon);
        EXPECT_EQ(s.pic->MouseIcon().width(), c.width);
        EXPECT_EQ(ObjectOf(GetProperty(s.obj, "MouseIcon")), c.icon);
    }
    EXPECT_EQ(ErrorOf([&] { SetProperty(s.obj, "MouseIcon", s.obj); }), 481);
    SetProperty(s.obj, "MouseIcon", Object());
    EXPECT_TRUE(s.pic->MouseIcon().empty());
}

TEST(PictureControl, PrintingHandsThePictureAndItsRectangleToTheHook) {
    PictureStage s;
    LetProperty(s.obj, "FileName", s.SavePng("p.png", test::Addressed(40, 30)));
    int calls = 0;
    PictureControl::PrintRect rect;
    std::int32_t hdc = 0;
    s.pic->setPrintHook([&](const Image& img, const PictureControl::PrintRect& r, std::int32_t d) {
        ++calls, rect = r, hdc = d;
        EXPECT_EQ(img.width(), 40);
    });
    LetProperty(s.obj, "PrinterhDC", 77);  // Capture is not 3: nothing printed
    EXPECT_EQ(calls, 0);
    LetProperty(s.obj, "Capture", std::int16_t(3));
    for (auto [name, v] : {std::pair{"PrinterWidth", 6000},
                           {"PrinterHeight", 4500},
                           {"PrinterLeft", 2953},
                           {"PrinterTop", 6169}})
        LetProperty(s.obj, name, v);
    LetProperty(s.obj, "PrinterhDC", 0x5150);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(hdc, 0x5150);
    EXPECT_EQ(rect.left, 2953);
    EXPECT_EQ(rect.top, 6169);
    EXPECT_EQ(rect.width, 6000);
    EXPECT_EQ(rect.height, 4500);

    s.pic->setPrintHook(nullptr);
    EXPECT_EQ(ErrorOf([&] { LetProperty(s.obj, "PrinterhDC", 1); }), 482);
}

}  // namespace
}  // namespace quindel::hostkit
