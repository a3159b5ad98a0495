// Panning a picture shown at actual size: how far each step moves it for how deep the pointer
// rests in an edge zone, how fast it goes on the clock, and what ends the scroll loop.
#include <gtest/gtest.h>

#include "contract/FakeControl.h"
#include "contract/Rows.h"
#include "control/ControlFixture.h"
#include "platform/Timer.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::FakeControl;

namespace {

// A 2000 x 1500 pixel picture on a 12000 x 9000 twip form: at 15 twips a pixel, 1200 pixels to
// pan across and 900 down.
struct Palcoscenico {
    ControlFixture fx{"zoom_pan"};
    std::shared_ptr<FakeControl> img = std::make_shared<FakeControl>(contract::picture::kRow);
    std::shared_ptr<FakeControl> form = std::make_shared<FakeControl>(contract::window::kForm);

    Palcoscenico() {
        form->props["scalewidth"] = 12000.0;
        form->props["scaleheight"] = 9000.0;
        img->props = {{"iwidth", std::int32_t(2000)},
                      {"iheight", std::int32_t(1500)},
                      {"width", 12000.0},
                      {"height", 9000.0},
                      {"cropx", std::int16_t(0)},
                      {"cropy", std::int16_t(0)},
                      {"mousepointer", std::int16_t(0)}};
        img->props["parent"] = Object(form);
        fx.q->setControlloImmagine(img);
        fx.q->ControlloImmagine_MouseDown(1, 0, 6000, 4500);  // to actual size
        img->log.clear();
    }
    // The CropX values written while the pan ran.
    std::vector<std::int32_t> PassiX() const {
        std::vector<std::int32_t> passi;
        for (const std::string& voce : img->log)
            if (voce.starts_with("let cropx=")) passi.push_back(std::stoi(voce.substr(10)));
        return passi;
    }
};

}  // namespace

TEST(QuindelZoom, ThePanStepGrowsWithTheDepthAndStopsAtTheEdge) {
    const struct {
        float x;  // twips from the left of the 12000-twip control; the right zone is 4000 deep
        std::int32_t passo;
    } casi[] = {{10000, 40}, {11800, 76}, {8500, 10}};
    for (const auto& c : casi) {
        Palcoscenico s;
        s.fx.q->ControlloImmagine_MouseMove(0, 0, c.x, 4500);
        const std::vector<std::int32_t> passi = s.PassiX();
        ASSERT_GE(passi.size(), 2u) << c.x;
        EXPECT_EQ(passi[0], c.passo) << c.x;
        EXPECT_EQ(passi[1], 2 * c.passo) << c.x;
        EXPECT_EQ(passi.back(), 1200) << "the loop ends at the picture's edge";
    }
}

TEST(QuindelZoom, TheLoopEndsWhenThePointerLeavesTheZoneOrThePictureIsFitted) {
    enum class Fine { AlCentro, Adattata };
    for (Fine fine : {Fine::AlCentro, Fine::Adattata}) {
        Palcoscenico s;
        const auto timer = s.fx.p.NewTimer();
        int tick = 0;
        timer->OnTimer = [&] {
            if (++tick != 5) return;
            if (fine == Fine::AlCentro)
                s.fx.q->ControlloImmagine_MouseMove(0, 0, 6000, 4500);
            else
                s.fx.q->ControlloImmagine_MouseDown(1, 0, 6000, 4500);
        };
        timer->setInterval(10);
        timer->setEnabled(true);
        s.fx.q->ControlloImmagine_MouseMove(0, 0, 10000, 4500);
        timer->setEnabled(false);
        const std::vector<std::int32_t> passi = s.PassiX();
        ASSERT_FALSE(passi.empty());
        EXPECT_LT(passi.back(), 1200) << "stopped before the edge";
        EXPECT_GE(tick, 5);
    }
}

namespace {

// The picture control, noting when each CropX step was written.
struct Cronometro : FakeControl {
    Cronometro() : FakeControl(contract::picture::kRow) {}
    platform::Platform* p = nullptr;
    std::vector<std::pair<std::int64_t, std::int32_t>> passi;  // (ms, CropX)
    Variant Invoke(DispId id, CallKind kind, Args& args) override {
        Variant v = FakeControl::Invoke(id, kind, args);
        if (kind == CallKind::Let && log.back().starts_with("let cropx="))
            passi.emplace_back(p->NowMs(), CLng(args.back()));
        return v;
    }
};

}  // namespace

// A busy message loop (a fast machine, or one flooded with paint events) turns many times between
// two steps; the picture must still move at the speed its step sizes give, 25 steps a second.
TEST(QuindelZoom, ThePanSpeedIsSetByTheClockNotByTheMessageLoop) {
    const struct {
        float x;                   // twips from the left; the right zone starts at 8000
        std::int32_t pxAlSecondo;  // the step for that depth, 25 times a second
    } profondita[] = {{11999, 80 * 25}, {10000, 40 * 25}, {8075, 2 * 25}};
    for (const int occupato : {0, 1, 7}) {  // ms between two other events; 0: none
        for (const auto& c : profondita) {
            ControlFixture fx("zoom_speed");
            auto form = std::make_shared<FakeControl>(contract::window::kForm);
            form->props["scalewidth"] = 12000.0;
            form->props["scaleheight"] = 9000.0;
            auto img = std::make_shared<Cronometro>();
            img->p = &fx.p;
            img->props = {{"iwidth", std::int32_t(6000)},    {"iheight", std::int32_t(4000)},
                          {"cropx", std::int16_t(0)},        {"cropy", std::int16_t(0)},
                          {"mousepointer", std::int16_t(0)}, {"parent", Object(form)}};
            fx.q->setControlloImmagine(img);
            fx.q->ControlloImmagine_MouseDown(1, 0, 6000, 4500);  // actual size
            img->passi.clear();
            const auto altro = fx.p.NewTimer();
            altro->setInterval(occupato);
            const auto fine = fx.p.NewTimer();
            fine->OnTimer = [&] {
                fine->setEnabled(false);
                fx.q->ControlloImmagine_MouseMove(0, 0, 6000, 4500);  // back to the middle
            };
            fine->setInterval(1000);
            fx.q->ControlloImmagine_MouseMove(0, 0, c.x, 4500);
            const auto& passi = img->passi;
            ASSERT_GE(passi.size(), 10u) << c.x << " busy " << occupato;
            const double secondi = double(passi.back().first - passi.front().first) / 1000;
            const double pxAlSecondo = (passi.back().second - passi.front().second) / secondi;
            EXPECT_DOUBLE_EQ(pxAlSecondo, c.pxAlSecondo) << c.x << " busy " << occupato;
            EXPECT_LT(passi.back().second, 5200) << "stopped by the pointer, not by the edge";
        }
    }
}
