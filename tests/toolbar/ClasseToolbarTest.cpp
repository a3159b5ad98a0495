// The toolbar's set of buttons: options, geometry, layout, radio groups, redraws, removal and the
// failures it reports.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "ToolbarFixture.h"
#include "runtime/Coercions.h"
#include "runtime/TestSupport.h"

using namespace quindel;
using namespace quindel::platform;
using quindel::test::ToolbarFixture;
namespace t = quindel::test;

namespace {
constexpr Rgba kGrey = MakeRgb(128, 128, 128), kWhite = MakeRgb(255, 255, 255);
constexpr Rgba kFace = MakeRgb(212, 208, 200);  // a picture box's default back colour
const Variant M = Variant::Missing();

}  // namespace

TEST(ClasseToolbar, TheFirstButtonFixesTheGeometryAndMenuCodesAreRead) {
    ToolbarFixture fx;
    fx.tb->InitToolbar(fx.surface, &fx.tip, fx.help, fx.strip, fx.sfondo, "495");
    fx.Add(0, 0);
    // 24-pixel cells; the toolbar is 33 pixels high: (495 - 360) / 2 rounds down.
    EXPECT_EQ(fx.tb->LarghezzaPulsante(), 360);
    EXPECT_EQ(fx.tb->TopPulsanti(), 67);
    fx.strip->setPicture(Image(18 * 30, 6 * 30));
    fx.surface->setHeight(900);
    const Variant codes[] = {Variant::Null(), "12 apples", std::int16_t(0), 2.5, M};
    const std::int32_t expected[] = {-1, 12, 0, 2, -1};
    for (const Variant& code : codes) fx.Add(0, 1, false, code);
    for (std::int16_t i = 2; i <= 6; ++i) {
        const ClassePulsante& b = fx.tb->Button(i);
        EXPECT_EQ(b.Width(), 360);
        EXPECT_EQ(b.Y(), 67);
        EXPECT_EQ(b.Index(), i);
        EXPECT_EQ(b.MenuCode(), expected[i - 2]) << CStr(codes[i - 2]);
    }
}

TEST(ClasseToolbar, HiddenButtonsTakeNoRoomAndGroupsAreSeparated) {
    constexpr std::int16_t kHidden = -1;
    struct Case {
        std::vector<std::int16_t> hide;
        bool separa;
        std::vector<std::int16_t> xs;  // of buttons 1..5 in twips
        std::set<int> grooves;         // pixel columns of the separators
    } cases[] = {
        {{}, true, {120, 510, 990, 1350, 1830}, {61, 117}},
        {{2, 4}, true, {120, kHidden, 600, kHidden, 1080}, {35, 67}},
        {{1}, true, {kHidden, 150, 630, 990, 1470}, {37, 93}},
        {{}, false, {0, 390, 750, 1110, 1470}, {}},
    };
    for (const auto& c : cases) {
        ToolbarFixture fx;
        fx.tb->InitToolbar(fx.surface, &fx.tip, fx.help, fx.strip, fx.sfondo, M, M, M, M, c.separa);
        fx.Add(0, 0);
        fx.Add(0, 1, false, M, M, std::int16_t(30));
        fx.Add(1, 2);
        fx.Add(1, 3);
        fx.Add(2, 4);
        fx.tb->ShowAllButtons();
        const Image& s = fx.surface->Surface();
        EXPECT_EQ(s.pixel(3, 0), kGrey) << "the etched frame along the top";
        EXPECT_EQ(s.pixel(3, 30), kGrey) << "and two pixels above the bottom";
        for (std::int16_t i : c.hide) fx.tb->setButtonVisible(i, false);
        std::set<int> covered;
        for (std::int16_t i = 1; i <= 5; ++i) {
            if (c.xs[i - 1] == kHidden) {
                EXPECT_FALSE(fx.tb->ButtonVisible(i));
                continue;
            }
            EXPECT_EQ(fx.tb->Button(i).X(), c.xs[i - 1]) << "button " << i;
            EXPECT_EQ(fx.Area(i), fx.Cell(t::kRowUp, i - 1)) << "button " << i;
            for (int x = 0; x < fx.CellPx(); ++x) covered.insert(c.xs[i - 1] / t::kTw + x);
        }
        std::set<int> grooves;
        for (int x = 0; x < s.width(); ++x)
            if (!covered.count(x) && s.pixel(x, 10) == kGrey) {
                grooves.insert(x);
                EXPECT_EQ(s.pixel(x, 5), kGrey);
                EXPECT_EQ(s.pixel(x, 26), kGrey);
                EXPECT_EQ(s.pixel(x, 27), kFace) << "the groove stops 5 pixels from the bottom";
                EXPECT_EQ(s.pixel(x + 1, 11), kWhite);
            }
        EXPECT_EQ(grooves, c.grooves);
    }
}

TEST(ClasseToolbar, ButtonDownIsExclusiveWithinEveryGroup) {
    struct Step {
        std::int16_t index;
        bool down;
        std::set<std::int16_t> expected;
    } steps[] = {
        {1, true, {1}},    {2, true, {2}},  {4, true, {2, 4}},
        {3, true, {3, 4}},  // its own pull-up flag does not matter here
        {5, true, {3, 5}}, {3, false, {5}}, {3, false, {5}},
    };
    ToolbarFixture fx;
    fx.Add(0, 0);
    fx.Add(0, 1);
    fx.Add(0, 2, false, M, false);
    fx.Add(7, 3);
    fx.Add(7, 4, false, M, false);
    fx.tb->ShowAllButtons();
    for (const auto& s : steps) {
        fx.tb->setButtonDown(s.index, s.down);
        EXPECT_EQ(fx.Down(), s.expected) << s.index << " " << s.down;
    }
    EXPECT_EQ(fx.Area(5), fx.Cell(t::kRowDown, 4));
    EXPECT_EQ(fx.Area(3), fx.Cell(t::kRowUp, 2));
}

TEST(ClasseToolbar, SettingAStateToItsCurrentValueDoesNotRedraw) {
    struct Case {
        const char* name;
        void (ClasseToolbar::*set)(std::int16_t, bool);
        bool current;
        int rowAfterChange;
    } cases[] = {
        {"down", &ClasseToolbar::setButtonDown, false, t::kRowDown},
        {"enabled", &ClasseToolbar::setButtonEnabled, true, t::kRowDisabled},
    };
    for (const auto& c : cases) {
        ToolbarFixture fx;
        fx.AddAndShow(2);
        const Image marker(fx.CellPx(), fx.CellPx(), MakeRgb(255, 0, 255));
        const ClassePulsante& b = fx.tb->Button(2);
        fx.surface->PaintPicture(marker, b.X(), b.Y());
        (fx.tb.get()->*c.set)(2, c.current);
        EXPECT_EQ(fx.Area(2), marker) << c.name;
        (fx.tb.get()->*c.set)(2, !c.current);
        EXPECT_EQ(fx.Area(2), fx.Cell(c.rowAfterChange, 1)) << c.name;
    }
}

TEST(ClasseToolbar, RemovingWorksByPositionAndKeepsTheOtherKeys) {
    ToolbarFixture fx;
    fx.AddAndShow(4);
    fx.tb->RemoveButton(1);  // button 1
    fx.tb->RemoveButton(2);  // now the second entry: button 3
    EXPECT_EQ(fx.tb->MaxButton(), 4);
    EXPECT_EQ(fx.tb->Pulsanti().Count(), 2);
    for (std::int16_t gone : {1, 3}) {
        EXPECT_EQ(test::ErrorNumberOf([&] { fx.tb->Button(gone); }), 5) << gone;
        EXPECT_EQ(test::ErrorNumberOf([&] { fx.tb->setButtonDown(gone, true); }), 5) << gone;
    }
    // Walks over all buttons skip the holes without a report.
    fx.tb->ShowAllButtons();
    fx.tb->setButtonDown(2, true);
    fx.tb->setButtonDown(4, true);
    EXPECT_FALSE(fx.tb->ButtonDown(2));
    EXPECT_TRUE(fx.p.Boxes().Shown().empty());
    // The hit test gives up at the first hole.
    EXPECT_EQ(fx.tb->PulsanteInXY(fx.tb->Button(2).X() + 10, 200), 0);
    fx.tb->Destroy();
    EXPECT_EQ(fx.tb->Pulsanti().Count(), 0);
}

TEST(ClasseToolbar, FailuresAreReportedUnderTheProcedureThatMetThem) {
    struct Case {
        const char* what;
        std::function<void(ToolbarFixture&)> run;
        std::string procedure;
        std::int32_t number;
        std::int16_t buttons;
    } cases[] = {
        {"no strip",
         [](ToolbarFixture& fx) {
             fx.tb->InitToolbar(fx.surface, &fx.tip, fx.help, nullptr, fx.sfondo);
             fx.Add(0, 0);
         },
         "AddButton", 91, 0},
        {"cell outside the strip",
         [](ToolbarFixture& fx) {
             fx.tb->AddButton(0, false, "", 500, 0, 0, 0, 0, 0, 0, nullptr);
             fx.Add(0, 1);
             fx.tb->ShowAllButtons();
             EXPECT_EQ(fx.Area(2), fx.Cell(t::kRowUp, 1)) << "the next button is drawn";
         },
         "ShowAt", 380, 2},
        {"16-bit overflow",
         [](ToolbarFixture& fx) {
             fx.Add(0, 0, false, M, M, std::int16_t(30000));
             fx.Add(0, 1, false, M, M, std::int16_t(30000));
             fx.tb->ShowAllButtons();
         },
         "ShowAllButtons", 6, 2},
    };
    for (const auto& c : cases) {
        ToolbarFixture fx;
        c.run(fx);
        // These errors offer only OK: the procedure gives up after one report.
        const auto& shown = fx.p.Boxes().Shown();
        ASSERT_EQ(shown.size(), 1u) << c.what;
        EXPECT_EQ(shown[0].text.rfind(c.procedure + "\r" + std::to_string(c.number) + "\r", 0), 0u)
            << c.what << ": " << shown[0].text;
        EXPECT_EQ(fx.tb->MaxButton(), c.buttons) << c.what;
        EXPECT_EQ(fx.tb->Pulsanti().Count(), c.buttons) << c.what;
    }
}
