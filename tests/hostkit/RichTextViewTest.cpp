// The rich-text box on screen: the scroll bar and its settings, scrolling by wheel, bar and keys,
// selecting with the mouse, Ctrl+C, and the painted pixels.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

#include "TestFolder.h"
#include "hostkit/RichTextBoxTest.h"
#include "platform/Keys.h"
#include "platform/ModelRenderer.h"
#include "platform/PngDecoder.h"
#include "platform/VScrollBar.h"

namespace quindel::test {
namespace {

using namespace quindel::platform;
using hostkit::RichTextBox;

constexpr int kTpp = 15;
// The box is 6000 x 3000 twips without a frame: 400 x 200 pixels, less the margins.
constexpr int kMargins = 2 * RichTextBox::kMarginPx;
constexpr std::int32_t kTextHeight = (200 - kMargins) * kTpp;
constexpr std::int32_t kWide = (400 - kMargins) * kTpp,
                       kNarrow = kWide - RichTextBox::kBarPx * kTpp;
constexpr std::int32_t kLine = RichTextBox::kLinePx * kTpp;

class RichTextViewTest : public RichTextHost {
  protected:
    bool BarShown() const { return box->ScrollBar() && box->ScrollBar()->Visible(); }
    // Where position pos is on the screen, in the middle of its line's height.
    PointPx ScreenPointOf(std::int32_t pos) {
        const richtext::CaretRect c = box->engine().Caret(pos);
        const RectPx r = box->ScreenRectPx();
        const PointPx o = box->ClientOriginPx();
        return {r.left + o.x + RichTextBox::kMarginPx + (c.left - box->ScrollHorz()) / kTpp,
                r.top + o.y + RichTextBox::kMarginPx +
                    int((c.top - box->ScrollVert() + c.height / 2) / kTpp)};
    }
    MouseArgs ClientArgs(std::int32_t pos, std::int16_t shift) {
        const PointPx at = box->ScreenToClientPx(ScreenPointOf(pos));
        return {1, shift, float(at.x * kTpp), float(at.y * kTpp)};
    }
    // A key on the box (a click on the scroll bar takes the focus away).
    void Key(std::int16_t code, std::int16_t shift = 0) {
        box->SetFocus();
        p.Input().Key(code, 0, shift);
        p.Pump();
    }
};

TEST_F(RichTextViewTest, TheScrollBarFollowsItsSettingAndTheDocument) {
    struct Case {
        int lines;
        std::int16_t scrollBars;
        bool bar;
        std::int32_t docWidth;  // the text area's width, less the bar's where it stands
    } cases[] = {
        {60, 4, true, kNarrow}, {2, 4, false, kWide},  {60, 0, false, kWide},
        {60, 1, false, kWide},  {2, 2, true, kNarrow}, {60, 3, true, kNarrow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lines) + " lines, ScrollBars " +
                     std::to_string(c.scrollBars));
        box->setScrollBars(c.scrollBars);
        box->setFText(Lines(c.lines));
        EXPECT_EQ(BarShown(), c.bar);
        EXPECT_EQ(box->DocWidth(), c.docWidth);
        if (c.bar) {
            EXPECT_EQ(box->ScrollBar()->Max(), std::max(box->DocHeight() - kTextHeight, 0));
        }
    }
    box->setDocWidth(3000);
    EXPECT_EQ(box->DocWidth(), 3000) << "a DocWidth of its own wins over the window's";
}

TEST_F(RichTextViewTest, TheWheelTheBarAndTheKeysScroll) {
    box->setFText(Lines(60));
    const std::int32_t max = box->DocHeight() - kTextHeight;
    ASSERT_GT(max, 10 * kLine);
    const RectPx r = box->ScreenRectPx();
    const RectPx bar = box->ScrollBar()->ScreenRectPx();
    struct Step {
        const char* what;
        std::function<void()> act;
        std::int32_t scroll;
    } steps[] = {
        {"wheel towards the user", [&] { p.Input().MoveTo(r.left + 50, r.top + 50).Wheel(-1); },
         3 * kLine},
        {"wheel away", [&] { p.Input().Wheel(1); }, 0},
        {"wheel away at the top", [&] { p.Input().Wheel(1); }, 0},
        {"the bar's lower arrow", [&] { p.Input().Click(bar.left + 8, bar.bottom - 4); }, kLine},
        {"the bar moved by code", [&] { box->ScrollBar()->setValue(1000); }, 1000},
        {"PageDown", [&] { Key(key::PageDown); }, 1000 + kTextHeight},
        {"Up", [&] { Key(key::Up); }, 1000 + kTextHeight - kLine},
        {"End", [&] { Key(key::End); }, max},
        {"Down at the end", [&] { Key(key::Down); }, max},
        {"Home", [&] { Key(key::Home); }, 0},
        {"ScrollVert past the end", [&] { box->setScrollVert(max + 5000); }, max},
        {"ScrollVert = False", [&] { LetProperty(obj, "ScrollVert", false); }, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        p.Pump();
        EXPECT_EQ(box->ScrollVert(), s.scroll);
        EXPECT_EQ(box->ScrollBar()->Value(), s.scroll) << "the bar shows where the text is";
    }
}

TEST_F(RichTextViewTest, TheMouseSelectsByPressDragAndShiftPress) {
    box->setFText("alpha beta gamma\ndelta epsilon");
    const PointPx from = ScreenPointOf(6), to = ScreenPointOf(10);
    p.Input().MoveTo(from.x, from.y).Press().MoveTo(to.x, to.y).MoveTo(to.x + 1, to.y).Release();
    p.Pump();
    EXPECT_EQ(box->SelText(), "beta");
    box->InputMouseDown(ClientArgs(23, 1));  // Shift: extends from where the drag began
    box->InputMouseUp(ClientArgs(23, 1));
    EXPECT_EQ(box->SelText(), "beta gamma\r\ndelta");
    p.Input().Click(ScreenPointOf(2).x, ScreenPointOf(2).y);
    p.Pump();
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(box->SelLength(), 0);
    EXPECT_TRUE(box->HasFocus()) << "a click gives the box the keyboard";
}

TEST_F(RichTextViewTest, CtrlCAndCtrlInsertCopyOtherKeysDoNothing) {
    box->setFText(kFormatted);
    box->Select(6, 4);
    auto& clip = *p.clipboard();
    struct Case {
        std::int16_t key, shift;
        std::size_t copies;  // operations on the clipboard so far
    } cases[] = {{'C', 0, 0}, {'X', 2, 0}, {'V', 2, 0}, {'C', 2, 1}, {45, 2, 2}, {45, 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + " shift " + std::to_string(c.shift));
        Key(c.key, c.shift);
        EXPECT_EQ(clip.Operations().size(), c.copies);
        EXPECT_EQ(box->engine().Text(), kFormattedText) << "the text never changes";
    }
    EXPECT_EQ(clip.Operations().back(), headless::ClipOperation::TextAndRtf);
    EXPECT_EQ(clip.Text(), "bold");
}

// What the user selects goes to the selection buffer as well, never to the clipboard; a
// selection made by code does not.
TEST_F(RichTextViewTest, CtrlASelectsAllAndTheUsersSelectionsGoToTheSelectionBuffer) {
    auto& clip = *p.clipboard();
    struct Case {
        const char* what;
        std::function<void()> act;
        std::optional<std::string> selection;
    } cases[] = {
        {"by code", [&] { box->Select(6, 4); }, std::nullopt},
        {"Ctrl+A", [&] { Key('A', 2); }, "alpha beta gamma\r\ndelta epsilon"},
        {"a plain A", [&] { Key('A', 0); }, std::nullopt},
        {"a drag",
         [&] {
             const PointPx from = ScreenPointOf(6), to = ScreenPointOf(10);
             p.Input().MoveTo(from.x, from.y).Press().MoveTo(to.x, to.y).Release();
             p.Pump();
         },
         "beta"},
        {"a click selects nothing to offer",
         [&] {
             p.Input().Click(ScreenPointOf(2).x, ScreenPointOf(2).y);
             p.Pump();
         },
         std::nullopt},
    };
    for (const Case& c : cases) {
        box->setFText("alpha beta gamma\ndelta epsilon");
        box->Select(0, 0);
        clip.SetSelection("");
        clip.ClearOperations();
        c.act();
        EXPECT_EQ(clip.Selection(), c.selection.value_or("")) << c.what;
        EXPECT_TRUE(clip.Operations().empty()) << c.what << ": the clipboard stays as it was";
    }
    EXPECT_EQ(box->SelLength(), 0);
    Key('A', 2);
    EXPECT_EQ(box->SelLength(), box->TextLength());
}

TEST_F(RichTextViewTest, PaintsTheFrameTheTextTheSelectionAndTheScrolledView) {
    box->setBorderStyle(1);
    box->setFText(Lines(60));
    const auto navy = [](const Image& img) {
        return std::ranges::count(img.pixels(), MakeRgb(0, 0, 128));
    };
    const Image plain = box->Surface();
    EXPECT_EQ(plain.pixel(0, 0), look::kShadow) << "the frame";
    EXPECT_EQ(plain.pixel(2, 2), MakeRgb(255, 255, 255)) << "the margin";
    const int top = 1 + RichTextBox::kMarginPx, width = 400 - 2 - kMargins - RichTextBox::kBarPx;
    EXPECT_TRUE(std::ranges::any_of(plain.copy(top, top, 60, 16).pixels(), [](Rgba c) {
        return RedOf(c) < 128;
    })) << "the first line's ink";
    EXPECT_EQ(navy(plain), 0);
    box->Select(0, 6);
    EXPECT_GT(navy(box->Surface()), 100) << "the selection inverted";
    box->setShowSelection(false);
    EXPECT_EQ(box->Surface(), plain);
    box->setShowSelection(true);
    box->Select(0, 0);
    // Scrolled by 20 pixels, the text area shows the same rows 20 pixels higher.
    box->setScrollVert(20 * kTpp);
    const Image scrolled = box->Surface();
    const int rows = 120;
    EXPECT_EQ(scrolled.copy(top, top, width, rows), plain.copy(top, top + 20, width, rows));
    // Through a PNG file, as the pictures the viewer writes: the box with its scroll bar.
    TestFolder folder{"quindel_richtext_png"};
    const std::string file = (folder.path() / "box.png").string();
    ASSERT_TRUE(p.Grab(*box).savePng(file));
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const std::optional<Image> png = DecodePng(bytes);
    ASSERT_TRUE(png.has_value());
    const int barLeft = 400 - 1 - RichTextBox::kBarPx;
    EXPECT_EQ(png->copy(0, 0, barLeft, 200), scrolled.copy(0, 0, barLeft, 200));
    EXPECT_EQ(png->pixel(barLeft + 8, 100), look::kTrack) << "the scroll bar's track";
}

}  // namespace
}  // namespace quindel::test
