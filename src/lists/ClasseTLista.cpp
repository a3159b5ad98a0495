#include "lists/ClasseTLista.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "lists/ProprietarioLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/Platform.h"
#include "platform/VScrollBar.h"
#include "platform/WindowObject.h"
#include "runtime/Coercions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/MemberBuilders.h"
#include "runtime/ScopeGuard.h"
#include "support/FileUtil.h"
#include "support/Gestore.h"

namespace quindel {

namespace {

// The panel's buttons the lists drive.
constexpr std::int16_t kPulsanteLemmi = 3;                      // opens the linked-entries list
constexpr std::int16_t kPulsanteOggetti = 9;                    // opens the objects list
constexpr std::int16_t kPrecedente = 10;                        // previous object
constexpr std::int16_t kSuccessivo = 11;                        // next object
constexpr std::int16_t kSequenza = 15;                          // runs through the objects
constexpr std::int16_t kVolume = 8;                             // volume of a sound or film
constexpr std::array<std::int16_t, 2> kPulsantiImmagine{5, 4};  // tools for a still object

constexpr std::string_view kScrollBarVisibile = "V";
constexpr std::string_view kScrollBarNascosta = "I";

// Room the list box needs around its rows, and the window around the widest entry (twips).
constexpr std::int32_t kMargineVerticale = 210;
constexpr std::int32_t kMargineOrizzontale = 200;

bool TraTipi(const std::string& tipo, std::initializer_list<std::string_view> tipi) {
    return std::find(tipi.begin(), tipi.end(), tipo) != tipi.end();
}

// The selected entry's texts the host reads by name.
struct TestoCorrente {
    const char* nome;
    DispId id;
    std::string (ClasseTLista::*leggi)() const;
};
constexpr std::array<TestoCorrente, 7> kTestiCorrenti{{
    {"TipoOggetto", 0x68040007, &ClasseTLista::TipoOggetto},
    {"Descrizione", 0x68040008, &ClasseTLista::Descrizione},
    {"CodiceCorrente", 0x68040009, &ClasseTLista::CodiceCorrente},
    {"Didascalia", 0x6804000A, &ClasseTLista::Didascalia},
    {"Directory", 0x6804000B, &ClasseTLista::Directory},
    {"NomeFile", 0x6804000C, &ClasseTLista::NomeFile},
    {"NomeFileBlob", 0x6804000D, &ClasseTLista::NomeFileBlob},
}};

// The frame a window of this border style gets, in twips: taken from the platform, so a window
// never sized yet (whose client area is still clamped to nothing) counts it too.
std::pair<std::int32_t, std::int32_t> Cornice(const platform::Form& finestra) {
    const platform::Platform& p = finestra.platform();
    const platform::FrameMetrics f = p.FrameOf(finestra);
    return {2 * f.border * p.screen().TwipsPerPixelX(),
            (2 * f.border + f.caption) * p.screen().TwipsPerPixelY()};
}

}  // namespace

ClasseTLista::ClasseTLista() {
    DichiaraMembri();
}

ClasseTLista::~ClasseTLista() {
    IgnoraErrori([this] { PuliziaFinale(); });
}

void ClasseTLista::DichiaraMembri() {
    using PT = ParamType;
    using L = ClasseTLista;
    Members<ClasseTLista> m(table(), this);
    m.Property("ListIndex", 0x68040001, PT::Long, &L::ListIndex, &L::setListIndex);
    m.ReadOnly("ListCount", 0x68040002, PT::Long, &L::ListCount);
    m.Property("NomeFileLista", 0x68040003, PT::String, &L::NomeFileLista, &L::setNomeFileLista);
    m.ReadOnly("PuntatoreFileLista", 0x68040004, PT::Long, &L::PuntatoreFileLista);
    m.Property("MaxRecordInLista", 0x68040005, PT::Integer, &L::MaxRecordInLista,
               &L::setMaxRecordInLista);
    m.Property("NumRecordEffettiviInLista", 0x68040006, PT::Long, &L::NumRecordEffettiviInLista,
               &L::setNumRecordEffettiviInLista);
    for (const TestoCorrente& testo : kTestiCorrenti)
        m.ReadOnly(testo.nome, testo.id, PT::String, testo.leggi);
    m.Property("TipoLista", 0x6804000E, PT::Byte, &L::TipoLista, &L::setTipoLista);
    m.WriteOnly("TopIndex", 0x6804000F, PT::Long, &L::setTopIndex);
    m.Method("Clear", 0x60040001, {}, PT::None, &L::Clear);
    m.Method("AddItem", 0x60040002,
             {ByVal("CodiceLemma", PT::String), ByVal("Descrizione", PT::String),
              ByVal("TipoFile", PT::String), ByVal("PathName", PT::String),
              ByVal("NomeFileBlob", PT::String), ByVal("NomeFile", PT::String),
              ByVal("Didascalia", PT::String), OptionalByVal("PosizioneAssoluta")},
             PT::None, [this](Args& a) {
                 AddItem(CStr(a[0]), CStr(a[1]), CStr(a[2]), CStr(a[3]), CStr(a[4]), CStr(a[5]),
                         CStr(a[6]), a[7]);
             });
    m.Method("Ridimensiona", 0x60040003, {}, PT::None, &L::Ridimensiona);
    m.Method("AggiornaPulsantiPilonda", 0x60040004, {}, PT::None, &L::AggiornaPulsantiPilonda);
    m.Method("AggiornaFormTLista", 0x60040005, {}, PT::None, &L::AggiornaFormTLista);
    m.Method("Destroy", 0x60040006, {}, PT::None, &L::Destroy);
    m.Method("ScrollChange", 0x60040007, {}, PT::None, &L::ScrollChange);
    m.Method("Click", 0x60040008, {}, PT::None, &L::Click);
    m.ReadOnly("ObjTList", 0x68040010, PT::Object,
               [this] { return ObjTList_ ? platform::MakeWindowObject(ObjTList_) : Object(); });
    m.ReadOnly("frm", 0x68040011, PT::Object,
               [this] { return frm_ ? platform::MakeFormObject(frm_->Form()) : Object(); });
}

// ---- Owner, window and clean-up ----

void ClasseTLista::setPilondaPadre(ProprietarioLista* p) {
    if (p) {
        PilondaPadre_ = p;
        return;
    }
    ObjTList_.reset();
    PuliziaFinale();
}

void ClasseTLista::setObjTList(std::shared_ptr<platform::ListBox> L) {
    frm_Lista* finestra = L ? frm_Lista::DiFinestra(*L) : nullptr;
    if (frm_ && frm_ != finestra) StaccaFinestra();
    ObjTList_ = std::move(L);
    if (!finestra) return;
    frm_ = finestra;
    frm_->ClasseListaCorrente = this;
}

void ClasseTLista::StaccaFinestra() {
    if (frm_ && frm_->ClasseListaCorrente == this) frm_->ClasseListaCorrente = nullptr;
    frm_ = nullptr;
}

void ClasseTLista::PuliziaFinale() {
    frm_Lista* finestra = frm_;
    StaccaFinestra();
    // Detached first: unloading the window must not come back here.
    if (finestra) finestra->Unload();
    ObjTList_.reset();
    PilondaPadre_ = nullptr;
    SvuotaRecord();
}

void ClasseTLista::SvuotaRecord() {
    records_.clear();
    misurati_ = 0;
    larghezzaMassima_ = 0;
}

void ClasseTLista::Destroy() {
    platform::Platform* p = Piattaforma();
    if (!p) {
        PuliziaFinale();
        return;
    }
    Gestore gestore(*p, "Destroy");
    gestore([this] { PuliziaFinale(); });
}

platform::Platform* ClasseTLista::Piattaforma() const {
    if (ObjTList_) return &ObjTList_->platform();
    return PilondaPadre_ ? &PilondaPadre_->Piattaforma() : nullptr;
}

// ---- Properties ----

void ClasseTLista::setMaxRecordInLista(std::int16_t v) {
    MaxRecordInLista_ = v;
    if (frm_ && !ScrollBarVisibile()) frm_->VScroll1()->setLargeChange(v);
}

void ClasseTLista::setNumRecordEffettiviInLista(std::int32_t v) {
    NumRecordEffettiviInLista_ = v;
    AggiornaFormTLista();
}

const ClasseRecordLista* ClasseTLista::Selezionato() const {
    const std::int32_t i = ListIndex();
    return i >= 0 && i < NumeroRecord() ? &records_[std::size_t(i)] : nullptr;
}

std::int32_t ClasseTLista::PuntatoreFileLista() const {
    const ClasseRecordLista* r = Selezionato();
    return r ? r->PosizioneAssoluta() : 0;
}

std::string ClasseTLista::TestoSelezionato(ClasseRecordLista::Campo c) const {
    const ClasseRecordLista* r = Selezionato();
    return r ? r->sTesto(c) : std::string();
}

std::string ClasseTLista::CodiceCorrente() const {
    return Selezionato() ? TestoSelezionato(ClasseRecordLista::Campo::CodiceLemma) : "0";
}
std::string ClasseTLista::Descrizione() const {
    return TestoSelezionato(ClasseRecordLista::Campo::Descrizione);
}
std::string ClasseTLista::Didascalia() const {
    return TestoSelezionato(ClasseRecordLista::Campo::Didascalia);
}
std::string ClasseTLista::TipoOggetto() const {
    return TestoSelezionato(ClasseRecordLista::Campo::TipoFile);
}
std::string ClasseTLista::Directory() const {
    return TestoSelezionato(ClasseRecordLista::Campo::PathName);
}
std::string ClasseTLista::NomeFileBlob() const {
    return TestoSelezionato(ClasseRecordLista::Campo::NomeFileBlob);
}
std::string ClasseTLista::NomeFile() const {
    return TestoSelezionato(ClasseRecordLista::Campo::NomeFile);
}

std::int32_t ClasseTLista::ListIndex() const {
    return ObjTList_ ? ObjTList_->ListIndex() : -1;
}

std::int32_t ClasseTLista::ListCount() const {
    return ObjTList_ ? ObjTList_->ListCount() : 0;
}

void ClasseTLista::setListIndex(std::int32_t i) {
    if (!ObjTList_) return;
    if (i < ObjTList_->ListCount())
        ObjTList_->setListIndex(i);
    else if (ObjTList_->ListCount() > 0)
        ObjTList_->setListIndex(ObjTList_->ListCount() - 1);
}

void ClasseTLista::setTopIndex(std::int32_t i) {
    if (ObjTList_) ObjTList_->setTopIndex(i);
}

const ClasseRecordLista& ClasseTLista::Record(std::int32_t Chiave) const {
    if (Chiave < 1 || Chiave > NumeroRecord()) Raise(5);
    return records_[std::size_t(Chiave - 1)];
}

// ---- Content ----

void ClasseTLista::Clear() {
    if (ObjTList_) ObjTList_->Clear();
    SvuotaRecord();
    NumRecordEffettiviInLista_ = 0;
    AggiornaFormTLista();
}

void ClasseTLista::AddItem(std::string_view CodiceLemma, std::string_view Descrizione,
                           std::string_view TipoFile, std::string_view PathName,
                           std::string_view NomeFileBlob, std::string_view NomeFile,
                           std::string_view Didascalia, const Variant& PosizioneAssoluta) {
    if (!ObjTList_) return;
    const bool senzaPosizione = PosizioneAssoluta.isMissing();
    const std::int32_t posizione = senzaPosizione ? -1 : CLng(PosizioneAssoluta);
    records_.emplace_back(
        std::array<std::string_view, ClasseRecordLista::kNumeroCampi>{
            CodiceLemma, PathName, NomeFileBlob, NomeFile, TipoFile, Descrizione, Didascalia},
        posizione);
    if (senzaPosizione || ObjTList_->ListCount() < MaxRecordInLista_)
        ObjTList_->AddItem(records_.back().sConservato(ClasseRecordLista::Campo::Descrizione));
    if (caricamenti_ > 0)
        pulsantiDaAggiornare_ = true;
    else
        AggiornaPulsantiPilonda();
}

void ClasseTLista::Caricamento::Fine() {
    if (lista_.caricamenti_ != 1 || !lista_.pulsantiDaAggiornare_) return;
    lista_.pulsantiDaAggiornare_ = false;
    lista_.AggiornaPulsantiPilonda();
}

// ---- Buttons ----

void ClasseTLista::Abilita(std::int16_t pulsante, bool v) {
    PilondaPadre_->setIsPulsanteAbilitato(pulsante, v);
}

bool ClasseTLista::ScrollBarVisibile() const {
    return frm_ && frm_->VScroll1()->Tag() == kScrollBarVisibile;
}

void ClasseTLista::AggiornaPulsantiPilonda() {
    if (!PilondaPadre_) return;
    const std::int32_t n = ObjTList_ ? std::max(ListCount(), NumRecordEffettiviInLista_) : 0;
    const bool oggetti = TipoLista_ == kOggettiMultimediali;
    const std::int32_t minimo = oggetti ? 2 : 1;
    Abilita(oggetti ? kPulsanteOggetti : kPulsanteLemmi, n >= minimo);
    if (oggetti) AggiornaPulsantiOggetti(n);
}

void ClasseTLista::AggiornaPulsantiOggetti(std::int32_t n) {
    if (n < 2) {
        for (std::int16_t p : {kPrecedente, kSuccessivo, kSequenza}) Abilita(p, false);
    } else {
        if (ScrollBarVisibile()) {
            const std::int32_t valore = frm_->VScroll1()->Value();
            Abilita(kPrecedente, valore > 1);
            Abilita(kSuccessivo, valore < n);
        } else {
            Abilita(kPrecedente, ListIndex() > 0);
            Abilita(kSuccessivo, ListIndex() < n - 1);
        }
        Abilita(kSequenza, true);
    }
    const std::string tipo = TipoOggetto();
    const bool fermo = TraTipi(tipo, {"FO", "MA", "DI", "TA"});
    for (std::int16_t p : kPulsantiImmagine) Abilita(p, fermo);
    AggiornaPulsante8(tipo);
}

void ClasseTLista::AggiornaPulsante8(const std::string& tipo) {
    if (TraTipi(tipo, {"AU", "VI", "DI", "AN"})) {
        Abilita(kVolume, true);
        return;
    }
    // A volume window left open belongs to an object that is no longer shown.
    if (PilondaPadre_->ValorePulsante(kVolume) != 0) {
        PilondaPadre_->setValorePulsante(kVolume, 0);
        PilondaPadre_->ScaricaVolume();
    }
    Abilita(kVolume, false);
}

// ---- Window ----

void ClasseTLista::AggiornaFormTLista() {
    if (!frm_ || !ObjTList_) return;
    platform::VScrollBar& barra = *frm_->VScroll1();
    const bool primaVisibile = barra.Visible();
    // A new range may move the value; that is no scroll by the user and must not page.
    TemporaryChange disattivata(frm_->ScrollbarDisattivata, true);
    if (NumRecordEffettiviInLista_ > ObjTList_->ListCount()) {
        if (!barra.Visible()) {
            barra.setMin(1);
            barra.setMax(NumRecordEffettiviInLista_);
            barra.setVisible(true);
            barra.setTag(std::string(kScrollBarVisibile));
        }
    } else if (barra.Visible()) {
        barra.setVisible(false);
        barra.setTag(std::string(kScrollBarNascosta));
    }
    if (barra.Visible() != primaVisibile) frm_->Resize();
}

void ClasseTLista::SelezionaPosizione(std::int32_t posizione) {
    const std::int32_t righe = std::min(ListCount(), NumeroRecord());
    for (std::int32_t chiave = 1; chiave <= righe; ++chiave) {
        if (records_[std::size_t(chiave - 1)].PosizioneAssoluta() == posizione) {
            ObjTList_->setListIndex(chiave - 1);
            return;
        }
    }
}

std::optional<std::int32_t> ClasseTLista::InizioChunkPer(std::int32_t v) const {
    // No chunk at all (the host answered with an empty one): ask again where the user is.
    if (records_.empty()) return v;
    if (v < records_.front().PosizioneAssoluta()) return v;
    const std::int32_t righe = std::min(ListCount(), NumeroRecord());
    if (ListIndex() >= 0 && righe > 0 && v > records_[std::size_t(righe - 1)].PosizioneAssoluta())
        return v - MaxRecordInLista_ + 1;
    return std::nullopt;
}

void ClasseTLista::ScrollChange() {
    if (!frm_ || NumRecordEffettiviInLista_ <= ListCount()) return;
    const std::int32_t v = frm_->VScroll1()->Value();
    if (const std::optional<std::int32_t> inizio = InizioChunkPer(v)) {
        // The host reloads the records under us: everything is read afresh afterwards.
        if (PilondaPadre_) PilondaPadre_->ChiediNuovoChunk(TipoLista_, NomeFileLista_, *inizio);
        SelezionaPosizione(v);
    } else if (ListIndex() < 0) {
        if (ListCount() > 0) ObjTList_->setListIndex(0);
    } else {
        SelezionaPosizione(v);
    }
    AggiornaPulsantiPilonda();
}

void ClasseTLista::AnteprimaScroll(std::int32_t posizione) {
    if (ObjTList_ && NumRecordEffettiviInLista_ > ListCount()) SelezionaPosizione(posizione);
}

void ClasseTLista::Click() {
    const std::shared_ptr<platform::ListBox> lista = ObjTList_;
    if (lista) lista->setEnabled(false);
    const ClasseRecordLista* r = Selezionato();
    if (frm_ && r && NumRecordEffettiviInLista_ > ListCount() && r->PosizioneAssoluta() > 0) {
        const std::int32_t posizione = r->PosizioneAssoluta();
        IgnoraErrori([&] { frm_->VScroll1()->setValue(posizione); });
    }
    if (TipoLista_ == kOggettiMultimediali) {
        AggiornaPulsantiPilonda();
        if (PilondaPadre_) PilondaPadre_->MostraOggetto();
        if (PilondaPadre_) PilondaPadre_->CLickLista(1);
    } else if (PilondaPadre_) {
        PilondaPadre_->CLickLista(0);
    }
    if (!lista) return;
    lista->setEnabled(true);
    ImpostaFuocoSicuro(lista.get());
}

void ClasseTLista::MisuraNuoviRecord() {
    const platform::Platform& p = ObjTList_->platform();
    for (; misurati_ < records_.size(); ++misurati_) {
        const std::string_view testo =
            records_[misurati_].Conservato(ClasseRecordLista::Campo::Descrizione);
        larghezzaMassima_ =
            std::max(larghezzaMassima_, p.MeasureText(testo).width * p.screen().TwipsPerPixelX());
    }
}

// Rows are measured as the list box lays them out, so a page fits whole; the width leaves room
// for the scroll bar that pages a long list.
void ClasseTLista::Ridimensiona() {
    if (!ObjTList_ || !frm_) return;
    MisuraNuoviRecord();
    platform::Form& finestra = *frm_->Form();
    const platform::Screen& schermo = ObjTList_->platform().screen();
    const auto [corniceLarghezza, corniceAltezza] = Cornice(finestra);
    const std::int32_t righe = std::min<std::int32_t>(MaxRecordInLista_, NumeroRecord());
    std::int32_t altezza = corniceAltezza + kMargineVerticale + ObjTList_->RowHeight() * righe;
    std::int32_t larghezza = corniceLarghezza + kMargineOrizzontale + larghezzaMassima_;
    if (ScrollBarVisibile()) larghezza += frm_->VScroll1()->Width();
    if (larghezza > schermo.WidthTwips() / 2.0) larghezza = schermo.WidthTwips() / 2;
    const std::int32_t altezzaMassima = 2 * schermo.HeightTwips() / 3;
    if (altezzaMassima < altezza) altezza = altezzaMassima;
    ObjTList_->setHeight(altezza);
    finestra.setHeight(ObjTList_->Height());
    finestra.setWidth(larghezza);
}

}  // namespace quindel
