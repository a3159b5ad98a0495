// The keyboard through the input funnel: where keys go, and how Tab walks the tab stops.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Slider.h"
#include "platform/TabOrder.h"
#include "platform/VScrollBar.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel::platform;
using quindel::headless::HeadlessPlatform;

namespace {

constexpr int kTw = 15;

// A form with windows of every kind, some that take no focus: a plain picture box, a hidden
// list box, a disabled button, a list box told not to, and a picture box told to, holding a
// slider of its own.
struct Ring {
    HeadlessPlatform p;
    std::shared_ptr<Form> form = p.NewForm();
    std::map<Window*, std::string> names;

    template <class T>
    std::shared_ptr<T> Named(std::shared_ptr<T> w, std::string name, int row) {
        w->Move(10 * kTw, row * 30 * kTw, 100 * kTw, 25 * kTw);
        names[w.get()] = std::move(name);
        return w;
    }

    Ring() {
        form->Move(0, 0, 400 * kTw, 400 * kTw);
        Named(p.NewListBox(*form), "list", 0);
        Named(p.NewPictureBox(*form), "plain picture", 1);
        Named(p.NewSlider(*form), "slider", 2);
        Named(p.NewListBox(*form), "hidden list", 3)->setVisible(false);
        Named(p.NewCommandButton(*form), "disabled button", 4)->setEnabled(false);
        Named(p.NewVScrollBar(*form), "no-stop bar", 5)->setTabStop(false);
        auto strip = Named(p.NewPictureBox(*form), "strip", 6);
        strip->setTabStop(true);
        strip->setHeight(200 * kTw);
        names[p.NewSlider(*strip).get()] = "inner slider";
        Named(p.NewCommandButton(*form), "button", 7);
        form->Show();
    }
    std::string FocusName() const {
        const auto it = names.find(p.Focused());
        return it == names.end() ? "(none)" : it->second;
    }
};

}  // namespace

TEST(Keyboard, TabWalksTheTabStopsThatTakeInputAndWrapsBothWays) {
    struct Case {
        std::int16_t shift;
        std::vector<std::string> focus;
    } cases[] = {
        {0, {"list", "slider", "strip", "inner slider", "button", "list", "slider"}},
        {modifier::Shift, {"button", "inner slider", "strip", "slider", "list", "button"}},
    };
    for (const auto& c : cases) {
        Ring r;
        std::vector<std::string> seen;
        for (std::size_t i = 0; i < c.focus.size(); ++i) {
            r.p.Input().Key(key::Tab, 0, c.shift);
            r.p.Pump();
            seen.push_back(r.FocusName());
        }
        EXPECT_EQ(seen, c.focus) << "shift " << c.shift;
    }
}

TEST(Keyboard, TabIsTheRingsAndOtherKeysGoToTheFocusedWindowOrTheActiveForm) {
    Ring r;
    std::vector<std::string> downs;
    auto record = [&](std::string who) {
        return [&downs, who](std::int16_t& code, std::int16_t shift) {
            downs.push_back(who + " " + std::to_string(code) + "/" + std::to_string(shift));
        };
    };
    r.form->OnKeyDown = record("form");
    auto* list = static_cast<ListBox*>(r.form->Children()[0].get());
    list->OnKeyDown = record("list");
    // Nothing has the focus: the form hears the key; Tab moves into the ring unheard.
    r.p.Input().Key(key::F5).Key(key::Tab).Key(key::Tab, 0, modifier::Ctrl).Key('A');
    r.p.Pump();
    EXPECT_EQ(downs, (std::vector<std::string>{"form 116/0", "list 9/2", "list 65/0"}));
}

TEST(Keyboard, OnlyTabStopsTakeTheFocusFromAClick) {
    Ring r;
    const auto& kids = r.form->Children();
    struct Case {
        std::size_t child;
        std::string focus;
    } cases[] = {{1, "(none)"}, {5, "(none)"}, {6, "strip"}, {2, "slider"}, {1, "slider"}};
    for (const auto& c : cases) {
        const RectPx at = kids[c.child]->ScreenRectPx();
        r.p.Input().Click(at.left + 3, at.top + 3);
        r.p.Pump();
        EXPECT_EQ(r.FocusName(), c.focus) << r.names[kids[c.child].get()];
    }
}

TEST(Keyboard, TheFocusedControlShowsADottedMarkThatContrastsWithWhatItCovers) {
    HeadlessPlatform p;
    auto form = p.NewForm();
    form->Move(0, 0, 300 * kTw, 300 * kTw);
    auto list = p.NewListBox(*form);
    list->Move(0, 0, 100 * kTw, 80 * kTw);
    for (const char* row : {"Kraków", "Wisła"}) list->AddItem(row);
    list->setListIndex(1);
    auto slider = p.NewSlider(*form);
    slider->Move(0, 100 * kTw, 100 * kTw, 30 * kTw);
    auto button = p.NewCommandButton(*form);
    button->Move(0, 150 * kTw, 80 * kTw, 25 * kTw);
    auto bar = p.NewVScrollBar(*form);
    bar->Move(150 * kTw, 0, 17 * kTw, 100 * kTw);
    form->Show();
    const int rowPx = list->RowHeight() / kTw;
    struct Case {
        Window* w;
        PointPx dot;  // a pixel of the mark
        Rgba was, is;
    } cases[] = {
        {list.get(), {1, 1 + rowPx}, MakeRgb(10, 36, 106), MakeRgb(255, 255, 255)},
        {slider.get(), {0, 0}, MakeRgb(212, 208, 200), MakeRgb(0, 0, 0)},
        {button.get(), {3, 3}, MakeRgb(212, 208, 200), MakeRgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        const Image before = p.Grab(*c.w);
        c.w->SetFocus();
        const Image after = p.Grab(*c.w);
        EXPECT_EQ(before.pixel(c.dot.x, c.dot.y), c.was) << int(c.w->Kind());
        EXPECT_EQ(after.pixel(c.dot.x, c.dot.y), c.is) << int(c.w->Kind());
        EXPECT_EQ(after.pixel(c.dot.x + 1, c.dot.y), before.pixel(c.dot.x + 1, c.dot.y))
            << "dotted, " << int(c.w->Kind());
    }
    bar->SetFocus();
    const Image focusedBar = p.Grab(*bar);
    button->SetFocus();
    EXPECT_NE(focusedBar, p.Grab(*bar)) << "the bar marks its thumb";
}

TEST(Keyboard, ARingOfOneWindowHasNowhereToGo) {
    HeadlessPlatform p;
    auto form = p.NewForm();
    auto only = p.NewSlider(*form);
    form->Show();
    EXPECT_EQ(NextTabStop(*form, false), only.get());
    EXPECT_EQ(NextTabStop(*only, false), nullptr);
    EXPECT_EQ(NextTabStop(*only, true), nullptr);
}

// A window that took the keyboard from another form gives it back when it goes: hidden,
// unloaded, or a form hidden while a control of it has the keyboard. When the window the
// keyboard came from has gone too, it goes to the one before, and never to a window that
// cannot take it.
TEST(Keyboard, TheKeyboardGoesBackWhereItWasWhenItsWindowGoes) {
    struct Case {
        const char* what;
        void (*close)(Form& second, Window& secondList, Window& firstButton);
        const char* expected;  // "first", "main" or "second"
    } cases[] = {
        {"the second form unloaded", [](Form& f, Window&, Window&) { f.Unload(); }, "first"},
        {"the second form hidden", [](Form& f, Window&, Window&) { f.setVisible(false); }, "first"},
        {"the focused control hidden", [](Form&, Window& l, Window&) { l.setVisible(false); },
         "first"},
        {"the first button gone too: the one before it",
         [](Form& f, Window&, Window& b) {
             b.setVisible(false);
             f.Unload();
         },
         "main"},
        {"a window of another form hidden: the keyboard stays",
         [](Form&, Window&, Window& b) { b.setVisible(false); }, "second"},
    };
    for (const Case& c : cases) {
        HeadlessPlatform p;
        auto main = p.NewForm();
        auto mainList = p.NewListBox(*main);
        main->Show();
        mainList->SetFocus();
        auto first = p.NewForm();
        auto firstButton = p.NewCommandButton(*first);
        first->Show();
        firstButton->SetFocus();
        auto second = p.NewForm();
        auto secondList = p.NewListBox(*second);
        second->Show();
        secondList->SetFocus();
        c.close(*second, *secondList, *firstButton);
        const std::map<const Window*, std::string> names{
            {mainList.get(), "main"}, {firstButton.get(), "first"}, {secondList.get(), "second"}};
        const auto it = names.find(p.Focused());
        EXPECT_EQ(it == names.end() ? "(none)" : it->second, c.expected) << c.what;
    }
}
