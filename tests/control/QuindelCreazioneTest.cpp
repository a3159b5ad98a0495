// Creation, stored settings, the late-bound interface and the button-state layer.
#include <gtest/gtest.h>

#include "ControlFixture.h"
#include "contract/FakeControl.h"
#include "contract/Picture.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/WindowObject.h"
#include "runtime/Coercions.h"
#include "runtime/TestSupport.h"
#include "support/Catalogo.h"

using namespace quindel;
using quindel::test::ControlFixture;

using quindel::test::ErrorNumberOf;

TEST(QuindelCreazione, BuildsTheSeventeenButtonsWithTheirStartingState) {
    ControlFixture fx("create");
    Quindel& q = *fx.q;
    EXPECT_EQ(q.NumBitmapVerticali(), 6);
    EXPECT_EQ(q.NumBitmapOrizzontali(), 18);
    EXPECT_EQ(q.MassimoRecordListaVisibili(), 14);
    EXPECT_EQ(q.ListaMM()->MaxRecordInLista(), 14);
    EXPECT_EQ(q.VolumeAudio(), 255);
    EXPECT_EQ(q.AttesaAutoplay(), 2000);
    ASSERT_EQ(q.Toolbar().MaxButton(), 17);
    const std::set<int> enabled = {1, 8, 12, 13, 14, 15, 16, 17};
    for (std::int16_t i = 1; i <= 17; ++i) {
        EXPECT_EQ(q.IsPulsanteAbilitato(i), enabled.count(i) == 1) << i;
        EXPECT_TRUE(q.IsPulsanteVisibile(i)) << i;
        EXPECT_EQ(fx.B(i).MenuCode(), i);
    }
    EXPECT_EQ(q.ToolTipPulsante(14), LeggiMessaggio(fx.p.files(), 692));
    EXPECT_EQ(q.ToolTipPulsante(17), "Pulsante 16");
    EXPECT_NE(q.ToolTipPulsante(1), "");
    // Button 1: cells 0, 18, 36, 54, 72, 72; button 15: 15, 33, 51, 69, 87, 87.
    struct Cells {
        std::int16_t button, lu, ld, dis, up, down;
    } cells[] = {{1, 0, 18, 36, 54, 72}, {15, 15, 33, 51, 69, 87}, {17, 11, 29, 47, 65, 83}};
    for (const auto& c : cells) {
        EXPECT_EQ(fx.B(c.button).IndexPictureEnlightedUp(), c.lu);
        EXPECT_EQ(fx.B(c.button).IndexPictureEnlightedDown(), c.ld);
        EXPECT_EQ(fx.B(c.button).IndexPictureDisabled(), c.dis);
        EXPECT_EQ(fx.B(c.button).IndexPictureUp(), c.up);
        EXPECT_EQ(fx.B(c.button).IndexPictureDown(), c.down);
        EXPECT_EQ(fx.B(c.button).IndexPicturePushed(), c.down);
    }
    // The slider sits in the room button 9 leaves after button 8.
    EXPECT_EQ(q.Sld_SliderAvanzamento().Left(), fx.B(8).X() + fx.B(8).Width());
    EXPECT_EQ(fx.B(9).X(), fx.B(8).X() + fx.B(8).Width() + q.Sld_SliderAvanzamento().Width());
}

TEST(QuindelCreazione, StoredSettingsFollowTheirRules) {
    ControlFixture fx("settings");
    Quindel& q = *fx.q;
    struct Case {
        std::int32_t secondi, ms;
    } attese[] = {{0, 2000}, {3, 3000}, {-1, -1000}};
    for (const auto& c : attese) {
        q.setAttesaAutoplay(c.secondi);
        EXPECT_EQ(q.AttesaAutoplay(), c.ms);
    }
    EXPECT_EQ(ErrorNumberOf([&] { q.setAttesaAutoplay(3000000); }), 6);
    EXPECT_EQ(q.AttesaAutoplay(), -1000);
    for (auto [in, out] : {std::pair{300, 255}, {255, 255}, {17, 17}}) {
        q.setVolumeAudio(in);
        EXPECT_EQ(q.VolumeAudio(), out);
    }
    q.setNumBitmapVerticali(3);
    EXPECT_EQ(q.NumBitmapOrizzontali(), 18);
    q.setIsFloating(true);
    EXPECT_TRUE(q.IsFloating());
    EXPECT_TRUE(q.IsFloating());
}

TEST(QuindelCreazione, InertMembersAcceptAndForget) {
    ControlFixture fx("inert");
    Object q = fx.q;
    auto obj = std::make_shared<test::FakeControl>(contract::picture::kRow);
    struct Case {
        const char* name;
        Variant set;
        Variant expected;
    } cases[] = {
        {"VelocitaMoviola", std::int16_t(5), std::int16_t(0)},
        {"CodiceLemmaCollegatoCorrente", "X1", ""},
        {"DescrizioneLemmaCollegatoCorrente", "opis", ""},
        {"NumeroRecordEffettiviMM", std::int32_t(9), std::int32_t(0)},
        {"NumeroRecordEffettiviLista", std::int32_t(9), std::int32_t(0)},
        {"ErrorMessage", "błąd", ""},
    };
    for (const auto& c : cases) {
        LetProperty(q, c.name, c.set);
        EXPECT_EQ(GetProperty(q, c.name), c.expected) << c.name;
    }
    for (const char* name : {"ControlloTabella", "ControlloMappa"}) {
        SetProperty(q, name, Variant(Object(obj)));
        EXPECT_TRUE(GetProperty(q, name).isObject()) << name;
        EXPECT_EQ(*GetProperty(q, name).asObjectPtr(), nullptr) << name;
    }
}

TEST(QuindelCreazione, MembersAreReachedByNameAndByDispatchId) {
    ControlFixture fx("dispatch");
    Quindel& q = *fx.q;
    struct Case {
        const char* name;
        DispId id;
    } ids[] = {{"Controllo3DFoto360", 0x68030093}, {"CLickLista", 0x6003006E},
               {"valorepulsante", 0x6803004C},     {"INITCHUNK", 0x60030085},
               {"AttesaAutoplay", 0x68030094},     {"ChiudiTutteLeVisualizzazioni", 0x600300AE},
               {"LenghtAI", 0x680300B0},           {"HwndControlloAnimazion", 0x6803005A}};
    for (const auto& c : ids) EXPECT_EQ(q.GetIDOfName(c.name), c.id) << c.name;
    EXPECT_EQ(q.dispatchTable().members().size(), 58u);
    EXPECT_EQ(ErrorNumberOf([&] { q.GetIDOfName("NonEsiste"); }), 438);
    Args a = {Variant(std::int16_t(12))};
    EXPECT_EQ(q.Invoke(0x6803004C, CallKind::Get, a), Variant(std::int16_t(0)));
    Args write = {Variant(std::int16_t(2)), Variant("nuovo")};
    q.Invoke(0x6803004F, CallKind::Let, write);
    EXPECT_EQ(q.ToolTipPulsante(2), "nuovo");
    // Read-only and write-only members refuse the other kind.
    Args none;
    EXPECT_EQ(ErrorNumberOf([&] { q.Invoke(0x6803006A, CallKind::Get, none); }), 438);
    Args value = {Variant(Object())};
    EXPECT_EQ(ErrorNumberOf([&] { q.Invoke(0x68030066, CallKind::Set, value); }), 438);
    const std::string tlb = q.TypeLibrary();
    EXPECT_NE(tlb.find("dispinterface _Quindel"), std::string::npos);
    EXPECT_NE(tlb.find("dispinterface __Quindel"), std::string::npos);
    EXPECT_NE(tlb.find("id(0x6803004c)"), std::string::npos) << tlb;
    EXPECT_NE(tlb.find("GetChunk"), std::string::npos);
}

TEST(QuindelCreazione, ButtonApiOnAMissingIndexFailsAndChangesNothing) {
    ControlFixture fx("missing");
    Quindel& q = *fx.q;
    const std::vector<std::function<void()>> calls = {
        [&] { q.setValorePulsante(18, 1); },         [&] { q.ValorePulsante(0); },
        [&] { q.setIsPulsanteAbilitato(20, true); }, [&] { q.setIsPulsanteVisibile(-1, false); },
        [&] { q.setToolTipPulsante(50, "x"); },      [&] { q.IsPulsanteVisibile(98); },
    };
    for (const auto& c : calls) EXPECT_EQ(ErrorNumberOf(c), 5);
    EXPECT_TRUE(fx.Eventi().empty());
    for (std::int16_t i = 1; i <= 17; ++i) EXPECT_TRUE(q.IsPulsanteVisibile(i));
}

TEST(QuindelCreazione, SliderVisibilityAndItsExtenderProperty) {
    ControlFixture fx("slider");
    Quindel& q = *fx.q;
    Object slider = q.SliderAvanzamento();
    LetProperty(slider, "ExtenderBool", Variant(true));
    q.setIsPulsanteVisibile(99, false);
    EXPECT_FALSE(q.Sld_SliderAvanzamento().Visible());
    EXPECT_EQ(ErrorNumberOf([&] { q.IsPulsanteVisibile(99); }), 5);  // reading asks the toolbar
    const std::int16_t x9 = fx.B(9).X();
    EXPECT_EQ(fx.B(9).X(), x9);  // the buttons keep their places
    q.setIsPulsanteVisibile(99, true);
    EXPECT_TRUE(q.Sld_SliderAvanzamento().Visible());
    Args none;
    EXPECT_EQ(slider->Invoke(platform::kDispidExtenderBool, CallKind::Get, none), Variant(false));
}

TEST(QuindelCreazione, ResizeNeverFailsAndTheTimerKeepsRunning) {
    ControlFixture fx("resize");
    for (std::int32_t w : {9600, 15, 0, 120, 30000}) {
        fx.q->Finestra().setWidth(w);
        EXPECT_EQ(fx.q->pic_ToolbarMain().Width(), w);
        EXPECT_EQ(fx.q->pic_ToolbarMain().Left(), 60);
    }
    fx.p.RunFor(1000);  // ten ticks of the linked-window timer on an unmoved form
    EXPECT_TRUE(fx.Eventi().empty());
}

TEST(QuindelCreazione, WithoutACatalogueTheButtonsComeWithEmptyTooltips) {
    headless::HeadlessPlatform p;
    const test::TestFolder folder{"quindel_no_catalogue"};
    const auto& empty = folder.path();
    p.files().setComponentFolder((empty / "lib").string());
    auto host = p.NewForm();
    auto q = Quindel::Crea(p, *host);
    EXPECT_EQ(q->Toolbar().MaxButton(), 17);
    EXPECT_EQ(q->ToolTipPulsante(14), "");
    EXPECT_EQ(q->ToolTipPulsante(17), "Pulsante 16");
}

TEST(QuindelCreazione, LateBoundSinksGetTheEventsByDispatchId) {
    ControlFixture fx("dispatch_sink");
    struct Sink : TableDispatch {
        std::vector<std::string> got;
        Sink() {
            table().member("PulsantePremuto", 1, CallKind::Method,
                           {{"IndicePulsante", ParamType::Integer, false, true},
                            {"value", ParamType::Integer, false, true}},
                           ParamType::None, [this](CallKind, Args& a) -> Variant {
                               got.push_back(CStr(a[0]) + "," + CStr(a[1]));
                               return {};
                           });
        }
    };
    auto sink = std::make_shared<Sink>();
    const auto cookie = fx.q->Advise(Object(sink));
    fx.q->setValorePulsante(12, 1);  // the sink has no GetChunk member: other events pass it by
    fx.q->ChiediNuovoChunk(1, "x.lst", 5);
    EXPECT_EQ(sink->got, std::vector<std::string>{"12,0"});
    fx.q->Unadvise(cookie);
    fx.q->setValorePulsante(17, 1);
    EXPECT_EQ(sink->got.size(), 1u);
    EXPECT_EQ(fx.Eventi(), (std::vector<std::string>{"PulsantePremuto(12,0)", "GetChunk(1,5)",
                                                     "PulsantePremuto(17,0)"}));
}
