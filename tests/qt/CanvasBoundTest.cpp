// The Qt peer of a window far larger than the screen: its widget, and so its paint buffer, stays
// within twice the screen each way, and the model keeps its own size.
#include <gtest/gtest.h>

#include <QWidget>

#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/qt/QtPlatform.h"

namespace quindel::test {
namespace {

using namespace quindel::platform;

TEST(QtCanvasBound, AHugeWindowsWidgetStaysWithinTwiceTheScreen) {
    qt::QtPlatform p;
    auto form = p.NewForm();
    form->setBorderStyle(border::None);
    auto box = p.NewPictureBox(*form);
    constexpr std::int32_t kHuge = 1'500'000;
    form->Move(0, 0, kHuge, kHuge);
    box->Move(0, 0, kHuge, kHuge);
    form->Show();
    p.Sync();
    const SizePx bound = p.screen().MaxCanvasPx();
    for (Window* w : {static_cast<Window*>(form.get()), static_cast<Window*>(box.get())}) {
        QWidget* widget = p.Widget(*w);
        ASSERT_NE(widget, nullptr);
        EXPECT_LE(widget->width(), bound.width);
        EXPECT_LE(widget->height(), bound.height);
        EXPECT_EQ(w->Width(), kHuge) << "an echo of the widget must not shrink the model";
    }
    const Image shot = p.Grab(*form);
    EXPECT_LE(shot.width(), bound.width);
}

}  // namespace
}  // namespace quindel::test
