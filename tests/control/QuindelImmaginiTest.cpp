// The panel as the user sees it: button pixels against the strip, and pictures of the panel in
// its states written to the build folder (panel_*.png) for a look by eye.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "platform/Bmp.h"
#include "platform/PictureStrip.h"
#include "platform/Timer.h"
#include "support/Risorse.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::Voci;

namespace {

platform::PictureStrip Strip() {
    return {*platform::DecodeBmp(RisorsaIncorporata("toolbar.bmp")), 6, 18};
}

// The button's area on the toolbar surface.
platform::Image Area(ControlFixture& fx, std::int16_t i) {
    const ClassePulsante& b = fx.B(i);
    return fx.q->pic_ToolbarMain().Surface().copy(fx.q->pic_ToolbarMain().ToPxX(b.X()),
                                                  fx.q->pic_ToolbarMain().ToPxY(b.Y()), 24, 24);
}

// Runs f once from inside the event loop at virtual time +ms, while whatever waits there goes
// on. The caller keeps the timer.
std::shared_ptr<platform::Timer> Alle(ControlFixture& fx, std::int64_t ms,
                                      std::function<void()> f) {
    auto t = fx.p.NewTimer();
    t->OnTimer = [timer = t.get(), f] {
        timer->setEnabled(false);
        f();
    };
    t->setInterval(std::int32_t(ms));
    return t;
}

void Salva(ControlFixture& fx, const std::string& nome) {
    fx.p.GrabScreen().savePng(nome);
}

}  // namespace

TEST(QuindelImmagini, EachButtonShowsTheStripCellOfItsState) {
    ControlFixture fx("img_cells");
    const platform::PictureStrip strip = Strip();
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(30)));
    fx.q->setValorePulsante(9, 1);
    struct Case {
        std::int16_t button;
        int row;
        int column;
    } cases[] = {{14, 3, 13}, {6, 2, 5}, {9, 4, 8}, {17, 3, 11}, {12, 3, 11}, {16, 3, 16}};
    for (const auto& c : cases)
        EXPECT_EQ(Area(fx, c.button), strip.GraphicCell(c.row * 18 + c.column)) << c.button;
}

TEST(QuindelImmagini, PicturesOfThePanel) {
    ControlFixture fx("img_panel");
    fx.q->setNomeFileListaMM(fx.Lista("mm.lst", Voci(60)));
    fx.q->setNomeFileListaLemmiCollegati(fx.Lista("lemmi.lst", Voci(3)));
    Salva(fx, "panel_normal.png");

    const platform::PointPx c14 = fx.Centro(14);
    bool lit = false, pressed = false;
    const auto t1 = Alle(fx, 700, [&] {
        lit = fx.q->ToolTip().Caricato() && fx.q->ToolTip().frm().Visible();
        Salva(fx, "panel_lit_tooltip.png");
    });
    fx.p.Input().MoveTo(c14.x, c14.y).MoveTo(2, 2, 900);
    fx.p.RunFor(1000);
    EXPECT_TRUE(lit);

    const platform::PointPx c12 = fx.Centro(12);
    const auto t2 = Alle(fx, 300, [&] {
        pressed = fx.q->Toolbar().PulsanteAbbassato() == 12;
        Salva(fx, "panel_pressed.png");
    });
    fx.p.Input().MoveTo(c12.x, c12.y).Press(1, 100).Release(1, 400).MoveTo(2, 2, 50);
    fx.p.RunFor(1000);
    EXPECT_TRUE(pressed);

    // A long list paged by the host: the window shows its scroll bar over the whole list.
    const auto voci = Voci(120);
    const std::string chunk = fx.Lista("chunk.lst", voci, 39, 14);
    fx.q->InitChunk(true, 1, chunk, 120, 40);
    fx.q->setValorePulsante(9, 1);
    Salva(fx, "panel_list_window.png");
    fx.p.Grab(*fx.q->FinestraLista(1).Form()).savePng("list_window.png");

    fx.q->setValorePulsante(13, 1);
    Salva(fx, "panel_compact.png");
}
