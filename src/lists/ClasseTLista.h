#pragma once
// The controller of one list window: it keeps the entries of the list (or of the chunk of a long
// list the host has handed over), fills the window's list box, pages through a long list with the
// host via the scroll bar and keeps the owner's buttons in step with the selection.
// Row i of the list box shows the entry with key i + 1; keys follow the load order.
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "lists/ClasseRecordLista.h"
#include "runtime/DispatchTable.h"
#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class ListBox;
class Platform;
}  // namespace quindel::platform

namespace quindel {

class ProprietarioLista;
class frm_Lista;

class ClasseTLista : public TableDispatch {
  public:
    // Which list a controller runs.
    static constexpr std::uint8_t kLemmiCollegati = 0;
    static constexpr std::uint8_t kOggettiMultimediali = 1;

    ClasseTLista();
    ~ClasseTLista() override;
    std::string TypeName() const override { return "ClasseTLista"; }

    ProprietarioLista* PilondaPadre() const { return PilondaPadre_; }
    // Null releases the list box and runs the final clean-up.
    void setPilondaPadre(ProprietarioLista* p);
    std::uint8_t TipoLista() const { return TipoLista_; }
    void setTipoLista(std::uint8_t v) { TipoLista_ = v; }
    const std::string& NomeFileLista() const { return NomeFileLista_; }
    void setNomeFileLista(std::string v) { NomeFileLista_ = std::move(v); }
    std::int16_t MaxRecordInLista() const { return MaxRecordInLista_; }
    void setMaxRecordInLista(std::int16_t v);
    // The length of the whole list, of which the records hold one chunk.
    std::int32_t NumRecordEffettiviInLista() const { return NumRecordEffettiviInLista_; }
    void setNumRecordEffettiviInLista(std::int32_t v);
    // The selected entry's position in the whole list, 0 with no selection.
    std::int32_t PuntatoreFileLista() const;

    // The selected entry's texts; "" with no selection ("0" for the code).
    std::string CodiceCorrente() const;
    std::string Descrizione() const;
    std::string Didascalia() const;
    std::string TipoOggetto() const;
    std::string Directory() const;
    std::string NomeFileBlob() const;
    std::string NomeFile() const;

    const std::shared_ptr<platform::ListBox>& ObjTList() const { return ObjTList_; }
    // Attaches the list box and, through it, its list window.
    void setObjTList(std::shared_ptr<platform::ListBox> L);
    frm_Lista* frm() const { return frm_; }
    std::int32_t ListIndex() const;
    void setListIndex(std::int32_t i);
    std::int32_t ListCount() const;
    void setTopIndex(std::int32_t i);

    // The entries, by key 1..NumeroRecord() (raises 5 outside).
    std::int32_t NumeroRecord() const { return std::int32_t(records_.size()); }
    const ClasseRecordLista& Record(std::int32_t Chiave) const;

    void Clear();
    // Without a position the entry always gets a row; with one, only while the first page fills.
    void AddItem(std::string_view CodiceLemma, std::string_view Descrizione,
                 std::string_view TipoFile, std::string_view PathName,
                 std::string_view NomeFileBlob, std::string_view NomeFile,
                 std::string_view Didascalia,
                 const Variant& PosizioneAssoluta = Variant::Missing());
    void AggiornaPulsantiPilonda();
    // While one lives, entries added leave the panel's buttons alone; Fine brings them up to date
    // once, so a page loads without redrawing buttons after every entry.
    class Caricamento {
      public:
        explicit Caricamento(ClasseTLista& lista) : lista_(lista) { ++lista_.caricamenti_; }
        ~Caricamento() { --lista_.caricamenti_; }
        Caricamento(const Caricamento&) = delete;
        Caricamento& operator=(const Caricamento&) = delete;
        void Fine();

      private:
        ClasseTLista& lista_;
    };
    // Shows the scroll bar while the whole list is longer than the rows, hides it otherwise.
    void AggiornaFormTLista();
    void ScrollChange();
    // While the scroll bar's thumb is dragged: the row of that position is selected when the
    // chunk holds it; the host is asked for nothing until the drop.
    void AnteprimaScroll(std::int32_t posizione);
    void Click();
    // Sizes the window to the widest entry and a page of rows, within the screen's limits.
    void Ridimensiona();
    void Destroy();

  private:
    void DichiaraMembri();
    void PuliziaFinale();
    void SvuotaRecord();
    void StaccaFinestra();
    platform::Platform* Piattaforma() const;
    const ClasseRecordLista* Selezionato() const;
    std::string TestoSelezionato(ClasseRecordLista::Campo c) const;
    bool ScrollBarVisibile() const;
    void Abilita(std::int16_t pulsante, bool v);
    void AggiornaPulsantiOggetti(std::int32_t n);
    void AggiornaPulsante8(const std::string& tipo);
    void SelezionaPosizione(std::int32_t posizione);
    // Where the chunk to ask for starts when position v lies outside the rows, else nothing.
    std::optional<std::int32_t> InizioChunkPer(std::int32_t v) const;
    void MisuraNuoviRecord();

    std::shared_ptr<platform::ListBox> ObjTList_;
    frm_Lista* frm_ = nullptr;
    ProprietarioLista* PilondaPadre_ = nullptr;
    std::uint8_t TipoLista_ = kLemmiCollegati;
    std::string NomeFileLista_;
    std::int16_t MaxRecordInLista_ = 0;
    std::int32_t NumRecordEffettiviInLista_ = 0;
    std::deque<ClasseRecordLista> records_;  // grows without moving the entries
    // Widest description seen by Ridimensiona (twips) and how many entries it has measured:
    // entries never change once added, so only new ones need measuring.
    std::int32_t larghezzaMassima_ = 0;
    std::size_t misurati_ = 0;
    int caricamenti_ = 0;
    bool pulsantiDaAggiornare_ = false;
};

}  // namespace quindel

QUINDEL_API_END
