// The two lists seen from the host: list files, chunk paging, and the events of the control.
#include <algorithm>

#include "control/Quindel.h"
#include "lists/CaricaListaDaFile.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/Platform.h"
#include "platform/VScrollBar.h"
#include "runtime/Coercions.h"
#include "runtime/ScopeGuard.h"
#include "runtime/VbError.h"
#include "support/FileUtil.h"

namespace quindel {

namespace {
ClasseTLista& Lista(const std::array<std::shared_ptr<ClasseTLista>, 2>& liste, std::int32_t i) {
    if (i < 0 || i > 1 || !liste[std::size_t(i)]) Raise(9);
    return *liste[std::size_t(i)];
}
}  // namespace

void Quindel::setNomeFileListaMM(const std::string& nome) {
    if (!FileEsiste(platform_.files(), nome)) return;
    NomeFileListaMM_ = nome;
    CaricaListaDaFile(*liste_[1], platform_.files(), nome);
}

void Quindel::setNomeFileListaLemmiCollegati(const std::string& nome) {
    if (!FileEsiste(platform_.files(), nome)) return;
    NomeFileListaLemmiCollegati_ = nome;
    CaricaListaDaFile(*liste_[0], platform_.files(), nome);
}

std::uint8_t Quindel::MassimoRecordListaVisibili() const {
    return std::uint8_t(liste_[0]->MaxRecordInLista());
}

void Quindel::setMassimoRecordListaVisibili(std::uint8_t v) {
    for (auto& l : liste_) l->setMaxRecordInLista(v);
}

void Quindel::InitChunk(bool bNuovaLista, std::int16_t iTipoLista, const std::string& sNomeFile,
                        std::int32_t lNumeroTotaleElementi, std::int32_t lPosizioneInizioChunk) {
    ClasseTLista& l = Lista(liste_, iTipoLista);
    frm_Lista& finestra = *finestreLista_[std::size_t(iTipoLista)];
    const std::int32_t totale = lNumeroTotaleElementi, inizio = lPosizioneInizioChunk;
    const std::int32_t max = l.MaxRecordInLista();
    // Whatever happens, the window is unfrozen and its scroll bar live again at the end: a host
    // error must not leave the list dead.
    platform_.api().LockWindowUpdate(finestra.Form()->hWnd());
    ScopeExit ripristina([&] {
        finestra.ScrollbarDisattivata = false;
        platform_.api().LockWindowUpdate(0);
    });

    // A chunk file that is not there (or is a folder) leaves the page shown as it was; the next
    // scroll asks the host again.
    if (!FileEsiste(platform_.files(), sNomeFile)) {
        if (bNuovaLista) {
            l.Clear();
            l.setNumRecordEffettiviInLista(0);
        }
        return;
    }
    l.Clear();
    if (bNuovaLista) l.setNumRecordEffettiviInLista(0);
    if (totale <= max)
        CaricaListaDaFile(l, platform_.files(), sNomeFile);
    else if (totale - inizio >= max)
        CaricaListaDaFile(l, platform_.files(), sNomeFile, inizio);
    else
        CaricaListaDaFile(l, platform_.files(), sNomeFile, totale - max + 1);
    finestra.ScrollbarDisattivata = true;
    l.setNumRecordEffettiviInLista(totale);
    if (bNuovaLista) {
        if (finestra.VScroll1()->Tag() == "V") finestra.VScroll1()->setValue(inizio);
        std::int32_t riga = 0;
        if (totale - inizio < max && totale > 0) riga = max - (totale - inizio) - 1;
        l.setListIndex(std::max(riga, 0));
    }
    l.AggiornaPulsantiPilonda();
}

void Quindel::CLickLista(std::int16_t IndiceLista) {
    if (IndiceLista != 0)
        RaiseClickLista(evento::ClickListaOggettiMM, Lista(liste_, IndiceLista).ListIndex());
    else
        RaiseClickLista(evento::ClickListaLemmi, Lista(liste_, 0).ListIndex());
}

}  // namespace quindel
