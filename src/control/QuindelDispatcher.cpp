// The commands 1 to 17. Every command runs through the hidden command button: its Tag carries the
// negated command number and setting its Value runs Cmd_GestioneMenu_Click at once, nested inside
// the caller; there is no queue.
#include "control/Quindel.h"
#include "display/Frm_volume.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/VScrollBar.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/VbError.h"
#include "support/FileUtil.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"

namespace quindel {

namespace {
constexpr std::int32_t kLarghezzaCompatta = 580;
constexpr std::int32_t kAltezzaCompatta = 810;
constexpr std::size_t kSlider = 99;  // the slider's number among the buttons' visibility
}  // namespace

void Quindel::EseguiComando(std::int16_t n) {
    // The panel went with its host's form: there is nothing to run a command on.
    if (!userControl_->Alive()) Raise(91);
    // The command may make the host let the control and its windows go: hold both.
    const auto self = shared_from_this();
    const auto pulsante = Cmd_GestioneMenu_;
    pulsante->setTag(std::to_string(-n));
    pulsante->setValue(true);
}

void Quindel::Cmd_GestioneMenu_Click() {
    const auto self = shared_from_this();  // a command may make the host drop the control
    const std::int16_t n = CInt(-Val(Cmd_GestioneMenu_->Tag()));
    platform_.screen().setMousePointer(platform::pointer::Hourglass);
    // An error that leaves the command (the host's own, raised from an event) goes back to the
    // caller, but never leaves the hourglass behind. An early end keeps the pointer as it is.
    try {
        if (!Tb().Button(n).AllowPullUp()) Tb().setButtonDown(n, false);
        if (!Comando(n)) return;
        if (!InChiusura_ && !DontUnload_) RaisePulsantePremuto(n, Tb().ButtonDown(n) ? -1 : 0);
    } catch (const VbError&) {
        platform_.screen().setMousePointer(platform::pointer::Default);
        throw;
    }
    platform_.screen().setMousePointer(platform::pointer::Default);
}

bool Quindel::Comando(std::int16_t n) {
    switch (n) {
        case 1:
            ComandoRipristina();
            return true;
        case 2:
            DisponiDidascalia();
            return true;
        case 3:
        case 9:
            return ComandoLista(n);
        case 4:
            display_->FermaAutoplay();
            Stampa();
            return true;
        case 5:
            display_->FermaAutoplay();
            copia("");
            return true;
        case 6:
            display_->PlayPausa();
            return true;
        case 7:
            display_->StopRiavvolgi();
            return true;
        case 8:
            ComandoVolume();
            return true;
        case 10:
        case 11:
            ComandoPrecedenteSuccessivo(n);
            return true;
        case 13:
            ComandoCompatta();
            return true;
        case 14:
            ComandoChiudi();
            return true;
        case 15:
            return display_->Autoplay();
        case 16:
            display_->CommutaZoom();
            return true;
        default:
            return true;  // 12, 17: the host acts on the event
    }
}

platform::Form* Quindel::FormPadre() const {
    platform::Form* f = userControl_->TopForm();
    if (!f || !f->Alive()) Raise(91);  // the host's form is gone
    return f;
}

// Freezes the drawing of the animation surface while the panel changes shape under it.
void Quindel::BloccaAnimazione() {
    const std::int32_t superficie = display_->Controlli.HwndAnimazione;
    if (superficie == 0) return;
    platform::Window* w = platform_.FindWindow(superficie);
    if (w && w->IsShown()) platform_.api().LockWindowUpdate(superficie);
}

void Quindel::ComandoRipristina() {
    // Nothing to restore before the panel was ever made compact: restoring zero sizes and
    // all-hidden buttons would make the panel vanish.
    if (!compattato_) {
        SpegniToolTip();
        return;
    }
    BloccaAnimazione();
    ClasseToolbar& tb = Tb();
    for (std::int16_t i = 2; i <= tb.MaxButton(); ++i)
        tb.setButtonVisible(i, PulsantiVisibiliSalvati_[std::size_t(i)] != 0);
    tb.setButtonVisible(1, false);
    Sld_SliderAvanzamento_->setVisible(PulsantiVisibiliSalvati_[kSlider] != 0);
    platform::Form* padre = FormPadre();
    const platform::Screen& s = platform_.screen();
    std::int32_t l = padre->Left(), t = padre->Top();
    if (l + LarghezzaSalvata_ > s.WidthTwips()) l = s.WidthTwips() - LarghezzaSalvata_;
    if (t + AltezzaSalvata_ > s.HeightTwips()) t = s.HeightTwips() - AltezzaSalvata_;
    padre->Move(l, t, LarghezzaSalvata_, AltezzaSalvata_);
    // The buttons moved: the slider goes back to its place after button 8.
    PosizionaSlider();
    SpegniToolTip();
    platform_.api().LockWindowUpdate(0);
}

void Quindel::ComandoCompatta() {
    BloccaAnimazione();
    platform::Form* padre = FormPadre();
    LarghezzaSalvata_ = padre->Width();
    AltezzaSalvata_ = padre->Height();
    compattato_ = true;
    padre->Move(std::max(padre->Left(), 0), std::max(padre->Top(), 0), kLarghezzaCompatta,
                kAltezzaCompatta);
    for (std::int16_t b : {9, 8, 3})
        if (ValorePulsante(b) != 0) setValorePulsante(b, 0);
    ClasseToolbar& tb = Tb();
    for (std::int16_t i = 2; i <= tb.MaxButton(); ++i) {
        PulsantiVisibiliSalvati_[std::size_t(i)] = tb.ButtonVisible(i) ? -1 : 0;
        tb.setButtonVisible(i, false);
    }
    // The slider stands after button 8 and goes with it, kept under its own number: left
    // visible, a piece of it would show beside button 1 when that is the only one.
    PulsantiVisibiliSalvati_[kSlider] = Sld_SliderAvanzamento_->Visible() ? -1 : 0;
    Sld_SliderAvanzamento_->setVisible(false);
    tb.setButtonVisible(1, true);
    PosizionaSlider();
    SpegniToolTip();
    platform_.api().LockWindowUpdate(0);
}

bool Quindel::ComandoLista(std::int16_t n) {
    const std::size_t i = n == 3 ? 0 : 1;
    const std::int16_t altro = n == 3 ? 9 : 3;
    frm_Lista& finestra = *finestreLista_[i];
    if (!Tb().ButtonDown(n)) {
        finestra.Form()->setVisible(false);
        return true;
    }
    liste_[i]->Ridimensiona();
    PosizionaFinestra(*finestra.Form(), n, true);
    IgnoraErrori([&] {
        platform::Form& f = *finestra.Form();
        // Named, in the catalogue's language, as the button that opens it.
        f.setCaption(Tb().Button(n).Tip());
        f.setEnabled(false);
        Tb().Button(n).setToolTipEnabled(false);
        SpegniToolTip();
        f.Show();
        f.setEnabled(true);
        platform_.api().SetWindowWord(f.hWnd(), platform::GWW_HWNDPARENT, FormPadre()->hWnd());
        // Both lists take the keyboard: the linked entries' window can be reached from the
        // keyboard only so.
        finestra.TList1()->SetFocus();
    });
    if (!Tb().ButtonDown(altro)) return true;
    // One list window at a time, even when the host's handler fails: the other window closes
    // before the host's error goes back to its caller.
    try {
        RaisePulsantePremuto(n, -1);
    } catch (const VbError&) {
        Tb().setButtonDown(altro, false);
        finestreLista_[altro == 3 ? 0 : 1]->Form()->setVisible(false);
        throw;
    }
    Tb().setButtonDown(altro, false);
    EseguiComando(altro);
    return false;
}

void Quindel::ComandoVolume() {
    if (!Tb().ButtonDown(8)) {
        ScaricaVolume();
        return;
    }
    if (!volume_ || !volume_->Caricato()) volume_ = std::make_unique<Frm_volume>(platform_);
    volume_->setObjPilonda(this);
    platform::Form& f = *volume_->Form();
    PosizionaFinestra(f, 8, true);
    IgnoraErrori([&] {
        f.setCaption(Tb().Button(8).Tip());
        f.setEnabled(false);
        SpegniToolTip();
        f.Show();
        f.setEnabled(true);
        platform_.api().SetWindowWord(f.hWnd(), platform::GWW_HWNDPARENT, FormPadre()->hWnd());
        // Its slider takes the keyboard, as the multimedia list's box does: the window is
        // reached from the keyboard only so.
        volume_->Slider1()->SetFocus();
    });
}

void Quindel::ComandoPrecedenteSuccessivo(std::int16_t n) {
    display_->Zoom.MouseFuoriImmagine = true;
    display_->Zoom.ZoomAttivo = 0;
    platform::VScrollBar& sb = *finestreLista_[1]->VScroll1();
    ClasseTLista& mm = *liste_[1];
    if (sb.Tag() == "V") {
        const std::int32_t v = sb.Value();
        if (n == 10 && v > 1)
            sb.setValue(v - 1);
        else if (n == 11 && v < sb.Max())
            sb.setValue(v + 1);
        else
            return;
        MostraOggetto();
        return;
    }
    const std::int32_t i = mm.ListIndex();
    if (n == 10) {
        if (i < 1) return;
        mm.setListIndex(i - 1);
        MostraOggetto();
        mm.AggiornaPulsantiPilonda();
    } else {
        if (mm.ListCount() <= i + 1) return;
        mm.setListIndex(i + 1);
        MostraOggetto();
    }
}

void Quindel::ComandoChiudi() {
    BloccaAnimazione();
    InChiusura_ = true;
    display_->RichiediFermata();
    SpegniTutteLeVisualizzazioni();
    ChiudiTutteLeformAperte();
    platform_.api().LockWindowUpdate(0);
    if (DontUnload_) return;
    FormPadre()->Unload();
    Termina();
    platform_.screen().setMousePointer(platform::pointer::Default);
}

}  // namespace quindel
