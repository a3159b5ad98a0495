// The drawing and layout helpers, read back as pixels and positions.
#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessPlatform.h"
#include "toolbar/Graphics.h"

using namespace quindel;
using namespace quindel::platform;

namespace {
constexpr Rgba kBack = MakeRgb(10, 20, 30), kBlack = MakeRgb(0, 0, 0),
               kWhite = MakeRgb(255, 255, 255), kGrey = MakeRgb(128, 128, 128);

struct Canvas {
    headless::HeadlessPlatform p;
    std::shared_ptr<Form> f = p.NewForm();
    std::shared_ptr<PictureBox> pic = p.NewPictureBox(*f);
    Canvas() {
        pic->setBorderStyle(0);
        pic->Move(0, 0, 20 * 15, 20 * 15);
        pic->setBackColor(kBack);
    }
    ~Canvas() { f->Unload(); }
    Rgba At(int x, int y) const { return pic->Surface().pixel(x, y); }
};
}  // namespace

TEST(Graphics, ABorderTwoPixelsThickCoversBothRingsAndStopsShortOfTheFarCorner) {
    Canvas c;
    c.pic->setScaleMode(scale::Pixels);  // the border works in twips all the same
    DisegnaBordo(*c.pic, 2 * 15, 2 * 15, 12 * 15, 10 * 15, 1, 2);
    EXPECT_EQ(c.pic->ScaleMode(), scale::Pixels);
    auto edge = [](int x, int y, int l, int t, int r, int b) {
        return x >= l && x <= r && y >= t && y <= b && (x == l || x == r || y == t || y == b);
    };
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool ring =
                (edge(x, y, 2, 2, 12, 10) && !(x == 12 && y == 10)) || edge(x, y, 3, 3, 11, 9);
            EXPECT_EQ(c.At(x, y), ring ? kBlack : kBack) << x << "," << y;
        }
}

TEST(Graphics, AnEtchedLineIsGreyWithWhiteOnePixelDownRight) {
    Canvas c;
    c.pic->setScaleMode(scale::Pixels);  // the offset is one pixel in either scale
    DisegnaLineaIncisa(*c.pic, 2, 4, 8, 4);
    const Rgba row4[] = {kBack, kGrey, kGrey, kGrey, kGrey, kGrey, kGrey, kBack, kBack};
    const Rgba row5[] = {kBack, kBack, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kBack};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(c.At(1 + i, 4), row4[i]) << 1 + i;
        EXPECT_EQ(c.At(1 + i, 5), row5[i]) << 1 + i;
    }
}
