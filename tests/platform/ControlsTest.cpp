// Behaviour of the control models that the panel relies on.
#include <gtest/gtest.h>

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/Slider.h"
#include "platform/VScrollBar.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/TestSupport.h"
#include "runtime/VbError.h"

using namespace quindel::platform;
using quindel::VbError;
using quindel::headless::HeadlessPlatform;

using quindel::test::ErrorNumberOf;

TEST(ListBox, HeightIsRoundedDownToWholeRows) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    auto l = p.NewListBox(*f);
    const int row = l->RowHeight(), border = 2 * 15;
    for (int rows : {1, 3, 14}) {
        for (int extra : {0, 1, row - 15}) {
            l->setHeight(rows * row + border + extra);
            EXPECT_EQ(l->Height(), rows * row + border) << rows << "+" << extra;
            EXPECT_EQ(l->VisibleRows(), rows);
        }
    }
    l->setHeight(0);
    EXPECT_EQ(l->VisibleRows(), 1);
}

TEST(ListBox, SelectionRaisesClickAndStaysVisible) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    auto l = p.NewListBox(*f);
    l->setHeight(3 * l->RowHeight() + 30);
    for (int i = 0; i < 10; ++i) l->AddItem("row " + std::to_string(i));
    int clicks = 0;
    l->OnClick = [&] { ++clicks; };
    l->setListIndex(7);
    EXPECT_EQ(l->TopIndex(), 5);
    l->setListIndex(7);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ErrorNumberOf([&] { l->setListIndex(10); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { l->List(10); }), 381);
    l->Clear();
    EXPECT_EQ(l->ListIndex(), -1);
}

TEST(ListBox, RemovingARowKeepsTheOthersWhole) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    auto l = p.NewListBox(*f);
    for (const char* row : {"a", "", "Wisła", "dddd"}) l->AddItem(row);
    l->RemoveItem(1);
    l->RemoveItem(0);
    ASSERT_EQ(l->ListCount(), 2);
    EXPECT_EQ(l->List(0), "Wisła");
    EXPECT_EQ(l->List(1), "dddd");
    l->AddItem("e");
    l->RemoveItem(1);
    EXPECT_EQ(l->List(1), "e");
    EXPECT_EQ(ErrorNumberOf([&] { l->RemoveItem(2); }), 5);
}

TEST(VScrollBar, ValueChangesRaiseChangeAndOutOfRangeIs380) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    auto s = p.NewVScrollBar(*f);
    s->setMin(1);
    s->setMax(100);
    std::vector<int> changes;
    s->OnChange = [&] { changes.push_back(s->Value()); };
    s->setValue(50);
    s->setValue(50);
    EXPECT_EQ(ErrorNumberOf([&] { s->setValue(101); }), 380);
    s->setMax(20);  // shrinking the range pulls the value in
    EXPECT_EQ(changes, (std::vector<int>{50, 20}));
}

TEST(VScrollBar, ArrowsAndTrackStepTheValue) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    f->setBorderStyle(border::None);
    f->Move(0, 0, 3000, 3000);
    auto s = p.NewVScrollBar(*f);
    s->Move(0, 0, 255, 3000);  // 17 x 200 px
    s->setMin(1);
    s->setMax(100);
    s->setValue(50);
    s->setLargeChange(10);
    f->Show();
    struct Step {
        int y;
        int expected;
    } steps[] = {{2, 49}, {198, 50}, {30, 40}, {150, 50}};
    for (const auto& st : steps) {
        p.Input().MoveTo(5, st.y).Press().Release();
        p.Pump();
        EXPECT_EQ(s->Value(), st.expected) << st.y;
    }
}

TEST(Slider, ExtenderBooleanIsStoredAndRangeIsChecked) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    auto s = p.NewSlider(*f);
    EXPECT_FALSE(s->ExtenderBool(0x8001000D));
    s->setExtenderBool(0x8001000D, true);
    EXPECT_TRUE(s->ExtenderBool(0x8001000D));
    s->setExtenderBool(0x8001000D, false);
    EXPECT_FALSE(s->ExtenderBool(0x8001000D));
    EXPECT_EQ(ErrorNumberOf([&] { s->setValue(11); }), 380);
}

TEST(CommandButton, ValueFiresClickSynchronouslyAndReentrantly) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    auto b = p.NewCommandButton(*f);
    b->setVisible(false);
    std::vector<std::string> log;
    b->OnClick = [&] {
        log.push_back("begin " + b->Tag() + " depth " + std::to_string(b->Depth()));
        if (b->Tag() == "-3") {
            b->setTag("-9");
            b->setValue(true);
        }
        log.push_back("end " + b->Tag());
    };
    b->setTag("-3");
    b->setValue(true);
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(log, (std::vector<std::string>{"begin -3 depth 1", "begin -9 depth 2", "end -9",
                                             "end -9"}));
}

TEST(Label, AutoSizeFollowsTheCaptionBeforeChangeIsRaised) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    auto l = p.NewLabel(*f);
    l->setAutoSize(true);
    l->setBorderStyle(1);
    int widthSeen = 0;
    l->OnChange = [&] { widthSeen = l->Width(); };
    l->setCaption(" Zamknij ");
    EXPECT_EQ(widthSeen, (p.MeasureText(" Zamknij ").width + 2) * 15);
    EXPECT_EQ(l->Height(), (p.MeasureText("x").height + 2) * 15);
}

TEST(Form, UnloadDestroysTheFormAndItsChildren) {
    HeadlessPlatform p;
    auto f = p.NewForm();
    auto l = p.NewListBox(*f);
    const Handle fh = f->hWnd(), lh = l->hWnd();
    bool unloaded = false;
    f->OnUnload = [&] { unloaded = true; };
    f->Show();
    l->SetFocus();
    EXPECT_EQ(p.FindWindow(lh), l.get());
    f->Unload();
    EXPECT_TRUE(unloaded);
    EXPECT_EQ(p.FindWindow(fh), nullptr);
    EXPECT_EQ(p.FindWindow(lh), nullptr);
    EXPECT_EQ(p.Focused(), nullptr);
    EXPECT_EQ(ErrorNumberOf([&] { l->SetFocus(); }), 5);
}
