// Platform behaviour every backend must show alike: the same test bodies run on the headless
// backend and on the Qt backend (offscreen).
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/MessageBox.h"
#include "platform/ModelRenderer.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/VScrollBar.h"
#include "qt/Backend.h"
#include "runtime/VbError.h"

namespace quindel::test {
namespace {

using namespace quindel::platform;

class Conformance : public ::testing::TestWithParam<BackendMaker> {
  protected:
    std::unique_ptr<Backend> backend = GetParam().make();
    Platform& p = backend->P();

    std::shared_ptr<Form> ShownForm(std::int16_t borderStyle = border::Sizable) {
        auto f = p.NewForm();
        f->setBorderStyle(borderStyle);
        f->Move(1500, 1500, 6000, 4500);
        f->Show();
        return f;
    }
    // Runs events until the clock has moved on by ms (virtual or real).
    void RunFor(std::int64_t ms) {
        const std::int64_t end = p.NowMs() + ms;
        while (p.NowMs() < end) p.DoEvents();
    }
};

TEST_P(Conformance, HandlesAreTheSameStableIntegers) {
    auto form = p.NewForm();
    auto pic = p.NewPictureBox(*form);
    auto label = p.NewLabel(*form);
    EXPECT_EQ(form->hWnd(), 0x1000);
    EXPECT_EQ(pic->hWnd(), 0x1004);
    EXPECT_EQ(label->hWnd(), 0x1008);
    EXPECT_EQ(p.FindWindow(0x1004), pic.get());
    form->Unload();
    for (Handle h : {0x1000, 0x1004, 0x1008}) EXPECT_EQ(p.FindWindow(h), nullptr) << h;
}

struct RopCase {
    const char* name;
    std::int32_t op;
    Rgba dst, src, expected;
};

TEST_P(Conformance, DrawingPersistsAndReadsBackAsPixels) {
    const RopCase cases[] = {
        {"copy", rop::SrcCopy, MakeRgb(0, 255, 0), MakeRgb(0x33, 0x66, 0xCC),
         MakeRgb(0x33, 0x66, 0xCC)},
        {"and", rop::SrcAnd, MakeRgb(0xF0, 0xF0, 0xF0), MakeRgb(0x33, 0x66, 0xCC),
         MakeRgb(0x30, 0x60, 0xC0)},
        {"or", rop::SrcPaint, MakeRgb(0x0F, 0x0F, 0x0F), MakeRgb(0x30, 0x60, 0x90),
         MakeRgb(0x3F, 0x6F, 0x9F)},
        {"invert", rop::SrcInvert, MakeRgb(255, 255, 255), MakeRgb(0x33, 0x66, 0xCC),
         MakeRgb(0xCC, 0x99, 0x33)},
    };
    auto form = ShownForm();
    auto pic = p.NewPictureBox(*form);
    pic->Move(450, 300, 1500, 1200);
    pic->setAutoRedraw(true);
    pic->setScaleMode(scale::Pixels);
    const RectPx fr = form->ScreenRectPx(), pr = pic->ScreenRectPx();
    const PointPx at{11, 13};  // a pixel of the painted square, in client pixels
    for (const RopCase& c : cases) {
        SCOPED_TRACE(c.name);
        pic->setBackColor(c.dst);
        pic->PaintPicture(Image(4, 4, c.src), 10, 12, -1, -1, 0, 0, -1, -1, c.op);
        pic->Line(0, 30, 20, 30, MakeRgb(255, 0, 0));
        EXPECT_EQ(pic->Surface().pixel(at.x, at.y), c.expected);
        EXPECT_EQ(pic->Surface().pixel(30, 20), c.dst);
        // What the window shows, alone and on its form, after the form was hidden and shown.
        form->Hide();
        form->Show();
        const Image alone = p.Grab(*pic);
        EXPECT_EQ(alone.pixel(1 + at.x, 1 + at.y), c.expected);
        EXPECT_EQ(alone.pixel(1 + 5, 1 + 30), MakeRgb(255, 0, 0));
        EXPECT_EQ(alone.pixel(0, 0), look::kShadow) << "the one-pixel border";
        const Image onForm = p.Grab(*form);
        EXPECT_EQ(onForm.width(), fr.width());
        EXPECT_EQ(onForm.height(), fr.height());
        EXPECT_EQ(onForm.pixel(pr.left - fr.left + 1 + at.x, pr.top - fr.top + 1 + at.y),
                  c.expected);
    }
}

// A tool window's frame is the model's on every backend: the caption bar, a close box at its
// right end, and the client area inside; other windows have no close box of the model's.
TEST_P(Conformance, ToolWindowsCarryTheirCaptionAndCloseBox) {
    const Rgba back = MakeRgb(0, 160, 0);
    for (std::int16_t style :
         {border::FixedToolWindow, border::SizableToolWindow, border::Sizable, border::None}) {
        SCOPED_TRACE(style);
        auto f = ShownForm(style);
        f->setBackColor(back);
        const bool tool = style == border::FixedToolWindow || style == border::SizableToolWindow;
        const RectPx box = f->CloseBoxPx();
        EXPECT_EQ(box.width() > 0, tool);
        const Image shot = p.Grab(*f);
        const PointPx o = f->ClientOriginPx();
        EXPECT_EQ(shot.pixel(o.x + 5, o.y + 5), back) << "the client area";
        if (!tool) continue;
        const FrameMetrics fm = p.FrameOf(*f);
        EXPECT_GE(box.top, fm.border);
        EXPECT_LE(box.bottom, fm.border + fm.caption);
        EXPECT_LE(box.right, shot.width() - fm.border);
        EXPECT_EQ(shot.pixel(fm.border + 2, fm.border + 2), look::kSelection) << "caption bar";
        EXPECT_EQ(shot.pixel(box.left, box.top), look::kLight) << "the box stands out";
        int ink = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) ink += shot.pixel(x, y) == look::kInk;
        EXPECT_GE(ink, 2 * (box.height() / 2)) << "a cross on the box";
    }
}

TEST_P(Conformance, ListBoxesShowWholeRows) {
    auto form = ShownForm();
    auto list = p.NewListBox(*form);
    const int tpp = p.screen().TwipsPerPixelY();
    const int rowPx = list->RowHeight() / tpp;
    for (int requestedPx : {1, rowPx, rowPx + 3, 3 * rowPx + 2, 7 * rowPx + rowPx - 1}) {
        SCOPED_TRACE(requestedPx);
        list->Move(150, 150, 3000, requestedPx * tpp);
        const int clientPx = list->Height() / tpp - 2;
        EXPECT_EQ(clientPx % rowPx, 0);
        EXPECT_EQ(list->VisibleRows(), std::max((requestedPx - 2) / rowPx, 1));
    }
    for (int i = 0; i < 30; ++i) list->AddItem("Row " + std::to_string(i));
    list->setListIndex(20);
    const int top = list->TopIndex();
    EXPECT_EQ(top, 20 - list->VisibleRows() + 1);
    const Image shot = p.Grab(*list);
    const int y = 1 + (20 - top) * rowPx + rowPx / 2;
    EXPECT_EQ(shot.pixel(2, y), look::kSelection);
    EXPECT_EQ(shot.pixel(2, y - rowPx), look::kLight);
}

TEST_P(Conformance, ScrollBarsRaiseChangeForClicksAndCode) {
    auto form = ShownForm();
    auto bar = p.NewVScrollBar(*form);
    bar->Move(300, 300, 255, 2400);
    bar->setMax(10);
    bar->setLargeChange(4);
    std::vector<std::int32_t> changes;
    bar->OnChange = [&] { changes.push_back(bar->Value()); };
    const SizePx s = bar->ClientSizePx();
    backend->Click(*bar, {s.width / 2, s.height - 3});  // the down arrow
    backend->Click(*bar, {s.width / 2, s.height - 3});
    backend->Click(*bar, {s.width / 2, 3});                              // the up arrow
    backend->Click(*bar, {s.width / 2, s.height - bar->ArrowPx() - 2});  // the track below
    bar->setValue(10);
    EXPECT_EQ(changes, (std::vector<std::int32_t>{1, 2, 1, 5, 10}));
    EXPECT_THROW(bar->setValue(11), VbError);
    EXPECT_EQ(bar->Value(), 10);
}

TEST_P(Conformance, HiddenButtonsClickSynchronouslyAndReentrantly) {
    auto form = ShownForm();
    auto button = p.NewCommandButton(*form);
    button->Move(300, 300, 1200, 450);
    button->setVisible(false);
    std::vector<std::string> log;
    button->OnClick = [&] {
        const int depth = button->Depth();
        log.push_back("in " + std::to_string(depth) + (button->Value() ? " true" : " false"));
        if (depth == 1) button->setValue(true);
        log.push_back("out " + std::to_string(depth));
    };
    backend->Click(*button, {10, 10});  // hidden: no click
    EXPECT_TRUE(log.empty());
    button->setValue(true);
    log.push_back("returned");
    EXPECT_EQ(log,
              (std::vector<std::string>{"in 1 true", "in 2 true", "out 2", "out 1", "returned"}));
    EXPECT_FALSE(button->Value());
}

TEST_P(Conformance, TimersFireThroughDoEvents) {
    auto timer = p.NewTimer();
    int ticks = 0;
    timer->OnTimer = [&] { ++ticks; };
    timer->setInterval(20);
    const std::int64_t deadline = p.NowMs() + 5000;
    while (ticks < 2 && p.NowMs() < deadline) p.DoEvents();
    EXPECT_GE(ticks, 2);
    timer->setEnabled(false);
    const int stopped = ticks;
    RunFor(60);
    EXPECT_EQ(ticks, stopped);
}

TEST_P(Conformance, TimersFireInDeadlineOrder) {
    if (!backend->Deterministic()) GTEST_SKIP() << "counts ticks of real time";
    std::string order;
    auto a = p.NewTimer(), b = p.NewTimer();
    a->OnTimer = [&] { order += 'a'; };
    b->OnTimer = [&] { order += 'b'; };
    a->setInterval(30);
    b->setInterval(50);
    RunFor(150);
    EXPECT_EQ(order, "abaabaab");
}

struct BoxCase {
    std::int32_t style;
    std::int16_t answer;  // 0: nobody answers
    std::int16_t expected;
};

TEST_P(Conformance, MessageBoxesReturnTheAnswerGiven) {
    const BoxCase cases[] = {
        {mb::OKOnly | mb::Information, mb::OK, mb::OK},
        {mb::OKCancel | mb::Question, mb::Cancel, mb::Cancel},
        {mb::AbortRetryIgnore | mb::Critical, mb::Ignore, mb::Ignore},
        {mb::YesNoCancel | mb::Exclamation, mb::No, mb::No},
        {mb::YesNo, mb::Yes, mb::Yes},
        {mb::RetryCancel | mb::Critical, mb::Retry, mb::Retry},
        {mb::YesNo, 0, mb::No},
        {mb::RetryCancel, 0, mb::Cancel},
        {mb::AbortRetryIgnore, 0, mb::Abort},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + " answered " + std::to_string(c.answer));
        if (c.answer != 0) backend->Answer(c.answer);
        EXPECT_EQ(p.Box().Show("Text", c.style, "Title"), c.expected);
    }
    backend->Answer(mb::Yes);
    EXPECT_THROW(p.Box().Show("Offers no Yes", mb::OKCancel, "Title"), std::logic_error);
}

TEST_P(Conformance, OwnersReachTheWindowSystem) {
    auto host = ShownForm();
    auto list = ShownForm(border::FixedToolWindow);
    EXPECT_EQ(p.api().SetWindowWord(list->hWnd(), GWW_HWNDPARENT, host->hWnd()), 0);
    EXPECT_EQ(backend->Owner(*list), host->hWnd());
    EXPECT_EQ(p.api().SetWindowWord(list->hWnd(), GWW_HWNDPARENT, 0), host->hWnd());
    EXPECT_EQ(backend->Owner(*list), 0);
    p.api().SetWindowWord(list->hWnd(), GWW_HWNDPARENT, host->hWnd());
    EXPECT_EQ(backend->Owner(*list), host->hWnd());
    host->Unload();
    EXPECT_TRUE(backend->Shown(*list)) << "an owned window outlives its owner";
    EXPECT_EQ(p.api().SetWindowWord(0x7FFF, GWW_HWNDPARENT, list->hWnd()), 0);
}

TEST_P(Conformance, ShowingWithoutActivationKeepsTheActiveForm) {
    auto host = ShownForm();
    auto tip = p.NewForm();
    tip->setBorderStyle(border::None);
    tip->Move(3000, 3000, 1500, 300);
    EXPECT_EQ(p.ActiveForm(), host.get());
    EXPECT_FALSE(p.api().ShowWindow(tip->hWnd(), showcmd::ShowNoActivate));
    EXPECT_TRUE(backend->Shown(*tip));
    EXPECT_EQ(p.ActiveForm(), host.get());
    EXPECT_TRUE(p.api().ShowWindow(tip->hWnd(), showcmd::Hide));
    EXPECT_FALSE(backend->Shown(*tip));
    p.api().ShowWindow(tip->hWnd(), showcmd::Show);
    EXPECT_EQ(p.ActiveForm(), tip.get());
}

TEST_P(Conformance, InputReachesTheFunnelInTwips) {
    auto form = ShownForm();
    auto pic = p.NewPictureBox(*form);
    pic->Move(450, 300, 1500, 1200);
    std::vector<std::string> got;
    auto record = [&](const char* what) {
        return [&got, what](const MouseArgs& a) {
            got.push_back(std::string(what) + " " + std::to_string(a.Button) + " " +
                          std::to_string(int(a.X)) + "," + std::to_string(int(a.Y)));
        };
    };
    pic->OnMouseDown = record("down");
    pic->OnMouseUp = record("up");
    backend->Click(*pic, {7, 5});
    EXPECT_EQ(got, (std::vector<std::string>{"down 1 105,75", "up 1 105,75"}));

    auto list = p.NewListBox(*form);
    list->Move(2400, 300, 2400, 2400);
    for (const char* row : {"zero", "one", "two", "three"}) list->AddItem(row);
    std::vector<std::int16_t> typed;
    list->OnKeyPress = [&](std::int16_t& k) { typed.push_back(k); };
    const int rowPx = list->TwipsToPxY(list->RowHeight());
    backend->Click(*list, {10, 2 * rowPx + rowPx / 2});
    EXPECT_EQ(list->ListIndex(), 2);
    EXPECT_TRUE(list->HasFocus());
    backend->Key(40);  // down
    EXPECT_EQ(list->ListIndex(), 3);
    backend->Key(13);
    EXPECT_EQ(typed, (std::vector<std::int16_t>{13}));
}

INSTANTIATE_TEST_SUITE_P(Backends, Conformance,
                         ::testing::Values(BackendMaker{"Headless", MakeHeadlessBackend},
                                           BackendMaker{"Qt", MakeQtBackend}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quindel::test
