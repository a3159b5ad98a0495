// The windows that follow the host form (the list windows, the volume window) and the caption
// layout of a floating panel.
#include "contract/Text.h"
#include "control/Quindel.h"
#include "display/Frm_volume.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"

namespace quindel {

namespace {
namespace text = contract::text;
namespace window = contract::window;
}  // namespace

// Places a linked window below the host form, or above it when there is no room below (or
// always below when asked to).
void Quindel::PosizionaFinestra(platform::Window& w, std::int16_t pulsante, bool sempreSotto) {
    const platform::Form& padre = *FormPadre();
    const std::int32_t h = pic_ToolbarMain_->Height();
    const std::int32_t schermo = platform_.screen().HeightTwips();
    const bool sotto = sempreSotto || schermo - (padre.Top() + padre.Height()) > w.Height();
    const std::int32_t left = padre.Left() + Tb().Button(pulsante).X() + 60;
    const std::int32_t top = sotto ? padre.Top() + 2 * h - 480 : padre.Top() + h - 430 - w.Height();
    w.Move(left, top, w.Width(), w.Height());
}

void Quindel::SpostaFormCollegate() {
    IgnoraErrori([&] {
        const platform::Form* padre = FormPadre();
        if (!padre->Alive()) return;
        if (padre->Left() == LeftPrecedente_ && padre->Top() == TopPrecedente_) return;
        if (Tb().ButtonDown(3)) PosizionaFinestra(*finestreLista_[0]->Form(), 3, false);
        if (Tb().ButtonDown(9)) PosizionaFinestra(*finestreLista_[1]->Form(), 9, false);
        if (Tb().ButtonDown(8) && volume_ && volume_->Caricato())
            PosizionaFinestra(*volume_->Form(), 8, false);
        LeftPrecedente_ = padre->Left();
        TopPrecedente_ = padre->Top();
    });
}

void Quindel::setControlloDidascalia(Object o) {
    if (o || !display_->Controlli.Didascalia) {
        setIsPulsanteAbilitato(2, true);
    } else {
        contract::Let(display_->Controlli.Didascalia, window::Visible, Variant(false));
        setIsPulsanteAbilitato(2, false);
    }
    display_->Controlli.Didascalia = std::move(o);
    DisponiDidascalia();
}

void Quindel::setIsFloating(bool v) {
    IsFloating_ = v;
    DisponiDidascalia();
    if (v) AggiornaDimensioneControllo();
}

// A floating panel's form is as wide as its visible buttons.
void Quindel::AggiornaDimensioneControllo() {
    if (!IsFloating_) return;
    ClasseToolbar& tb = Tb();
    std::int16_t ultimo = 16;
    while (ultimo > 1 && !tb.ButtonVisible(ultimo)) --ultimo;
    const ClassePulsante& b = tb.Button(ultimo);
    if (FrmParent_)
        contract::Let(FrmParent_, window::Width,
                      Variant(std::int32_t(b.X() + b.Width() + tb.Button(1).X() + 200)));
    if (const Object& c = display_->Controlli.Didascalia)
        contract::Let(c, text::DocWidth, Variant(CDbl(contract::Get(c, window::Width)) * 0.95));
}

void Quindel::DisponiDidascalia() {
    const Object& c = display_->Controlli.Didascalia;
    if (!c) return;
    const bool giu = Tb().ButtonDown(2);
    contract::Let(c, window::Visible, Variant(giu));
    if (!IsFloating_) return;
    if (giu && Tb().ButtonVisible(2)) {
        const std::int32_t vecchia = CLng(contract::Get(c, window::Height));
        contract::Let(c, window::Height, Variant(std::int32_t(0)));
        double nuova =
            CDbl(contract::Get(c, text::DocHeight)) + 15.0 * platform_.screen().TwipsPerPixelY();
        const double meta = platform_.screen().HeightTwips() / 2.0;
        if (nuova > meta) nuova = Round(meta);
        contract::Let(c, window::Height, Variant(nuova));
        contract::Let(c, text::ScrollHorz, Variant(false));
        contract::Let(c, text::ScrollVert, Variant(false));
        if (FrmParent_)
            contract::Let(
                FrmParent_, window::Height,
                Variant(CDbl(contract::Get(FrmParent_, window::Height)) + nuova - vecchia));
        return;
    }
    const std::int32_t altezza = CLng(contract::Get(c, window::Height));
    if (FrmParent_ && altezza > 30)
        contract::Let(FrmParent_, window::Height,
                      Variant(CLng(contract::Get(FrmParent_, window::Height)) - altezza));
    contract::Let(c, window::Height, Variant(std::int32_t(0)));
}

}  // namespace quindel
