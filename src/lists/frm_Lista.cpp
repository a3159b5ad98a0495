#include "lists/frm_Lista.h"

#include <algorithm>
#include <cstdint>

#include "lists/ClasseTLista.h"
#include "lists/ProprietarioLista.h"
#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/ListBox.h"
#include "platform/Platform.h"
#include "platform/VScrollBar.h"
#include "runtime/ErrorHandling.h"
#include "runtime/ScopeGuard.h"
#include "support/FileUtil.h"

namespace quindel {

namespace {

constexpr std::int32_t kLarghezzaScrollBar = 255;
constexpr std::int32_t kRighePerTacca = 3;  // rows a wheel notch moves
// The form grows 10 pixels at a time, never past the row the list box is short of; the cap only
// guards against a backend whose rows do not round as expected.
constexpr std::int32_t kCrescitaPx = 10;
constexpr int kPassateMassime = 64;

// A list box only knows its platform form; the form carries its list window under this key.
constexpr char kChiaveFinestra = 0;

}  // namespace

frm_Lista::frm_Lista(platform::Platform& p, std::string Caption) : form_(p.NewForm()) {
    form_->setBorderStyle(platform::border::FixedToolWindow);
    form_->setCaption(std::move(Caption));
    TList1_ = p.NewListBox(*form_);
    VScroll1_ = p.NewVScrollBar(*form_);
    VScroll1_->setWidth(kLarghezzaScrollBar);
    VScroll1_->setTag("I");
    VScroll1_->setVisible(false);
    // The paging bar never takes the keyboard from the list box: after a click on it, Enter
    // still chooses the selected row, and the arrows already page through the whole list.
    VScroll1_->setTabStop(false);
    Collega();
    form_->setCompanion(&kChiaveFinestra, this);
}

frm_Lista::~frm_Lista() {
    form_->setCompanion(&kChiaveFinestra, nullptr);
    if (ClasseListaCorrente) ClasseListaCorrente->setObjTList(nullptr);
    // The windows may outlive this object; their handlers point at it.
    form_->OnResize = nullptr;
    form_->OnMouseMove = nullptr;
    form_->OnUnload = nullptr;
    form_->OnQueryUnload = nullptr;
    TList1_->OnMouseMove = nullptr;
    TList1_->OnMouseUp = nullptr;
    TList1_->OnKeyPress = nullptr;
    TList1_->OnKeyDown = nullptr;
    TList1_->OnMouseWheel = nullptr;
    VScroll1_->OnChange = nullptr;
    VScroll1_->OnScroll = nullptr;
    // The window goes with its object: leave no form registered with the platform.
    form_->Unload();
}

frm_Lista* frm_Lista::DiFinestra(platform::Window& w) {
    const platform::Form* form = w.TopForm();
    return form ? static_cast<frm_Lista*>(form->Companion(&kChiaveFinestra)) : nullptr;
}

void frm_Lista::Collega() {
    form_->OnResize = [this] { Resize(); };
    form_->OnMouseMove = [this](const platform::MouseArgs&) { SpegniToolTip(); };
    form_->OnUnload = [this] { Form_Unload(); };
    // A close from the frame or the window manager closes the window as its button does; the
    // controller and its list stay, so the window opens again.
    form_->OnQueryUnload = [this](bool& cancel) {
        cancel = true;
        Chiudi();
    };
    TList1_->OnMouseMove = [this](const platform::MouseArgs&) { SpegniToolTip(); };
    // A press on the list box's own scroll strip only scrolled: its release chooses nothing.
    TList1_->OnMouseUp = [this](const platform::MouseArgs&) {
        if (!TList1_->ScrollingByMouse()) Scelta();
    };
    TList1_->OnKeyPress = [this](std::int16_t& tasto) {
        if (tasto == platform::key::Return) Scelta();
        if (tasto == platform::key::Escape) Chiudi();
    };
    TList1_->OnKeyDown = [this](std::int16_t& codice, std::int16_t) {
        if (ScorriConTasto(codice)) codice = 0;
    };
    TList1_->OnMouseWheel = [this](int delta, std::int16_t, bool& usato) {
        usato = Scorri(-delta * kRighePerTacca / platform::key::WheelNotch);
    };
    VScroll1_->OnChange = [this] {
        if (ScrollbarDisattivata || !ClasseListaCorrente) return;
        const auto vivo = Proprietario();
        ClasseListaCorrente->ScrollChange();
    };
    VScroll1_->OnScroll = [this] {
        if (ScrollbarDisattivata || !ClasseListaCorrente) return;
        ClasseListaCorrente->AnteprimaScroll(VScroll1_->TrackValue());
    };
}

std::shared_ptr<void> frm_Lista::Proprietario() const {
    ProprietarioLista* p = ClasseListaCorrente ? ClasseListaCorrente->PilondaPadre() : nullptr;
    return p ? p->TieniInVita() : nullptr;
}

void frm_Lista::Scelta() {
    const auto vivo = Proprietario();
    const auto lista = TList1_;  // this window may go with the owner's last reference
    if (ClasseListaCorrente) ClasseListaCorrente->Click();
    ImpostaFuocoSicuro(lista.get());
}

// A long list shows one chunk at a time: the keys and the wheel move through the whole list with
// the scroll bar, which pages in the chunks. A short list leaves them to the list box.
bool frm_Lista::ScorriConTasto(std::int16_t codice) {
    if (VScroll1_->Tag() != "V") return false;
    const std::int32_t pagina = std::max(TList1_->VisibleRows() - 1, 1);
    switch (codice) {
        case platform::key::Up:
            return Scorri(-1);
        case platform::key::Down:
            return Scorri(1);
        case platform::key::PageUp:
            return Scorri(-pagina);
        case platform::key::PageDown:
            return Scorri(pagina);
        case platform::key::Home:
            return Scorri(VScroll1_->Min() - VScroll1_->Value());
        case platform::key::End:
            return Scorri(VScroll1_->Max() - VScroll1_->Value());
        default:
            return false;
    }
}

bool frm_Lista::Scorri(std::int32_t righe) {
    if (VScroll1_->Tag() != "V") return false;
    const auto vivo = Proprietario();
    const std::int32_t basso = std::min(VScroll1_->Min(), VScroll1_->Max());
    const std::int32_t alto = std::max(VScroll1_->Min(), VScroll1_->Max());
    VScroll1_->setValue(std::clamp(VScroll1_->Value() + righe, basso, alto));
    return true;
}

// Escape, the frame's close box and the window manager close the window as its button would:
// the button comes up and the host hears of it.
void frm_Lista::Chiudi() {
    ClasseTLista* controllore = ClasseListaCorrente;
    ProprietarioLista* p = controllore ? controllore->PilondaPadre() : nullptr;
    if (!p) {
        form_->setVisible(false);
        return;
    }
    const auto vivo = p->TieniInVita();
    const std::int16_t pulsante =
        controllore->TipoLista() == ClasseTLista::kOggettiMultimediali ? 9 : 3;
    p->setValorePulsante(pulsante, 0);
}

void frm_Lista::SpegniToolTip() {
    if (ClasseListaCorrente && ClasseListaCorrente->PilondaPadre())
        ClasseListaCorrente->PilondaPadre()->SpegniToolTip();
}

void frm_Lista::Resize() {
    // Growing the form below raises OnResize again; this loop finishes the job instead.
    if (inLayout_) return;
    TemporaryChange inCorso(inLayout_, true);
    for (int passata = 0; passata < kPassateMassime && Disponi(); ++passata) {
    }
}

bool frm_Lista::Disponi() {
    const std::int32_t larghezza = form_->ScaleWidth(), altezza = form_->ScaleHeight();
    if (VScroll1_->Tag() != "V") {
        TList1_->Move(0, 0, larghezza, altezza);
    } else if (VScroll1_->Width() < larghezza) {
        TList1_->Move(0, 0, larghezza - VScroll1_->Width(), altezza);
        VScroll1_->Move(TList1_->Width(), 0, VScroll1_->Width(), altezza);
    } else {
        return false;
    }
    // The list box shows whole rows only: grow the form towards the next whole row, never past
    // it, or 10-pixel steps could miss a height the rows meet and grow for ever.
    const std::int32_t mancante = altezza - TList1_->Height();
    if (mancante <= 0) return false;
    const std::int32_t riga = TList1_->RowHeight();
    const std::int32_t passo = kCrescitaPx * form_->platform().screen().TwipsPerPixelY();
    form_->setHeight(form_->Height() + std::min(passo, riga - mancante % riga));
    return true;
}

void frm_Lista::Unload() {
    if (inUnload_) return;
    form_->Unload();
}

void frm_Lista::Form_Unload() {
    TemporaryChange inCorso(inUnload_, true);
    form_->platform().api().SetWindowWord(form_->hWnd(), platform::GWW_HWNDPARENT, 0);
    if (ClasseTLista* controllore = ClasseListaCorrente)
        IgnoraErrori([controllore] { controllore->Destroy(); });
    ClasseListaCorrente = nullptr;
}

}  // namespace quindel
