#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel::platform;
using quindel::headless::HeadlessPlatform;

TEST(WindowSystem, OwnerSlotShowWithoutActivationAndRectangles) {
    HeadlessPlatform p;
    auto host = p.NewForm();
    auto tip = p.NewForm();
    tip->setBorderStyle(border::None);
    tip->Move(1500, 3000, 600, 300);
    host->Show();
    WindowSystem& api = p.api();
    EXPECT_EQ(api.SetWindowWord(tip->hWnd(), GWW_HWNDPARENT, host->hWnd()), 0);
    EXPECT_EQ(api.Owner(tip->hWnd()), host->hWnd());
    EXPECT_EQ(api.SetWindowWord(tip->hWnd(), GWW_HWNDPARENT, 0), host->hWnd());
    EXPECT_EQ(api.SetWindowWord(tip->hWnd(), -4, host->hWnd()), 0);

    api.ShowWindow(tip->hWnd(), showcmd::ShowNoActivate);
    EXPECT_TRUE(tip->Visible());
    EXPECT_EQ(p.ActiveForm(), host.get());
    RectPx r;
    ASSERT_TRUE(api.GetWindowRect(tip->hWnd(), r));
    EXPECT_EQ(r, (RectPx{100, 200, 140, 220}));
    EXPECT_FALSE(api.GetWindowRect(99999, r));
    EXPECT_EQ(api.GetSystemMetrics(0), 1024);
    EXPECT_EQ(api.GetSystemMetrics(1), 768);
}

TEST(WindowSystem, CursorToClientThroughTheFormFrame) {
    HeadlessPlatform p;
    auto f = p.NewForm();  // sizable: 4 px border, 20 px caption
    f->Move(1500, 1500, 6000, 6000);
    auto pic = p.NewPictureBox(*f);
    pic->setBorderStyle(0);
    pic->Move(300, 150, 1500, 1500);
    p.screen().setCursorPos({130, 140});
    PointPx c = p.api().GetCursorPos();
    ASSERT_TRUE(p.api().ScreenToClient(pic->hWnd(), c));
    EXPECT_EQ(c, (PointPx{130 - 100 - 4 - 20, 140 - 100 - 24 - 10}));
}

TEST(WindowSystem, OnlyOneWindowIsFrozenAtATime) {
    HeadlessPlatform p;
    auto a = p.NewForm();
    auto b = p.NewForm();
    WindowSystem& api = p.api();
    EXPECT_TRUE(api.LockWindowUpdate(a->hWnd()));
    EXPECT_FALSE(api.LockWindowUpdate(b->hWnd()));
    EXPECT_TRUE(api.LockWindowUpdate(0));
    EXPECT_EQ(api.LockedWindow(), 0);
    EXPECT_EQ(api.LockHistory(), (std::vector<Handle>{a->hWnd(), b->hWnd(), 0}));
}
