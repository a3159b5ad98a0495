// The strip without a mouse: Tab into it, the arrows along it, Space and Enter pressing as a
// click does, the focus ring, shortcuts and their tips, and the buttons as assistive technology
// sees them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ToolbarFixture.h"
#include "platform/Keys.h"
#include "platform/Label.h"
#include "platform/ListBox.h"

using namespace quindel;
using namespace quindel::platform;
using quindel::test::ToolbarFixture;
namespace t = quindel::test;

namespace {

// 1, 2: a radio group; 3: a toggle; 4: disabled; 5: hidden; 6: plain; 7: menu code 12. A list
// box after the strip is the next tab stop; the surface records the mouse events it hears.
struct Strip : ToolbarFixture {
    std::shared_ptr<ListBox> next = p.NewListBox(*form);
    std::vector<std::string> heard;

    Strip() {
        next->Move(0, 120 * t::kTw, 100 * t::kTw, 60 * t::kTw);
        Add(0, 0);
        Add(0, 1);
        Add(1, 2, true);
        Add(2, 3);
        Add(2, 4);
        Add(3, 5);
        Add(3, 6, false, "12");
        tb->ShowAllButtons();
        tb->setButtonEnabled(4, false);
        tb->setButtonVisible(5, false);
        for (auto* handler : {&surface->OnMouseDown, &surface->OnMouseUp}) {
            const bool down = handler == &surface->OnMouseDown;
            *handler = [this, down](const MouseArgs& a) {
                heard.push_back((down ? "down " : "up ") + std::to_string(a.Button) + " " +
                                std::to_string(tb->PulsanteInXY(a.X, a.Y)));
                down ? tb->MouseDown(a.Button, a.Shift, a.X, a.Y)
                     : tb->MouseUp(a.Button, a.Shift, a.X, a.Y);
            };
        }
    }
    void Keys(const std::vector<std::int16_t>& keys, std::int16_t shift = 0) {
        for (std::int16_t k : keys) p.Input().Key(k, 10, shift);
        p.RunFor(100);
    }
    std::int16_t OnKeyboard() const { return tb->Tastiera().PulsanteConFuoco(); }
};

}  // namespace

TEST(ToolbarKeyboard, TabComesInAndTheArrowsWalkTheVisibleEnabledButtons) {
    Strip fx;
    struct Step {
        std::int16_t key;
        std::int16_t expected;  // the button the keyboard is on
    } steps[] = {{key::Tab, 1},   {key::Right, 2}, {key::Right, 3}, {key::Right, 6},
                 {key::Right, 7}, {key::Right, 7}, {key::Home, 1},  {key::Left, 1},
                 {key::End, 7},   {key::Left, 6},  {key::Left, 3}};
    for (const auto& s : steps) {
        fx.Keys({s.key});
        EXPECT_TRUE(fx.surface->HasFocus());
        EXPECT_EQ(fx.OnKeyboard(), s.expected) << "after key " << s.key;
    }
    fx.Keys({key::Tab});
    EXPECT_TRUE(fx.next->HasFocus()) << "Tab leaves the strip";
    fx.Keys({key::Tab}, modifier::Shift);
    EXPECT_TRUE(fx.surface->HasFocus());
    EXPECT_EQ(fx.OnKeyboard(), 3) << "and comes back to the button it left";
    EXPECT_TRUE(fx.tags.empty());
}

TEST(ToolbarKeyboard, SpaceAndEnterPressExactlyAsAClickDoes) {
    struct Case {
        std::vector<std::int16_t> buttons;  // pressed in turn
    } cases[] = {{{1}}, {{1, 2}}, {{3, 3, 3}}, {{7}}, {{4}}, {{6, 2}}};
    for (const auto& c : cases) {
        Strip clicked, keyed;
        for (std::int16_t b : c.buttons) {
            const PointPx at = clicked.Over(b);
            clicked.p.Input().Click(at.x, at.y, 10);
            clicked.p.RunFor(50);
            keyed.surface->SetFocus();
            keyed.tb->Tastiera().setPulsanteConFuoco(b);
            keyed.Keys({b % 2 ? key::Space : key::Return});
        }
        const std::string what = "buttons " + std::to_string(c.buttons.front()) + "..";
        EXPECT_EQ(keyed.tags, clicked.tags) << what;
        EXPECT_EQ(keyed.Down(), clicked.Down()) << what;
        EXPECT_EQ(keyed.heard, clicked.heard) << what;
        EXPECT_FALSE(keyed.heard.empty()) << what;
    }
}

TEST(ToolbarKeyboard, TheRingShowsOnTheKeyboardsButtonWhileTheStripHasTheFocus) {
    Strip fx;
    const Image plain2 = fx.Area(2);
    fx.Keys({key::Tab, key::Right});
    const Image ringed = fx.Area(2);
    const int last = fx.CellPx() - 1;
    EXPECT_EQ(ringed.pixel(1, 1), MakeRgb(255, 255, 255));
    EXPECT_EQ(ringed.pixel(last - 1, last - 1), MakeRgb(255, 255, 255));
    EXPECT_EQ(ringed.pixel(2, 2), MakeRgb(0, 0, 0));
    EXPECT_EQ(ringed.pixel(last - 2, 5), MakeRgb(0, 0, 0));
    EXPECT_EQ(ringed.pixel(0, 0), plain2.pixel(0, 0)) << "the cell's own edge stays";
    EXPECT_EQ(fx.Area(1), fx.Cell(t::kRowUp, 0)) << "the ring left button 1";
    // Redrawn for its own reasons, the button keeps its ring.
    fx.tb->setButtonDown(2, true);
    EXPECT_EQ(fx.Area(2).pixel(2, 2), MakeRgb(0, 0, 0));
    fx.tb->setButtonDown(2, false);
    fx.Keys({key::Tab});
    EXPECT_EQ(fx.Area(2), plain2) << "no ring without the focus";
    // A click gives the strip the focus without a ring; a key shows it.
    const PointPx at = fx.Over(7);
    fx.p.Input().Click(at.x, at.y, 10);
    fx.p.RunFor(50);
    ASSERT_TRUE(fx.surface->HasFocus());
    EXPECT_EQ(fx.Area(2), plain2);
    fx.Keys({key::F5});
    EXPECT_EQ(fx.Area(2).pixel(2, 2), MakeRgb(0, 0, 0));
}

TEST(ToolbarKeyboard, HidingTheKeyboardsButtonMovesItToTheFirstUsableOne) {
    Strip fx;
    fx.Keys({key::Tab, key::End});
    ASSERT_EQ(fx.OnKeyboard(), 7);
    fx.tb->setButtonVisible(7, false);
    EXPECT_EQ(fx.OnKeyboard(), 1);
    EXPECT_EQ(fx.Area(1).pixel(2, 2), MakeRgb(0, 0, 0));
}

TEST(ToolbarKeyboard, ShortcutsPressTheirButtonsWhenTheyMayAndShowInTheTips) {
    bool aperto = false;
    struct Case {
        std::int16_t key, shift;
        bool aperto;
        std::vector<std::string> tags;
        std::int16_t onKeyboard;  // afterwards
    } cases[] = {
        {key::Right, modifier::Alt, false, {"-12"}, 1},
        {key::Right, 0, false, {}, 2},  // the plain arrow is the strip's own
        {key::Right, modifier::Alt | modifier::Shift, false, {}, 1},
        {'D', modifier::Ctrl, false, {}, 1},  // its button is disabled: as a click, nothing
        {key::Escape, 0, false, {}, 1},
        {key::Escape, 0, true, {"3"}, 1},
    };
    for (const auto& c : cases) {
        Strip fx;
        fx.tb->Tastiera().setScorciatoie({
            {key::Right, modifier::Alt, 7, "Alt+→", {}},
            {'D', modifier::Ctrl, 4, "Ctrl+D", {}},
            {key::Escape, 0, 3, "", [&] { return aperto; }},
        });
        aperto = c.aperto;
        fx.Keys({key::Tab});
        fx.Keys({c.key}, c.shift);
        EXPECT_EQ(fx.tags, c.tags) << c.key << "/" << c.shift;
        EXPECT_EQ(fx.OnKeyboard(), c.onKeyboard) << c.key << "/" << c.shift;
    }
    Strip fx;
    fx.tb->Tastiera().setScorciatoie({{key::Right, modifier::Alt, 7, "Alt+→", {}}});
    for (std::int16_t b : {7, 6}) {
        // Over the button and off the strip again: the tip's label keeps its last text.
        const PointPx at = fx.Over(b), off = fx.Off();
        fx.p.Input().MoveTo(at.x, at.y, 20).MoveTo(off.x, off.y, 20);
        fx.p.RunFor(100);
        EXPECT_EQ(fx.tip.lbl_HelpButton().Caption(), b == 7 ? " Tip7 (Alt+→) " : " Tip6 ");
    }
    EXPECT_EQ(fx.tb->Button(7).Tip(), "Tip7") << "the tip itself stays as the host set it";
}

TEST(ToolbarKeyboard, AssistiveTechnologySeesTheVisibleButtonsAsTheyAreDrawn) {
    Strip fx;
    fx.tb->Tastiera().setScorciatoie({{key::Right, modifier::Alt, 7, "Alt+→", {}}});
    fx.tb->Button(6).setTip("  Następny obiekt ");
    fx.tb->setButtonDown(3, true);
    fx.tb->setButtonDown(6, true);
    fx.Keys({key::Tab, key::Right});
    struct Child {
        Role role;
        std::string name, shortcut;
        bool checked, pressed, disabled, focused;
    } expected[] = {
        {Role::PushButton, "Tip1", "", false, false, false, false},
        {Role::PushButton, "Tip2", "", false, false, false, true},
        {Role::ToggleButton, "Tip3", "", true, false, false, false},
        {Role::PushButton, "Tip4", "", false, false, true, false},
        {Role::PushButton, "Następny obiekt", "", false, true, false, false},
        {Role::PushButton, "Tip7", "Alt+→", false, false, false, false},
    };
    ASSERT_EQ(fx.surface->AccessibleChildCount(), 6) << "the hidden button is no child";
    EXPECT_EQ(fx.surface->Accessible().role, Role::ToolBar);
    EXPECT_EQ(fx.surface->FocusedAccessibleChild(), 1);
    for (int i = 0; i < 6; ++i) {
        const AccessibleDescription d = fx.surface->AccessibleChild(i);
        const Child& e = expected[i];
        EXPECT_EQ(d.role, e.role) << i;
        EXPECT_EQ(d.name, e.name) << i;
        EXPECT_EQ(d.shortcut, e.shortcut) << i;
        EXPECT_EQ(d.state.checked, e.checked) << i;
        EXPECT_EQ(d.state.pressed, e.pressed) << i;
        EXPECT_EQ(d.state.disabled, e.disabled) << i;
        EXPECT_EQ(d.state.focused, e.focused) << i;
        EXPECT_EQ(d.bounds.left, fx.tb->Button(std::int16_t(i < 4 ? i + 1 : i + 2)).X() / t::kTw);
    }
    // Pressed by assistive technology: the same click; a disabled one cannot be pressed.
    EXPECT_TRUE(fx.surface->PressAccessibleChild(5));
    EXPECT_FALSE(fx.surface->PressAccessibleChild(3));
    EXPECT_EQ(fx.tags, std::vector<std::string>{"-12"});
}
