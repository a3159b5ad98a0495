// Random bytes as a list file: loaded whole and as a chunk into a list controller with its
// window, as the control loads them, then measured and read back row by row.
#include <cstdint>
#include <string_view>

#include "lists/CaricaListaDaFile.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/ListBox.h"
#include "platform/headless/HeadlessPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static quindel::headless::HeadlessPlatform p;
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    quindel::frm_Lista finestra(p);
    quindel::ClasseTLista lista;
    lista.setObjTList(finestra.TList1());
    lista.setMaxRecordInLista(14);
    // The first byte says how: a whole list, or a chunk starting at that position.
    const quindel::Variant inizio =
        data[0] == 0 ? quindel::Variant::Missing() : quindel::Variant(std::int32_t(data[0]));
    quindel::CaricaListaDaMemoria(lista, bytes, inizio);
    lista.setNumRecordEffettiviInLista(lista.NumeroRecord() + data[0]);
    lista.Ridimensiona();
    for (std::int32_t i = 0; i < lista.ListCount(); ++i) {
        lista.setListIndex(i);
        (void)lista.Descrizione();
        (void)lista.Directory();
        (void)lista.PuntatoreFileLista();
    }
    lista.Destroy();
    return 0;
}
