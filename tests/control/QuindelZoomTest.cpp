// Panning a picture shown at actual size: how far each step moves it for how deep the pointer
// rests in an edge zone, and what ends the scroll loop.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "FakeControl.h"
#include "platform/Timer.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::FakeControl;

namespace {

// A 2000 x 1500 pixel picture on a 12000 x 9000 twip form: at 15 twips a pixel, 1200 pixels to
// pan across and 900 down.
struct Palcoscenico {
    ControlFixture fx{"zoom_pan"};
    std::shared_ptr<FakeControl> img = std::make_shared<FakeControl>();
    std::shared_ptr<FakeControl> form = std::make_shared<FakeControl>();

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
