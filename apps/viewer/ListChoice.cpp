#include "viewer/ListChoice.h"

#include <algorithm>

#include "control/Quindel.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/VScrollBar.h"

namespace quindel::viewer {
namespace {

// The row showing the record at `position` (1-based, in the whole list), or -1. A list loaded
// whole keeps no positions: its rows are the records.
std::int32_t RowOf(const ClasseTLista& lista, std::int32_t position) {
    const std::int32_t rows = std::min(lista.ListCount(), lista.NumeroRecord());
    for (std::int32_t key = 1; key <= rows; ++key) {
        const std::int32_t at = lista.Record(key).PosizioneAssoluta();
        if (at == position) return key - 1;
        if (at < 0) return position <= rows ? position - 1 : -1;
    }
    return -1;
}

}  // namespace

bool ChooseRecord(Quindel& panel, hostkit::SearchList list, std::int64_t record) {
    // The panel's list controllers: 0 the linked entries, 1 the multimedia objects.
    const int controller = list == hostkit::SearchList::Linked ? 0 : 1;
    ClasseTLista& lista = controller == 0 ? *panel.ListaLemmi() : *panel.ListaMM();
    frm_Lista& window = panel.FinestraLista(controller);
    const std::int64_t length = std::max(lista.NumRecordEffettiviInLista(), lista.ListCount());
    if (record < 0 || record >= length) return false;
    const auto position = std::int32_t(record + 1);
    // A long list: its scroll bar runs over the whole list, and moving it pages the chunk in.
    platform::VScrollBar& bar = *window.VScroll1();
    if (bar.Tag() == "V") bar.setValue(position);
    const std::int32_t row = RowOf(lista, position);
    if (row < 0) return false;
    lista.setListIndex(row);
    lista.Click();
    return true;
}

}  // namespace quindel::viewer
