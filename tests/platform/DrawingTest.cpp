// Persistent drawing, raster operations, picture strips and bitmaps, read back as pixels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestFolder.h"
#include "platform/Bmp.h"
#include "platform/Form.h"
#include "platform/ModelRenderer.h"
#include "platform/PictureBox.h"
#include "platform/PictureStrip.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/VbError.h"

using namespace quindel::platform;
using quindel::headless::HeadlessPlatform;

namespace {
constexpr Rgba kRed = MakeRgb(255, 0, 0), kBlack = MakeRgb(0, 0, 0),
               kWhite = MakeRgb(255, 255, 255);

struct Fixture {
    HeadlessPlatform p;
    std::shared_ptr<Form> f = p.NewForm();
    std::shared_ptr<PictureBox> pic = p.NewPictureBox(*f);
    Fixture() {
        pic->setBorderStyle(0);
        pic->Move(0, 0, 20 * 15, 10 * 15);
        pic->setBackColor(kWhite);
    }
};
}  // namespace

TEST(PictureBox, LinesInTwipsAndPixelsExcludeTheirEndPoint) {
    Fixture fx;
    fx.pic->Line(0, 0, 5 * 15, 0, kRed);
    fx.pic->setScaleMode(scale::Pixels);
    fx.pic->Line(0, 2, 0, 6, kBlack);
    const Image& s = fx.pic->Surface();
    EXPECT_EQ(s.pixel(4, 0), kRed);
    EXPECT_EQ(s.pixel(5, 0), kWhite);
    EXPECT_EQ(s.pixel(0, 5), kBlack);
    EXPECT_EQ(s.pixel(0, 6), kWhite);
}

TEST(PictureBox, RasterOperationsCombineWithWhatIsThere) {
    struct Case {
        std::int32_t op;
        Rgba under, src, expected;
    } cases[] = {
        {rop::SrcCopy, MakeRgb(10, 20, 30), MakeRgb(0xF0, 0x0F, 0x55), MakeRgb(0xF0, 0x0F, 0x55)},
        {rop::SrcAnd, MakeRgb(0xFF, 0x0F, 0x33), MakeRgb(0xF0, 0xFF, 0x0F),
         MakeRgb(0xF0, 0x0F, 0x03)},
        {rop::SrcPaint, MakeRgb(0x0F, 0x00, 0x30), MakeRgb(0xF0, 0x01, 0x03),
         MakeRgb(0xFF, 0x01, 0x33)},
        {rop::SrcInvert, MakeRgb(0xFF, 0x00, 0x0F), MakeRgb(0x0F, 0x00, 0xFF),
         MakeRgb(0xF0, 0x00, 0xF0)},
    };
    for (const auto& c : cases) {
        Fixture fx;
        fx.pic->setBackColor(c.under);
        fx.pic->PaintPicture(Image(2, 2, c.src), 15, 15, -1, -1, 0, 0, -1, -1, c.op);
        EXPECT_EQ(fx.pic->Surface().pixel(1, 1), c.expected) << std::hex << c.op;
        EXPECT_EQ(fx.pic->Surface().pixel(0, 0), c.under);
    }
}

TEST(PictureBox, DrawingSurvivesMovesAndGrowsWithTheBox) {
    Fixture fx;
    fx.pic->PaintPicture(Image(3, 3, kRed), 0, 0);
    fx.pic->Move(150, 150, 40 * 15, 10 * 15);
    EXPECT_EQ(fx.pic->Surface().width(), 40);
    EXPECT_EQ(fx.pic->Surface().pixel(2, 2), kRed);
    EXPECT_EQ(fx.pic->Surface().pixel(30, 2), kWhite);
    fx.pic->Cls();
    EXPECT_EQ(fx.pic->Surface().pixel(2, 2), kWhite);
}

TEST(PictureStrip, CellsAreCutRowByRow) {
    Image img(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) img.setPixel(x, y, MakeRgb(x, y, 0));
    PictureStrip strip(img, 2, 3);
    EXPECT_EQ(strip.CellWidth(), 2);
    EXPECT_EQ(strip.CellHeight(), 2);
    const Image cell = strip.GraphicCell(4);  // row 1, column 1
    EXPECT_EQ(cell.pixel(0, 0), MakeRgb(2, 2, 0));
    EXPECT_THROW(strip.GraphicCell(6), quindel::VbError);
}

TEST(Bmp, EightBitPaletteBottomUpRoundTripsThroughTheDecoder) {
    // 3 x 2 pixels, 8 bpp, two palette colours, rows padded to 4 bytes, stored bottom-up.
    std::string b = "BM";
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 255);
    };
    auto u16 = [&](std::uint16_t v) { b += char(v & 255), b += char(v >> 8); };
    u32(14 + 40 + 8 + 8), u32(0), u32(14 + 40 + 8);
    u32(40), u32(3), u32(2), u16(1), u16(8), u32(0), u32(8), u32(0), u32(0), u32(2), u32(0);
    b += std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);  // red, blue (BGRx)
    b += std::string("\x01\x01\x01\x00", 4);                  // bottom row: blue
    b += std::string("\x00\x01\x00\x00", 4);                  // top row: red blue red
    const auto img = DecodeBmp(b);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->pixel(0, 0), MakeRgb(255, 0, 0));
    EXPECT_EQ(img->pixel(1, 0), MakeRgb(0, 0, 255));
    EXPECT_EQ(img->pixel(0, 1), MakeRgb(0, 0, 255));
    for (std::size_t cut : {0u, 20u, 60u, 65u}) EXPECT_FALSE(DecodeBmp(b.substr(0, cut))) << cut;
}

TEST(Image, SavesAPngAndReportsAnUnwritablePath) {
    const quindel::test::TestFolder folder{"quindel_image"};
    const auto path = folder.path() / "image.png";
    EXPECT_TRUE(Image(4, 3, kRed).savePng(path.string()));
    std::ifstream in(path, std::ios::binary);
    char sig[8] = {};
    in.read(sig, 8);
    EXPECT_EQ(std::string(sig + 1, 3), "PNG");
    EXPECT_FALSE(Image(4, 3).savePng("/nonexistent-folder/x.png"));
}

TEST(ComposeRegion, AWindowReachingPastTheScreenIsDrawnWhole) {
    HeadlessPlatform p;
    const Screen& s = p.screen();
    auto f = p.NewForm();
    f->setBorderStyle(border::None);
    f->setBackColor(kRed);
    // From 40 pixels in, twice as wide as the screen.
    f->Move(40 * s.TwipsPerPixelX(), 0, 2 * s.WidthTwips(), 100 * s.TwipsPerPixelY());
    f->Show();
    const RectPx r = f->ScreenRectPx();
    const Image whole = ComposeRegion(p, r);
    ASSERT_EQ(whole.width(), r.width());
    EXPECT_EQ(whole.pixel(r.width() - 1, 50), kRed);  // far past the screen's right edge
    EXPECT_EQ(ComposeScreen(p).width(), s.WidthPx());
}
