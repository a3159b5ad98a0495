// The drawing and layout helpers, read back as pixels and positions.
#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/Label.h"
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
    Rgba At(int x, int y) const { return pic->Surface().pixel(x, y); }
};
}  // namespace

TEST(Graphics, ABorderTwoPixelsThickCoversBothRingsAndStopsShortOfTheFarCorner) {
    Canvas c;
    c.pic->setScaleMode(scale::Pixels);  // the border works in twips all the same
    DisegnaBordo(*c.pic, 2 * 15, 2 * 15, 12 * 15, 10 * 15, 1, 2);
    EXPECT_EQ(c.pic->ScaleMode(), scale::Pixels) << "the scale mode comes back";
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool outer = x >= 2 && x <= 12 && y >= 2 && y <= 10 &&
                               (x == 2 || x == 12 || y == 2 || y == 10) && !(x == 12 && y == 10);
            const bool inner =
                x >= 3 && x <= 11 && y >= 3 && y <= 9 && (x == 3 || x == 11 || y == 3 || y == 9);
            EXPECT_EQ(c.At(x, y), outer || inner ? kBlack : kBack) << x << "," << y;
        }
}

TEST(Graphics, BorderStylesPickTheirLightAndDarkSides) {
    struct Case {
        std::int16_t style;
        Rgba light, dark;
    } cases[] = {
        {0, kWhite, kGrey},  {2, kGrey, kWhite},  {3, kWhite, kBlack},
        {4, kBlack, kWhite}, {1, kBlack, kBlack}, {7, kBlack, kBlack},
    };
    for (const auto& k : cases) {
        Canvas c;
        DisegnaBordo(*c.pic, 2 * 15, 2 * 15, 12 * 15, 10 * 15, k.style, 1);
        EXPECT_EQ(c.At(5, 2), k.light) << "top, style " << k.style;
        EXPECT_EQ(c.At(2, 5), k.light) << "left, style " << k.style;
        EXPECT_EQ(c.At(5, 10), k.dark) << "bottom, style " << k.style;
        EXPECT_EQ(c.At(12, 5), k.dark) << "right, style " << k.style;
        EXPECT_EQ(c.At(5, 5), kBack);
    }
}

TEST(Graphics, AnEtchedLineIsGreyWithWhiteOnePixelDownRight) {
    for (const std::int16_t mode : {scale::Twips, scale::Pixels}) {
        Canvas c;
        c.pic->setScaleMode(mode);
        const double u = mode == scale::Twips ? 15 : 1;
        DisegnaLineaIncisa(*c.pic, 2 * u, 4 * u, 8 * u, 4 * u);
        EXPECT_EQ(c.At(2, 4), kGrey);
        EXPECT_EQ(c.At(7, 4), kGrey);
        EXPECT_EQ(c.At(8, 4), kBack);
        EXPECT_EQ(c.At(2, 5), kBack);
        EXPECT_EQ(c.At(3, 5), kWhite);
        EXPECT_EQ(c.At(8, 5), kWhite);
        EXPECT_EQ(c.At(9, 5), kBack);
    }
}

TEST(Graphics, CentringNeverPushesPastTheTopLeftCorner) {
    struct Case {
        int w, h, left, top;
    } cases[] = {
        {1000, 600, 1000, 700},  // client 3000 x 2000
        {1001, 601, 1000, 700},  // halves round to even
        {4000, 2500, 0, 0},      // bigger than the form
    };
    for (const auto& c : cases) {
        headless::HeadlessPlatform p;
        auto f = p.NewForm();
        f->setBorderStyle(border::None);
        f->Move(0, 0, 3000, 2000);
        auto label = p.NewLabel(*f);
        label->Move(5, 5, c.w, c.h);
        CentraControlInForm(*label, *f);
        EXPECT_EQ(label->Left(), c.left) << c.w;
        EXPECT_EQ(label->Top(), c.top) << c.w;
        EXPECT_EQ(label->Width(), c.w);
    }
}

TEST(Graphics, EveryLabelOnTheFormGetsThePictureAsPointer) {
    headless::HeadlessPlatform p;
    auto f = p.NewForm();
    auto top = p.NewLabel(*f);
    auto box = p.NewPictureBox(*f);
    auto nested = p.NewLabel(*box);
    auto cursor = p.NewPictureBox(*f);
    cursor->setBorderStyle(0);
    cursor->Move(0, 0, 32 * 15, 32 * 15);
    cursor->setBackColor(MakeRgb(255, 0, 255));
    ImpostaCursoreControlli(*f, *cursor);
    for (const auto& l : {top, nested}) {
        EXPECT_EQ(l->MousePointer(), pointer::Custom);
        EXPECT_EQ(l->MouseIcon(), cursor->Surface());
    }
    EXPECT_EQ(box->MousePointer(), pointer::Default);
}
