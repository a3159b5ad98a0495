#pragma once
// The print dialog: prints what the panel shows: the text, or the picture with the credit line
// above it and the shown object's caption near the bottom of the page. The printer's printable
// area stands for the page: positions are measured from its corner, so a picture centred in it
// stands in the middle of the sheet; the picture keeps clear of the credit's and the caption's
// two inches at the top and the bottom. The credit line stands centred on the sheet in both.
// A second OK while a print runs is ignored (Occupato).
//
// Where the print goes: where the printer sends it (a file named by the host or the environment,
// or the system's printer); when it has nowhere, the user names a PDF file in the platform's file
// chooser (cancelling prints nothing and leaves the dialog as it was), and where there is no file
// chooser the printer's temporary file is named in a message afterwards. A finished print closes
// the dialog; one that failed or was given up leaves it open with OK ready for another try.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "copyprint/Dialogo.h"
#include "platform/Printer.h"
#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Form;
class Label;
class PictureBox;
struct PageMetrics;
}  // namespace quindel::platform

namespace quindel {

class ProprietarioDialoghi;
class Gestore;

class fstampa {
  public:
    // The faces of the print document's font table, entries 0 to 7.
    static constexpr std::array<const char*, 8> kFacce = {
        "Times New Roman", "LunapP",         "Times New Roman", "LunapL",
        "LunapC",          "TNR Special G2", "LunapPS",         "Symbol"};

    explicit fstampa(platform::Platform& p);
    ~fstampa();
    fstampa(const fstampa&) = delete;
    fstampa& operator=(const fstampa&) = delete;

    // Takes the state of the control that opens the dialog and shows it; null unlinks it.
    void setPilondaCorrente(ProprietarioDialoghi* p);
    ProprietarioDialoghi* PilondaCorrente() const { return PilondaCorrente_; }
    const std::shared_ptr<platform::Form>& Form() const { return dialogo_.Form(); }
    bool Caricato() const;
    void Unload();

    // OPZ(0)/OPZT(0) the text, OPZ(1)/OPZT(1) the picture; EVID(0) and EVID(1) their marks.
    platform::PictureBox& OPZ(int i) const { return *OPZ_.at(std::size_t(i)); }
    platform::Label& OPZT(int i) const { return *OPZT_.at(std::size_t(i)); }
    platform::PictureBox& EVID(int i) const { return *EVID_.at(std::size_t(i)); }
    platform::Label& OK() const { return *OK_; }
    platform::Label& ANNULLA() const { return *ANNULLA_; }
    const Object& TESTOATX() const { return TESTOATX_; }
    const Object& atxTestoCop() const { return atxTestoCop_; }

    bool HaTesto() const { return HaTesto_; }
    bool Occupato() const { return Occupato_; }
    const std::string& TestoCompleto() const { return TestoCompleto_; }
    // What prints below the picture: the caption control's text, or without a caption control the
    // shown text.
    const std::string& TestoSottoImmagine() const;

    void OK_Click();
    void ANNULLA_Click();
    void OPZ_Click(int Index);
    void OPZT_Click(int Index) { OPZ_Click(Index); }

  private:
    void Costruisci();
    void PreparaTESTOATX();
    void MostraScelta(bool testo);
    bool ScegliDestinazione(bool& fileScelto);
    platform::PrintResult Stampa();
    void StampaIlTesto(Gestore& g);
    void StampaLImmagine(Gestore& g);
    void StampaCrediti(Gestore& g, const platform::PageMetrics& pagina);
    void DisponiImmagine(Gestore& g, const platform::PageMetrics& pagina);
    void StampaTestoInBasso(Gestore& g, const platform::PageMetrics& pagina);
    void FineDocumento(Gestore& g);
    void DiDoveStampato(const platform::PrintResult& esito);

    Dialogo dialogo_;
    std::array<std::shared_ptr<platform::PictureBox>, 2> OPZ_;
    std::array<std::shared_ptr<platform::Label>, 2> OPZT_;
    std::array<std::shared_ptr<platform::PictureBox>, 2> EVID_;
    std::shared_ptr<platform::Label> OK_, ANNULLA_;
    Object TESTOATX_, atxTestoCop_;  // null without the engine services: no text

    ProprietarioDialoghi* PilondaCorrente_ = nullptr;
    std::string TestoCompleto_, TestoDidascalia_;
    bool HaTesto_ = false, HaDidascalia_ = false;
    platform::PrintResult EsitoStampa_;  // how the last document ended
    Object Immagine_;
    bool Occupato_ = false;
};

}  // namespace quindel

QUINDEL_API_END
