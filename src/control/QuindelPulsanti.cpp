// The panel's button set, the button-state layer offered to the host, and the events of the
// toolbar surface.
#include "control/Quindel.h"
#include "lists/frm_Lista.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/Slider.h"
#include "platform/Window.h"
#include "platform/WindowObject.h"
#include "runtime/Text.h"
#include "support/Catalogo.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"
#include "toolbar/frm_NomeDeiPulsanti.h"

namespace quindel {

namespace {

struct DefinizionePulsante {
    std::int16_t gruppo;
    bool allowPullUp;
    std::int32_t messaggio;  // catalogue code of the tooltip; 0: the fixed text below
    std::int16_t colonna;
    bool abilitato;
};

// Buttons 1 to 17: group, stays down when clicked, tooltip, picture column, enabled at start.
constexpr DefinizionePulsante kPulsanti[17] = {
    {1, false, 679, 0, true},  {2, true, 680, 1, false},   {2, true, 681, 2, false},
    {3, false, 682, 3, false}, {3, false, 683, 4, false},  {3, false, 684, 5, false},
    {3, false, 685, 6, false}, {3, true, 686, 7, true},    {1, true, 687, 8, false},
    {3, false, 688, 9, false}, {3, false, 689, 10, false}, {3, false, 690, 11, true},
    {3, false, 691, 12, true}, {3, false, 692, 13, true},  {3, true, 695, 15, true},
    {3, false, 697, 16, true}, {3, false, 0, 11, true},
};
constexpr std::int32_t kCodiceHelp = 101;
constexpr std::int32_t kMessaggioSlider = 693;

}  // namespace

// The six cells of a button drawn from column k, by the strip's column count at this moment.
std::array<std::int16_t, 6> Quindel::CelleDaColonna(std::int16_t k) const {
    // 16-bit arithmetic, as the strip's numbering is: an overflow is an error.
    auto cella = [&](int riga) {
        const std::int32_t v = riga * std::int32_t(NumBitmapOrizzontali_) + k;
        if (v > 32767 || v < -32768) Raise(6);
        return std::int16_t(v);
    };
    return {cella(0), cella(1), cella(2), cella(3), cella(4), cella(4)};
}

void Quindel::CostruisciPulsanti() {
    toolbar_->InitToolbar(pic_ToolbarMain_, tooltip_.get(), PicPerHelpW95_, clp_Toolbar_, nullptr,
                          Variant::Missing(), Variant::Missing(), Variant::Missing(), false, false);
    for (std::int16_t i = 1; i <= 17; ++i) {
        const DefinizionePulsante& d = kPulsanti[i - 1];
        const std::string tip =
            d.messaggio != 0 ? LeggiMessaggio(platform_.files(), d.messaggio) : "Pulsante 16";
        const auto c = CelleDaColonna(d.colonna);
        const Variant offSetX =
            i == 9 ? Variant(Sld_SliderAvanzamento_->Width()) : Variant::Missing();
        toolbar_->AddButton(d.gruppo, d.allowPullUp, tip, c[3], c[4], c[5], c[2], c[0], c[1],
                            kCodiceHelp, Cmd_GestioneMenu_, Variant(std::int32_t(i)), false,
                            offSetX);
    }
    toolbar_->ShowAllButtons();
    for (std::int16_t i = 1; i <= 17; ++i)
        if (!kPulsanti[i - 1].abilitato) setIsPulsanteAbilitato(i, false);
}

std::int16_t Quindel::ValorePulsante(std::int16_t Indice) const {
    return Tb().ButtonDown(Indice) ? -1 : 0;
}

void Quindel::setValorePulsante(std::int16_t Indice, std::int16_t v) {
    Tb().setButtonDown(Indice, v != 0);
    if (Tb().ButtonEnabled(Indice)) EseguiComando(Indice);
}

bool Quindel::IsPulsanteAbilitato(std::int16_t Indice) const {
    return Tb().ButtonEnabled(Indice);
}

void Quindel::setIsPulsanteAbilitato(std::int16_t Indice, bool v) {
    Tb().setButtonEnabled(Indice, v);
}

// Only setting it knows 99 as the slider; reading it asks the toolbar like any other number.
bool Quindel::IsPulsanteVisibile(std::int16_t Indice) const {
    return Tb().ButtonVisible(Indice);
}

void Quindel::setIsPulsanteVisibile(std::int16_t Indice, bool v) {
    // The slider sits on the strip: without buttons there is nothing to place it after.
    Tb();
    if (Indice == 99) {
        Sld_SliderAvanzamento_->setVisible(v);
        if (v) Sld_SliderAvanzamento_->setExtenderBool(platform::kDispidExtenderBool, false);
    } else {
        Tb().setButtonVisible(Indice, v);
    }
    PosizionaSlider();
    AggiornaDimensioneControllo();
}

std::string Quindel::ToolTipPulsante(std::int16_t Indice) const {
    return Tb().Button(Indice).Tip();
}

void Quindel::setToolTipPulsante(std::int16_t Indice, const std::string& s) {
    Tb().Button(Indice).setTip(s);
}

void Quindel::CambiaPulsante(std::int16_t Indice, const std::string& tooltip,
                             std::int16_t colonna) {
    ClassePulsante& b = Tb().Button(Indice);
    b.setTip(tooltip);
    const auto c = CelleDaColonna(colonna);
    b.setIndexPictureUp(c[3]);
    b.setIndexPictureDown(c[4]);
    b.setIndexPicturePushed(c[5]);
    b.setIndexPictureDisabled(c[2]);
    b.setIndexPictureEnlightedUp(c[0]);
    b.setIndexPictureEnlightedDown(c[1]);
    Tb().ShowAllButtons();
}

void Quindel::ImpostaPulsanteGiu(std::int16_t Indice, bool giu) {
    Tb().setButtonDown(Indice, giu);
}

bool Quindel::ListaVisibile(int i) {
    const platform::Form& f = *finestreLista_.at(std::size_t(i))->Form();
    return f.Alive() && f.Visible();
}

void Quindel::NascondiLista(int i) {
    finestreLista_.at(std::size_t(i))->Form()->setVisible(false);
}

void Quindel::SpegniToolTip() {
    if (!tooltip_ || !tooltip_->Caricato()) return;
    if (toolbar_) toolbar_->MouseMove(0, 0, 0, 0);
    tooltip_->Unload();
}

void Quindel::SalvaSituazionePrecedentePulsanti() {
    ClasseToolbar& tb = Tb();
    for (std::int16_t i = 1; i <= tb.MaxButton(); ++i)
        tb.Button(i).setOldStatus(tb.Button(i).Status());
}

// After Termina the strip may still be on screen: the user's mouse finds no buttons there.
void Quindel::pic_ToolbarMain_MouseDown(const platform::MouseArgs& a) {
    if (!toolbar_) return;
    SalvaSituazionePrecedentePulsanti();
    Tb().MouseDown(a.Button, a.Shift, a.X, a.Y);
}

void Quindel::pic_ToolbarMain_MouseMove(const platform::MouseArgs& a) {
    if (display_->Riproduzione.AttesaInCorso || !toolbar_) return;
    const auto self = shared_from_this();
    const std::string testo = LeggiMessaggio(platform_.files(), kMessaggioSlider);
    const platform::Slider& s = *Sld_SliderAvanzamento_;
    const bool suSlider = s.Left() <= a.X && a.X <= s.Left() + s.Width() && s.Top() <= a.Y &&
                          a.Y <= s.Top() + s.Height();
    if (!suSlider) {
        Tb().MouseMove(a.Button, a.Shift, a.X, a.Y);
    } else if (!tooltip_->Caricato()) {
        Tb().ShowToolTip(testo);
    } else if (Trim(tooltip_->lbl_HelpButton().Caption()) != testo) {
        SpegniToolTip();
        Tb().ShowToolTip(testo);
    }
    display_->Zoom.MouseFuoriImmagine = true;
}

void Quindel::pic_ToolbarMain_MouseUp(const platform::MouseArgs& a) {
    if (!toolbar_) return;
    Tb().MouseUp(a.Button, a.Shift, a.X, a.Y);
}

void Quindel::pic_ToolbarMain_Resize() {
    if (toolbar_) toolbar_->Paint();
}

}  // namespace quindel
