// What the window models tell assistive technology: role, name, state, value, rows, and the
// children a window paints for itself.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Slider.h"
#include "platform/VScrollBar.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel::platform;
using quindel::headless::HeadlessPlatform;

namespace {

constexpr int kTw = 15;

struct Expected {
    Role role;
    std::string name;
    bool focusable, disabled;
    std::optional<AccessibleValue> value;
};

}  // namespace

TEST(Accessible, EveryKindSaysItsRoleNameStateAndValue) {
    HeadlessPlatform p;
    auto form = p.NewForm();
    form->setCaption("Hasło");
    form->Show();
    auto disabledForm = p.NewForm();
    disabledForm->setEnabled(false);
    struct Case {
        std::string what;
        std::function<std::shared_ptr<Window>()> make;
        Expected expected;
    } cases[] = {
        {"form", [&] { return form; }, {Role::Window, "Hasło", false, false, {}}},
        {"dialog",
         [&] {
             auto f = p.NewForm();
             f->setBorderStyle(border::FixedDialog);
             f->setCaption("Drukuj");
             return f;
         },
         {Role::Dialog, "Drukuj", false, false, {}}},
        {"label without its padding",
         [&] {
             auto l = p.NewLabel(*form);
             l->setCaption("  Następny obiekt  ");
             return l;
         },
         {Role::StaticText, "Następny obiekt", false, false, {}}},
        {"slider",
         [&] {
             auto s = p.NewSlider(*form);
             s->setMax(100);
             s->setValue(40);
             s->setSmallChange(5);
             return s;
         },
         {Role::Slider, "", true, false, AccessibleValue{40, 0, 100, 5}}},
        {"disabled slider",
         [&] {
             auto s = p.NewSlider(*form);
             s->setEnabled(false);
             return s;
         },
         {Role::Slider, "", true, true, AccessibleValue{0, 0, 10, 1}}},
        {"scroll bar running backwards",
         [&] {
             auto b = p.NewVScrollBar(*form);
             b->setMin(10);
             b->setMax(1);
             b->setValue(4);
             return b;
         },
         {Role::ScrollBar, "", true, false, AccessibleValue{4, 1, 10, 1}}},
        {"button",
         [&] {
             auto b = p.NewCommandButton(*form);
             b->setCaption("OK");
             return b;
         },
         {Role::PushButton, "OK", true, false, {}}},
        {"picture box named by its user",
         [&] {
             auto pic = p.NewPictureBox(*form);
             pic->setAccessibleName("Wisła pod Krakowem");
             pic->setAccessibleRole(Role::Graphic);
             return pic;
         },
         {Role::Graphic, "Wisła pod Krakowem", false, false, {}}},
        {"a disabled form's control",
         [&] { return p.NewListBox(*disabledForm); },
         {Role::List, "", true, true, {}}},
    };
    for (const auto& c : cases) {
        const AccessibleDescription d = c.make()->Accessible();
        EXPECT_EQ(d.role, c.expected.role) << c.what;
        EXPECT_EQ(d.name, c.expected.name) << c.what;
        EXPECT_EQ(d.state.focusable, c.expected.focusable) << c.what;
        EXPECT_EQ(d.state.disabled, c.expected.disabled) << c.what;
        EXPECT_EQ(d.value, c.expected.value) << c.what;
    }
}

TEST(Accessible, AListsRowsAreItemsWithTheSelectionAndTheirPlaceInView) {
    HeadlessPlatform p;
    auto form = p.NewForm();
    auto list = p.NewListBox(*form);
    list->Move(0, 0, 200 * kTw, 3 * list->RowHeight() + 2 * kTw);
    for (const char* row : {"Kraków", "Wisła", "Tatry", "Gdańsk", "Poznań"}) list->AddItem(row);
    std::vector<std::string> chosen;
    list->OnMouseUp = [&](const MouseArgs&) {
        chosen.push_back(std::string(list->List(list->ListIndex())));
    };
    form->Show();
    list->setListIndex(1);
    ASSERT_EQ(list->AccessibleChildCount(), 5);
    struct Row {
        std::string name;
        bool selected, focused, offscreen;
    } before[] = {{"Kraków", false, false, false},
                  {"Wisła", true, false, false},
                  {"Tatry", false, false, false},
                  {"Gdańsk", false, false, true},
                  {"Poznań", false, false, true}};
    for (int i = 0; i < 5; ++i) {
        const AccessibleDescription d = list->AccessibleChild(i);
        EXPECT_EQ(d.role, Role::ListItem);
        EXPECT_EQ(d.name, before[i].name);
        EXPECT_EQ(d.state.selected, before[i].selected) << i;
        EXPECT_EQ(d.state.focused, before[i].focused) << i;
        EXPECT_EQ(d.state.offscreen, before[i].offscreen) << i;
        EXPECT_EQ(d.bounds.height() > 0, !before[i].offscreen) << i;
    }
    EXPECT_EQ(list->FocusedAccessibleChild(), -1);
    // A press on a row out of view brings it in and clicks it, focus and all.
    EXPECT_TRUE(list->PressAccessibleChild(4));
    EXPECT_EQ(chosen, std::vector<std::string>{"Poznań"});
    EXPECT_EQ(list->FocusedAccessibleChild(), 4);
    EXPECT_TRUE(list->AccessibleChild(4).state.focused);
    EXPECT_FALSE(list->AccessibleChild(0).state.selected);
    EXPECT_TRUE(list->AccessibleChild(0).state.offscreen);
    EXPECT_FALSE(list->PressAccessibleChild(5));
}

namespace {

// Three painted children; the second is disabled, the keyboard is on the third.
struct Painted : AccessibleChildren {
    std::vector<int> pressed;
    int Count() const override { return 3; }
    AccessibleDescription Child(int i) const override {
        AccessibleDescription d;
        d.role = Role::PushButton;
        d.name = "child " + std::to_string(i);
        d.state.disabled = i == 1;
        return d;
    }
    int FocusedChild() const override { return 2; }
    bool Press(int i) override {
        if (i == 1) return false;
        pressed.push_back(i);
        return true;
    }
};

}  // namespace

TEST(Accessible, PaintedChildrenLiveAsLongAsTheirProviderAndArePressedOnlyWhenUsable) {
    HeadlessPlatform p;
    auto form = p.NewForm();
    auto strip = p.NewPictureBox(*form);
    auto painted = std::make_shared<Painted>();
    strip->setAccessibleChildren(painted);
    form->Show();
    EXPECT_EQ(strip->AccessibleChildCount(), 3);
    EXPECT_EQ(strip->AccessibleChild(2).name, "child 2");
    EXPECT_EQ(strip->FocusedAccessibleChild(), -1) << "the strip has no focus";
    strip->SetFocus();
    EXPECT_EQ(strip->FocusedAccessibleChild(), 2);
    EXPECT_TRUE(strip->PressAccessibleChild(0));
    EXPECT_FALSE(strip->PressAccessibleChild(1));
    EXPECT_FALSE(strip->PressAccessibleChild(3));
    strip->setEnabled(false);
    EXPECT_FALSE(strip->PressAccessibleChild(2));
    EXPECT_EQ(painted->pressed, std::vector<int>{0});

    const AccessibleNode tree = AccessibleTree(*form);
    ASSERT_EQ(tree.children.size(), 1u);
    EXPECT_EQ(tree.children[0].children.size(), 3u);
    const AccessibleNode* found = FindAccessible(tree, Role::PushButton, "child 1");
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->what.state.disabled);
    EXPECT_EQ(found->window, 0);

    painted.reset();
    EXPECT_EQ(strip->AccessibleChildCount(), 0);
    EXPECT_EQ(strip->AccessibleChild(0).name, "");
}
