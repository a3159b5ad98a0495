// One button: the cell each state shows (read back as pixels), the masked drawing, the memory of
// turned-off bits and the group rule of its value.
#include <gtest/gtest.h>

#include "ToolbarFixture.h"
#include "toolbar/ClassePulsante.h"

using namespace quindel;
using namespace quindel::platform;
using quindel::test::ToolbarFixture;
namespace t = quindel::test;

TEST(ClassePulsante, EveryStateShowsItsCell) {
    constexpr int kNothing = -1;
    struct Case {
        std::int16_t status;
        int row;
    } cases[] = {
        {9, t::kRowUp},       {13, t::kRowLitUp},    {11, t::kRowDown}, {15, t::kRowLitDown},
        {8, t::kRowDisabled}, {12, t::kRowDisabled}, {10, t::kRowDown}, {14, t::kRowDown},
        {1, kNothing},        {7, kNothing},
    };
    for (const auto& c : cases) {
        ToolbarFixture fx;
        fx.Add(0, 5);
        fx.tb->ShowAllButtons();
        fx.surface->setBackColor(MakeRgb(1, 2, 3));  // wipes the drawing
        ClassePulsante& b = fx.tb->Button(1);
        b.setStatus(c.status);
        b.Show();
        const Image expected = c.row == kNothing ? Image(fx.CellPx(), fx.CellPx(), MakeRgb(1, 2, 3))
                                                 : fx.Cell(c.row, 5);
        EXPECT_EQ(fx.Area(1), expected) << "status " << c.status;
        // The state can also be given for one drawing, leaving the button's own alone.
        fx.surface->Cls();
        b.setStatus(9);
        b.ShowAt(fx.surface, fx.sfondo, b.X(), b.Y(), c.status);
        EXPECT_EQ(fx.Area(1), expected) << "given status " << c.status;
        EXPECT_EQ(b.Status(), 9);
    }
}

namespace {
// Cells of 8 x 8 pixels: 0 the mask (lit up), 1 the picture (up), 2 lit down, 3 down,
// 4 disabled.
constexpr Rgba kBack = MakeRgb(0xF0, 0xCC, 0x33), kMask = MakeRgb(0x0F, 0xFF, 0x00),
               kPicture = MakeRgb(0x10, 0x00, 0x04);
constexpr Rgba kBlended = MakeRgb(0x10, 0xCC, 0x04);  // (back AND mask) OR picture
constexpr Rgba kWhite = MakeRgb(255, 255, 255), kGrey = MakeRgb(128, 128, 128);

std::shared_ptr<PictureStrip> MaskedStrip() {
    Image img(40, 8, MakeRgb(200, 0, 200));
    img.fillRect(0, 0, 8, 8, kMask);
    img.fillRect(8, 0, 8, 8, kPicture);
    return std::make_shared<PictureStrip>(img, 1, 5);
}
}  // namespace

TEST(ClassePulsante, MaskedModeBlendsOverTheBackgroundAndFramesTheState) {
    // (1, 0) lies on the frame's top edge and inside the picture; (3, 6) on the frame's bottom
    // edge, just below the picture; (3, 3) inside; (7, 7) outside the picture but inside the
    // button: where no frame is drawn, the background shows there.
    struct Case {
        std::int16_t status;
        Rgba top, bottom;
    } cases[] = {
        {9, kBlended, kBack},  // up: no frame
        {13, kWhite, kGrey},   // lit up: raised
        {11, kGrey, kWhite},   // down: sunken
        {15, kGrey, kWhite},   // lit down: sunken
        {8, kBlended, kBack},  // disabled: no frame
    };
    for (const auto& c : cases) {
        ToolbarFixture fx(std::int16_t(1), MaskedStrip());
        fx.sfondo->setBackColor(kBack);
        fx.tb->AddButton(0, false, "", 1, 3, 3, 4, 0, 2, 0, nullptr);
        fx.tb->ShowAllButtons();
        ClassePulsante& b = fx.tb->Button(1);
        b.setStatus(c.status);
        b.Show();
        const Image area = fx.Area(1);
        EXPECT_EQ(area.pixel(3, 3), kBlended) << c.status;
        EXPECT_EQ(area.pixel(1, 0), c.top) << c.status;
        EXPECT_EQ(area.pixel(3, 6), c.bottom) << c.status;
        EXPECT_EQ(area.pixel(7, 7), kBack) << c.status;
    }
}

TEST(ClassePulsante, TurnedOffBitsAreRememberedInOldStatus) {
    struct Case {
        std::int16_t from, to, oldStatus;
        bool tipBack;  // a tooltip switched off comes back
    } cases[] = {
        {9, 8, 1, true},     // disabled: the enabled bit is remembered
        {11, 9, 2, true},    // pulled up
        {11, 0, 11, true},   // hidden, disabled and up at once
        {9, 11, 0, false},   // turning a bit on leaves no trace
        {15, 11, 0, false},  // the lit bit is not tracked
    };
    for (const auto& c : cases) {
        ToolbarFixture fx;
        fx.AddAndShow(1);
        ClassePulsante& b = fx.tb->Button(1);
        b.setStatus(c.from);
        b.setOldStatus(0);
        b.setToolTipEnabled(false);
        b.setStatus(c.to);
        EXPECT_EQ(b.OldStatus(), c.oldStatus) << c.from << " -> " << c.to;
        EXPECT_EQ(b.ToolTipEnabled(), c.tipBack) << c.from << " -> " << c.to;
        EXPECT_EQ(fx.tb->OldButtonDown(1), (c.oldStatus & 2) != 0);
        fx.tb->setOldButtonDown(1, true);
        EXPECT_EQ(b.OldStatus(), c.oldStatus | 2) << "only the down bit";
    }
}

TEST(ClassePulsante, ValuePullsUpItsGroupOnlyWhenItsOwnFlagSaysSo) {
    struct Case {
        bool flag;
        bool othersStayDown;
    } cases[] = {{true, false}, {false, true}};
    for (const auto& c : cases) {
        ToolbarFixture fx;
        fx.Add(1, 0);
        fx.Add(1, 1);
        fx.Add(2, 2);
        fx.Add(1, 3, false, Variant::Missing(), c.flag);
        fx.tb->ShowAllButtons();
        for (std::int16_t i : {1, 2, 3}) fx.tb->Button(i).setvalue(true);
        fx.tb->Button(4).setvalue(true);
        EXPECT_TRUE(fx.tb->Button(4).value());
        EXPECT_EQ(fx.tb->Button(2).value(), c.othersStayDown) << c.flag;
        EXPECT_TRUE(fx.tb->Button(3).value()) << "another group";
        // The drawing follows the value.
        EXPECT_EQ(fx.Area(4), fx.Cell(t::kRowDown, 3));
    }
}
