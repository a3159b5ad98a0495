// The scroll bar, the list box's own scroll strip and the slider as a person moves them: arrows,
// track, dragged thumbs and knobs (the pointer held outside the control too), keys and the wheel.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/ListBox.h"
#include "platform/ScrollGeometry.h"
#include "platform/Slider.h"
#include "platform/VScrollBar.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel::platform;
using quindel::headless::HeadlessPlatform;

namespace {

// A borderless form at the screen's corner: screen pixels are client pixels.
struct Tavolo {
    HeadlessPlatform p;
    std::shared_ptr<Form> f = p.NewForm();
    Tavolo() {
        f->setBorderStyle(border::None);
        f->Move(0, 0, 9000, 6000);
        f->Show();
    }
    // Presses at `from` and moves through `via` with the button held, without releasing.
    void Trascina(PointPx from, std::initializer_list<PointPx> via) {
        p.Input().MoveTo(from.x, from.y).Press();
        for (const PointPx& v : via) p.Input().MoveTo(v.x, v.y);
        p.Pump();
    }
    void Rilascia() {
        p.Input().Release();
        p.Pump();
    }
};

}  // namespace

// Bars with a pixel of track for every value: the thumb drawn for a value, taken and let go,
// reads that value back, and a press on it hits the thumb.
TEST(ScrollGeometry, EveryValueHasAThumbPlaceThatLeadsBackToIt) {
    struct Caso {
        std::int32_t min, max, page;
        int height;
    } casi[] = {
        {1, 145, 0, 200}, {0, 10, 0, 80}, {100, 0, 0, 300}, {0, 30, 10, 150}, {5, 5, 0, 90}};
    for (const Caso& c : casi) {
        ScrollGeometry g{17, c.height, c.min, c.max, c.min, c.page};
        for (std::int32_t v = std::min(c.min, c.max); v <= std::max(c.min, c.max); ++v) {
            g.Value = v;
            const ScrollGeometry::Span thumb = g.Thumb();
            EXPECT_EQ(g.ValueAtThumbTop(thumb.top), v) << c.min << ".." << c.max;
            EXPECT_EQ(g.PartAt(thumb.top + thumb.height / 2), ScrollGeometry::Part::Thumb);
        }
        EXPECT_EQ(g.PartAt(-5), ScrollGeometry::Part::UpArrow);
        EXPECT_EQ(g.PartAt(c.height), ScrollGeometry::Part::DownArrow);
    }
}

// The thumb follows the pointer, wherever it goes with the button held; Value changes once, at
// the drop, to the value under the thumb.
TEST(VScrollBar, ADraggedThumbFollowsThePointerAndSetsValueOnceAtTheDrop) {
    struct Caso {
        std::int32_t min, max;
        int dy, dx;  // where the pointer goes from the thumb's middle
        std::int32_t atteso;
    } casi[] = {
        {1, 145, 149, 0, 145},    // to the bottom of the track
        {1, 145, 400, 300, 145},  // far below, off the bar and off the form
        {1, 145, 74, 0, 73},      // half way (74 of 149 pixels)
        {1, 145, 0, 30, 1},       // sideways only: nothing changes
        {100, 0, 149, -40, 0},    // an inverted range
    };
    for (const Caso& c : casi) {
        Tavolo t;
        auto s = t.p.NewVScrollBar(*t.f);
        s->Move(600, 300, 255, 3000);  // 17 x 200 px: arrows of 17, a track of 166
        s->setMin(c.min);
        s->setMax(c.max);
        s->setValue(c.min);
        std::vector<std::int32_t> cambi, scorrimenti;
        s->OnChange = [&] { cambi.push_back(s->Value()); };
        s->OnScroll = [&] { scorrimenti.push_back(s->TrackValue()); };
        const PointPx da{40 + 8, 20 + 17 + 8};
        t.Trascina(da, {{da.x + c.dx / 2, da.y + c.dy / 2}, {da.x + c.dx, da.y + c.dy}});
        SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max) + " by " +
                     std::to_string(c.dy));
        EXPECT_TRUE(s->Dragging());
        EXPECT_EQ(s->Value(), c.min);
        EXPECT_TRUE(cambi.empty());
        EXPECT_EQ(s->ThumbPx().first, std::clamp(17 + c.dy, 17, 17 + 149));
        EXPECT_EQ(s->TrackValue(), c.atteso);
        if (c.atteso != c.min) {
            EXPECT_EQ(scorrimenti.back(), c.atteso);
        }
        t.Rilascia();
        EXPECT_FALSE(s->Dragging());
        EXPECT_EQ(s->Value(), c.atteso);
        EXPECT_EQ(cambi, c.atteso == c.min ? std::vector<std::int32_t>{}
                                           : std::vector<std::int32_t>{c.atteso});
    }
}

TEST(VScrollBar, ABarHiddenDuringADragDropsItWithoutAChange) {
    Tavolo t;
    auto s = t.p.NewVScrollBar(*t.f);
    s->Move(600, 300, 255, 3000);
    s->setMin(1);
    s->setMax(145);
    int cambi = 0;
    s->OnChange = [&] { ++cambi; };
    t.Trascina({48, 45}, {{48, 120}});
    s->setVisible(false);
    s->setVisible(true);
    EXPECT_FALSE(s->Dragging());
    t.Rilascia();  // over the bar again
    EXPECT_EQ(s->Value(), 1);
    EXPECT_EQ(cambi, 0);
    EXPECT_EQ(s->ThumbPx().first, 17);
}

// 40 rows in a box of 10: the strip at the right edge scrolls and never selects or clicks.
TEST(ListBox, ItsOwnScrollStripScrollsAndChoosesNothing) {
    struct Caso {
        const char* dove;
        int y;             // where the press lands on the strip (client pixels)
        int trascina;      // pixels the pointer then moves with the button held
        std::int32_t top;  // TopIndex afterwards
    } casi[] = {
        {"down arrow", 145, 0, 1}, {"up arrow", 3, 0, 0}, {"track below", 100, 0, 9},
        {"thumb", 20, 200, 30},    {"thumb", 20, 55, 18},
    };
    for (const Caso& c : casi) {
        Tavolo t;
        auto l = t.p.NewListBox(*t.f);
        for (int i = 0; i < 40; ++i) l->AddItem("row " + std::to_string(i));
        l->Move(0, 0, 3000, 10 * l->RowHeight() + 30);  // 200 x 152 px
        ASSERT_TRUE(l->StripShown());
        int clicks = 0;
        std::vector<bool> rilasci;
        l->OnClick = [&] { ++clicks; };
        l->OnMouseUp = [&](const MouseArgs&) { rilasci.push_back(l->ScrollingByMouse()); };
        const PointPx da{1 + l->StripLeftPx() + 6, 1 + c.y};
        t.Trascina(da, {{da.x - 150, da.y + c.trascina}});
        t.Rilascia();
        EXPECT_EQ(l->TopIndex(), c.top) << c.dove;
        EXPECT_EQ(l->ListIndex(), -1) << c.dove;
        EXPECT_EQ(clicks, 0) << c.dove;
        EXPECT_EQ(rilasci, std::vector<bool>{true}) << c.dove;
    }
}

// Track 6..143 of a 150-pixel slider, 0..10: a value every 13.7 pixels.
TEST(Slider, TheKnobFollowsADragLiveAndAPressOnTheTrackPutsItThere) {
    struct Caso {
        std::int32_t valore;  // before the press
        int x;                // press
        std::vector<int> via;
        std::vector<std::int32_t> cambi;
    } casi[] = {
        {0, 6, {60, 143, 400}, {4, 10}},  // from the knob to the end and beyond
        {5, 77, {91, -50}, {6, 0}},       // held 3 pixels right of its middle
        {5, 120, {120}, {8}},             // a press on the track jumps, then nothing moves
        {10, 143, {129, 116}, {9, 8}},
    };
    for (const Caso& c : casi) {
        Tavolo t;
        auto s = t.p.NewSlider(*t.f);
        s->Move(0, 0, 150 * 15, 20 * 15);
        s->setValue(c.valore);
        std::vector<std::int32_t> cambi;
        s->OnChange = [&] { cambi.push_back(s->Value()); };
        t.p.Input().MoveTo(c.x, 10).Press();
        for (int x : c.via) t.p.Input().MoveTo(x, 30);
        t.Rilascia();
        EXPECT_EQ(cambi, c.cambi) << c.valore << " at " << c.x;
    }
}

TEST(Slider, KeysAndTheWheelMoveIt) {
    Tavolo t;
    auto s = t.p.NewSlider(*t.f);
    s->Move(0, 0, 2250, 300);
    s->setValue(5);
    s->SetFocus();
    struct Passo {
        std::int16_t tasto;  // 0: the wheel, by `ruota` units
        int ruota;
        std::int32_t valore;
    } passi[] = {
        {key::Right, 0, 6}, {key::Left, 0, 5},      {key::Up, 0, 4},
        {key::Down, 0, 5},  {key::PageDown, 0, 10}, {key::PageUp, 0, 5},
        {key::Home, 0, 0},  {key::End, 0, 10},      {key::Right, 0, 10},
        {0, 120, 9},        {0, -240, 10},          {0, 60, 10},
        {0, 60, 9},
    };
    for (const Passo& s2 : passi) {
        if (s2.tasto)
            t.p.Input().Key(s2.tasto);
        else
            s->InputMouseWheel(s2.ruota, 0);
        t.p.Pump();
        EXPECT_EQ(s->Value(), s2.valore) << s2.tasto << " " << s2.ruota;
    }
}
