// A window whose model is far larger than the screen (a size read from content): what it keeps
// and what it paints stays within twice the screen each way.
#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel;

TEST(CanvasBound, HugeWindowsKeepAndPaintNoMoreThanTwiceTheScreen) {
    headless::HeadlessPlatform p;  // 1024 x 768 pixels
    const platform::SizePx bound = p.screen().MaxCanvasPx();
    ASSERT_EQ(bound.width, 2048);
    ASSERT_EQ(bound.height, 1536);
    auto form = p.NewForm();
    form->setBorderStyle(platform::border::None);
    auto box = p.NewPictureBox(*form);
    constexpr std::int32_t kHuge = 1'500'000;  // twips: 100,000 pixels
    form->Move(0, 0, kHuge, kHuge);
    box->Move(0, 0, kHuge, kHuge);
    form->Show();
    EXPECT_EQ(box->Width(), kHuge) << "the model keeps what it was given";
    EXPECT_LE(box->Surface().width(), bound.width);
    EXPECT_LE(box->Surface().height(), bound.height);
    box->Line(0, 0, kHuge, kHuge, platform::MakeRgb(255, 0, 0));  // draws within what it keeps
    const platform::Image shot = p.Grab(*form);
    EXPECT_EQ(shot.width(), bound.width);
    EXPECT_EQ(shot.height(), bound.height);
}
