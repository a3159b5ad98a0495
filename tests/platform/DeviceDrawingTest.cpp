// Drawing for dense screens: pictures carrying a denser drawing, smooth resizing, and picture
// boxes that keep their drawing at the device's resolution as well, read back as pixels.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/PictureStrip.h"
#include "platform/Raster.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel::platform;
using quindel::headless::HeadlessConfig;
using quindel::headless::HeadlessPlatform;

namespace {

constexpr Rgba kRed = MakeRgb(255, 0, 0), kBlack = MakeRgb(0, 0, 0),
               kWhite = MakeRgb(255, 255, 255), kGrey = MakeRgb(128, 128, 128);

// Every pixel different: its value says where it is.
Image Numbered(int w, int h, int salt = 0) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, MakeRgb(x, y, salt));
    return img;
}

// A picture of w x h with a denser drawing at twice its size.
Image WithDenser(int w, int h) {
    Image img(w, h, kRed);
    img.setDenser(Numbered(2 * w, 2 * h, 7), 2.0);
    return img;
}

// A small picture as its pixels, for messages.
std::string Pixels(const Image& img) {
    std::ostringstream os;
    os << img.width() << "x" << img.height() << std::hex;
    for (Rgba c : img.pixels()) os << " " << c;
    return os.str();
}

Image Row(std::initializer_list<Rgba> pixels) {
    Image img(int(pixels.size()), 1);
    int x = 0;
    for (Rgba c : pixels) img.setPixel(x++, 0, c);
    return img;
}

// A white 20 x 10 picture box on a screen of the given pixel ratio.
struct Dense {
    HeadlessPlatform p;
    std::shared_ptr<Form> f = p.NewForm();
    std::shared_ptr<PictureBox> pic = p.NewPictureBox(*f);
    explicit Dense(double ratio) : p(Config(ratio)) {
        pic->setBorderStyle(0);
        pic->setScaleMode(scale::Pixels);
        pic->Move(0, 0, 20 * 15, 10 * 15);
        pic->setBackColor(kWhite);
    }
    static HeadlessConfig Config(double ratio) {
        HeadlessConfig c;
        c.screen.pixelRatio = ratio;
        return c;
    }
};

}  // namespace

TEST(DenserImage, AnyChangeToThePixelsDropsIt) {
    const std::vector<std::pair<const char*, std::function<void(Image&)>>> changes = {
        {"setPixel", [](Image& i) { i.setPixel(0, 0, kBlack); }},
        {"fill", [](Image& i) { i.fill(kBlack); }},
        {"fillRect", [](Image& i) { i.fillRect(1, 1, 1, 1, kBlack); }},
        {"blit", [](Image& i) { i.blit(Image(1, 1), 0, 0); }},
        {"row", [](Image& i) { i.row(0)[0] = kBlack; }},
        {"assign", [](Image& i) { i.assign(Image(4, 3).view()); }},
    };
    for (const auto& [name, change] : changes) {
        Image img = WithDenser(4, 3);
        const Image copy = img;
        change(img);
        EXPECT_EQ(img.denser(), nullptr) << name;
        ASSERT_NE(copy.denser(), nullptr) << name << ": a copy keeps its own";
    }
    Image img = WithDenser(4, 3);
    img.setPixel(9, 9, kBlack);  // outside: nothing changed
    EXPECT_NE(img.denser(), nullptr);
}

TEST(DenserImage, APartCarriesTheMatchingPartOfIt) {
    const Image img = WithDenser(6, 4);
    struct Case {
        int x, y, w, h;
        int dx, dy, dw, dh;  // the part of the denser drawing expected
    } cases[] = {{1, 2, 3, 2, 2, 4, 6, 4}, {-2, 0, 4, 1, 0, 0, 4, 2}, {5, 3, 9, 9, 10, 6, 2, 2}};
    for (const Case& c : cases) {
        const Image part = img.copy(c.x, c.y, c.w, c.h);
        ASSERT_NE(part.denser(), nullptr) << c.x;
        EXPECT_EQ(part.denserScale(), 2.0);
        EXPECT_EQ(*part.denser(), img.denser()->copy(c.dx, c.dy, c.dw, c.dh)) << c.x;
    }
    // Strip cells are parts: each carries its own denser cell.
    const PictureStrip strip(WithDenser(6, 4), 2, 3);
    EXPECT_EQ(*strip.GraphicCell(4).denser(), img.denser()->copy(4, 4, 4, 4));
}

TEST(Resample, AveragesTheAreaEachPixelCovers) {
    const Rgba clear = 0x00FF00FFu;  // a transparent key colour must not tint its neighbours
    struct Case {
        const char* what;
        Image src;
        int dw;
        Image expected;
    } cases[] = {
        {"doubled: each pixel repeated", Row({kRed, kBlack}), 4, Row({kRed, kRed, kBlack, kBlack})},
        {"halved: pairs averaged", Row({kBlack, kWhite, kWhite, kWhite}), 2,
         Row({MakeRgb(128, 128, 128), kWhite})},
        {"by 1.5: the middle pixel shares both", Row({kBlack, kWhite}), 3,
         Row({kBlack, kGrey, kWhite})},
        {"by 1.25: an edge shared by two pixels at most",
         Row({kBlack, kBlack, kBlack, kBlack, kWhite, kWhite, kWhite, kWhite}), 10,
         Row({kBlack, kBlack, kBlack, kBlack, kBlack, kWhite, kWhite, kWhite, kWhite, kWhite})},
        {"transparent pixels weigh nothing", Row({clear, kWhite}), 1,
         Row({(0x80u << 24) | 0xFFFFFFu})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pixels(Resample(c.src, c.dw, 1)), Pixels(c.expected)) << c.what;
}

TEST(Resample, AWindowIsThatPartOfTheWhole) {
    const Image src = Numbered(7, 5);
    const Image whole = Resample(src, 1, 1, 5, 3, 13, 8, {0, 0, 13, 8});
    const Image part = Resample(src, 1, 1, 5, 3, 13, 8, {4, 2, 9, 20});
    EXPECT_EQ(part, whole.copy(4, 2, 5, 6));
}

TEST(DevicePictureBox, AtRatioOneTheDeviceDrawingIsTheDrawing) {
    Dense d(1.0);
    d.pic->PaintPicture(WithDenser(2, 2), 3, 3);
    EXPECT_EQ(&d.pic->DeviceSurface(), &d.pic->Surface());
    EXPECT_EQ(d.pic->Surface().pixel(3, 3), kRed);
}

TEST(DevicePictureBox, PaintsAPictureFromItsDenserDrawingAboveRatioOne) {
    const Image art = WithDenser(2, 2);
    const Image plain(2, 2, kRed);
    struct Case {
        double ratio;
        const Image& picture;
        Image expected;  // the device pixels of the picture
    } cases[] = {
        {2.0, art, *art.denser()},
        {1.5, art, Resample(*art.denser(), 3, 3)},
        {1.25, art, Resample(*art.denser(), 3, 3)},  // 2 px from 5 land on 6.25 to 8.75
        {3.0, art, Resample(*art.denser(), 6, 6)},
        {2.0, plain, Image(4, 4, kRed)},
    };
    for (const Case& c : cases) {
        Dense d(c.ratio);
        d.pic->PaintPicture(c.picture, 5, 5);
        const int at = ToDevice(5, c.ratio), side = ToDevice(7, c.ratio) - at;
        EXPECT_EQ(d.pic->DeviceSurface().copy(at, at, side, side), c.expected) << c.ratio;
        EXPECT_EQ(d.pic->DeviceSurface().pixel(at - 1, at), kWhite) << c.ratio;
        EXPECT_EQ(d.pic->DeviceSurface().pixel(at + side, at), kWhite) << c.ratio;
        EXPECT_EQ(d.pic->Surface().copy(5, 5, 2, 2), Image(2, 2, kRed)) << "logical stays 1x";
    }
}

TEST(DevicePictureBox, RasterOperationsCombineDevicePixels) {
    struct Case {
        std::int32_t op;
        Rgba under, src, expected;
    } cases[] = {
        {rop::SrcAnd, MakeRgb(0xFF, 0x0F, 0x33), MakeRgb(0xF0, 0xFF, 0x0F),
         MakeRgb(0xF0, 0x0F, 0x03)},
        {rop::SrcPaint, MakeRgb(0x0F, 0x00, 0x30), MakeRgb(0xF0, 0x01, 0x03),
         MakeRgb(0xFF, 0x01, 0x33)},
        {rop::SrcInvert, MakeRgb(0xFF, 0x00, 0x0F), MakeRgb(0x0F, 0x00, 0xFF),
         MakeRgb(0xF0, 0x00, 0xF0)},
    };
    for (const auto& c : cases) {
        Dense d(1.5);
        d.pic->setBackColor(c.under);
        Image mask(2, 2, c.src);
        mask.setDenser(Image(4, 4, c.src), 2.0);
        d.pic->PaintPicture(mask, 2, 2, -1, -1, 0, 0, -1, -1, c.op);
        EXPECT_EQ(d.pic->DeviceSurface().pixel(4, 4), c.expected) << std::hex << c.op;
        EXPECT_EQ(d.pic->DeviceSurface().pixel(2, 2), c.under) << std::hex << c.op;
    }
}

TEST(DevicePictureBox, LinesCoverTheirDevicePixels) {
    Dense d(1.5);
    d.pic->Line(0, 2, 4, 2, kBlack);  // logical pixels 0-3 of row 2: device rows 3-4, columns 0-5
    const Image& s = d.pic->DeviceSurface();
    for (int y = 2; y <= 5; ++y)
        for (int x = 0; x <= 6; ++x)
            EXPECT_EQ(s.pixel(x, y), (y == 3 || y == 4) && x <= 5 ? kBlack : kWhite)
                << x << "," << y;
}

TEST(DevicePictureBox, APicturePartlyOffTheBoxShowsItsVisiblePart) {
    Dense d(1.5);
    const Image big = Numbered(40, 30);
    d.pic->PaintPicture(big, -10, -7, 80, 60, 0, 0, 40, 30);  // enlarged, reaching past
    const Image whole = Resample(big, 0, 0, 40, 30, ToDevice(70, 1.5) - ToDevice(-10, 1.5),
                                 ToDevice(53, 1.5) - ToDevice(-7, 1.5), {0, 0, 200, 200});
    const int ox = -ToDevice(-10, 1.5), oy = -ToDevice(-7, 1.5);
    EXPECT_EQ(d.pic->DeviceSurface(), whole.copy(ox, oy, 30, 15));
}

TEST(DevicePictureBox, KeepsItsDeviceDrawingThroughResizesAndANewRatio) {
    Dense d(2.0);
    d.pic->PaintPicture(WithDenser(2, 2), 1, 1);
    const Image before = d.pic->DeviceSurface().copy(2, 2, 4, 4);
    d.pic->Move(0, 0, 30 * 15, 12 * 15);
    EXPECT_EQ(d.pic->DeviceSurface().width(), 60);
    EXPECT_EQ(d.pic->DeviceSurface().copy(2, 2, 4, 4), before);
    // On a screen of another ratio the drawing is enlarged from the logical one.
    ScreenMetrics m;
    m.pixelRatio = 3.0;
    d.p.screen().setMetrics(m);
    d.pic->Move(0, 0, 20 * 15, 10 * 15);
    EXPECT_EQ(d.pic->DeviceRatio(), 3.0);
    EXPECT_EQ(d.pic->DeviceSurface().copy(3, 3, 6, 6), Image(6, 6, kRed));
    d.pic->Cls();
    EXPECT_EQ(d.pic->DeviceSurface().pixel(4, 4), kWhite);
}

TEST(DevicePictureBox, TextIsEnlargedFromTheLogicalDrawing) {
    Dense d(2.0);
    d.pic->setForeColor(kBlack);
    d.pic->Print(1, 1, "Ab");
    const Image& logical = d.pic->Surface();
    const Image& device = d.pic->DeviceSurface();
    int ink = 0;
    for (int y = 0; y < logical.height(); ++y)
        for (int x = 0; x < logical.width(); ++x) {
            ink += logical.pixel(x, y) != kWhite;
            ASSERT_EQ(device.pixel(2 * x + 1, 2 * y + 1), logical.pixel(x, y)) << x << "," << y;
        }
    EXPECT_GT(ink, 0);
}
