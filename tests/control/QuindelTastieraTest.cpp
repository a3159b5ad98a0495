// The panel without a mouse: its keys run the commands as the buttons' clicks do, Escape closes
// the open window, Tab passes the panel by and never sticks on the progress slider, and the
// tips name the keys.
#include <gtest/gtest.h>

#include <functional>

#include "ControlFixture.h"
#include "platform/Keys.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/Slider.h"
#include "support/Catalogo.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

using namespace quindel;
using quindel::test::ControlFixture;
using quindel::test::Voci;
using Eventi = std::vector<std::string>;
namespace key = quindel::platform::key;
namespace modifier = quindel::platform::modifier;

namespace {

struct Tasti : ControlFixture {
    explicit Tasti(const std::string& nome) : ControlFixture(nome) {
        q->setNomeFileListaMM(Lista("mm.lst", Voci(5)));
        q->setNomeFileListaLemmiCollegati(Lista("lemmi.lst", Voci(3)));
        Eventi();
    }
    void Premi(std::int16_t tasto, std::int16_t shift = 0) {
        q->pic_ToolbarMain().SetFocus();
        p.Input().Key(tasto, 10, shift);
        p.RunFor(50);
    }
};

}  // namespace

TEST(QuindelTastiera, KeysRunTheCommandsOfTheirButtonsAsClicksDo) {
    struct Case {
        const char* what;
        std::function<void(Tasti&)> prima;
        std::int16_t tasto, shift;
        Eventi eventi;
        std::function<bool(Tasti&)> dopo;
        int passo = 0;  // rows the multimedia list moves
    } cases[] = {
        {"next object", {}, key::Right, modifier::Alt, {"PulsantePremuto(11,0)"}, {}, 1},
        {"previous object before the first: its button is disabled",
         {},
         key::Left,
         modifier::Alt,
         {},
         {},
         0},
        {"the media key for the next object",
         {},
         key::MediaNext,
         0,
         {"PulsantePremuto(11,0)"},
         {},
         1},
        {"Escape closes the open list",
         [](Tasti& t) { t.q->setValorePulsante(9, 1); },
         key::Escape,
         0,
         {"PulsantePremuto(9,-1)", "PulsantePremuto(9,0)"},
         [](Tasti& t) { return !t.FinestraLista(1).Visible(); }},
        {"Escape closes the linked entries",
         [](Tasti& t) { t.q->setValorePulsante(3, 1); },
         key::Escape,
         0,
         {"PulsantePremuto(3,-1)", "PulsantePremuto(3,0)"},
         [](Tasti& t) { return !t.FinestraLista(0).Visible(); }},
        {"Escape with nothing open", {}, key::Escape, 0, {}, {}},
        {"a plain arrow is the strip's own", {}, key::Right, 0, {}, {}},
        {"Ctrl+W closes", {}, 'W', modifier::Ctrl, {}, [](Tasti& t) { return !t.host->Loaded(); }},
    };
    for (const Case& c : cases) {
        Tasti t(std::string("keys_") + std::to_string(&c - cases));
        if (c.prima) c.prima(t);
        const std::int32_t riga = t.q->ListaMM()->ListIndex();
        t.Premi(c.tasto, c.shift);
        EXPECT_EQ(t.Eventi(), c.eventi) << c.what;
        if (c.dopo) {
            EXPECT_TRUE(c.dopo(t)) << c.what;
        }
        if (t.host->Loaded()) {
            EXPECT_EQ(t.q->ListaMM()->ListIndex(), riga + c.passo) << c.what;
        }
    }
}

// Either list window opens with the keyboard on its rows (the linked entries too, or no key
// would ever reach them), and Escape gives it back to the strip, on the button that opened it.
TEST(QuindelTastiera, BothListWindowsTakeTheKeyboardAndGiveItBackToTheStrip) {
    for (std::int16_t pulsante : {3, 9}) {
        Tasti t("keys_lists" + std::to_string(pulsante));
        platform::Window& strip = t.q->pic_ToolbarMain();
        strip.SetFocus();
        t.q->setValorePulsante(pulsante, 1);
        EXPECT_TRUE(t.q->FinestraLista(pulsante == 9 ? 1 : 0).TList1()->HasFocus()) << pulsante;
        t.p.Input().Key(key::Escape, 5);
        t.p.RunFor(50);
        EXPECT_FALSE(t.q->ValorePulsante(pulsante)) << pulsante;
        EXPECT_EQ(t.p.Focused(), &strip) << pulsante;
    }
}

TEST(QuindelTastiera, TabPassesThePanelByWithoutStoppingOnTheProgressSlider) {
    Tasti t("keys_tab");
    auto other = t.p.NewListBox(*t.host);
    other->Move(0, 900, 1500, 1200);
    const platform::Window* strip = &t.q->pic_ToolbarMain();
    std::vector<const platform::Window*> seen;
    for (int i = 0; i < 3; ++i) {
        t.p.Input().Key(key::Tab, 10);
        t.p.RunFor(20);
        seen.push_back(t.p.Focused());
    }
    EXPECT_EQ(seen, (std::vector<const platform::Window*>{strip, other.get(), strip}));
    EXPECT_FALSE(t.q->Sld_SliderAvanzamento().TabStop());
    // A press on the slider still leaves the keyboard with the strip.
    const platform::RectPx s = t.q->Sld_SliderAvanzamento().ScreenRectPx();
    t.p.Input().Key(key::Tab).MoveTo(s.left + 3, s.top + 3, 10).Press().Release();
    t.p.RunFor(50);
    EXPECT_EQ(t.p.Focused(), strip);
}

// The volume window opened from the keyboard is worked from the keyboard: its slider has the
// keys, Escape closes it as its button does and the keyboard goes back to the strip.
TEST(QuindelTastiera, TheVolumeWindowTakesTheKeyboardAndEscapeClosesIt) {
    ControlFixture fx("keys_volume");
    fx.q->setVolumeAudio(0);
    ASSERT_TRUE(fx.q->IsPulsanteAbilitato(8));
    fx.q->pic_ToolbarMain().SetFocus();
    // From button 1 the next enabled one is the volume's: 2 to 7 start disabled.
    fx.p.Input().Key(key::Home, 5).Key(key::Right, 5).Key(key::Space, 5);
    fx.p.RunFor(100);
    ASSERT_EQ(fx.Eventi(), Eventi{"PulsantePremuto(8,-1)"});
    const platform::Window* focused = fx.p.Focused();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->Kind(), platform::WindowKind::Slider);
    EXPECT_NE(focused, &fx.q->Sld_SliderAvanzamento());
    fx.p.Input().Key(key::Up, 5).Key(key::Up, 5);
    fx.p.RunFor(50);
    EXPECT_GT(fx.q->VolumeAudio(), 0) << "up is louder";
    fx.p.Input().Key(key::Escape, 5);
    fx.p.RunFor(50);
    EXPECT_EQ(fx.Eventi(), Eventi{"PulsantePremuto(8,0)"});
    EXPECT_FALSE(fx.q->ValorePulsante(8));
    EXPECT_EQ(fx.p.Focused(), &fx.q->pic_ToolbarMain()) << "the keyboard is back on the strip";
}

TEST(QuindelTastiera, TipsNameTheKeysThatWorkNow) {
    Tasti t("keys_tips");
    struct Case {
        std::int16_t pulsante;
        int messaggio;
        const char* tasto;
    } cases[] = {{11, 689, "Alt+→"}, {16, 697, "Ctrl++"}, {14, 692, "Ctrl+W"}, {12, 690, ""}};
    for (const Case& c : cases) {
        const platform::PointPx at = t.Centro(c.pulsante);
        t.p.Input().MoveTo(at.x, at.y, 20).MoveTo(2, 2, 20);
        t.p.RunFor(100);
        const std::string nome = LeggiMessaggio(t.p.files(), c.messaggio);
        EXPECT_EQ(t.q->ToolTip().lbl_HelpButton().Caption(),
                  " " + nome + (*c.tasto ? std::string(" (") + c.tasto + ")" : "") + " ")
            << c.pulsante;
        EXPECT_EQ(t.q->ToolTipPulsante(c.pulsante), nome) << "the tip itself stays";
    }
    EXPECT_EQ(t.q->Sld_SliderAvanzamento().Accessible().name, LeggiMessaggio(t.p.files(), 693));
}
