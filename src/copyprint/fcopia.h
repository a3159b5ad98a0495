#pragma once
// The copy dialog: copies what the panel shows (the text, the caption or the picture) to the
// clipboard or to a file. What can be chosen is taken from the control when the dialog opens;
// one content is chosen at a time, at first the object shown (the picture when a picture is
// shown, else the text, else the caption), and the check marks follow (the AGGIORNA timer
// redraws them). Copies to a file never touch the
// clipboard, and cancelling leaves it as it was: what the user copied elsewhere stays.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "copyprint/Dialogo.h"
#include "copyprint/NomiCopia.h"
#include "platform/Image.h"
#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Form;
class Label;
class PictureBox;
class Timer;
}  // namespace quindel::platform

namespace quindel {

class ProprietarioDialoghi;
class Gestore;
class IstanzaTesto;

class fcopia {
  public:
    explicit fcopia(platform::Platform& p);
    ~fcopia();
    fcopia(const fcopia&) = delete;
    fcopia& operator=(const fcopia&) = delete;

    // Takes the state of the control that opens the dialog and shows it; null unlinks it.
    void setPilondaCorrente(ProprietarioDialoghi* p);
    ProprietarioDialoghi* PilondaCorrente() const { return PilondaCorrente_; }
    const std::shared_ptr<platform::Form>& Form() const { return dialogo_.Form(); }
    bool Caricato() const;
    void Unload();

    // The controls: OPZ(0) text, OPZ(1) the other contents; OPZT(0..5) the texts of text, other,
    // caption, picture, clipboard and file; EVID(0) text, EVID(1) other, EVID(2) clipboard,
    // EVID(3) file, EVID(4) caption, EVID(5) picture.
    platform::PictureBox& OPZ(int i) const { return *OPZ_.at(std::size_t(i)); }
    platform::Label& OPZT(int i) const { return *OPZT_.at(std::size_t(i)); }
    platform::PictureBox& EVID(int i) const { return *EVID_.at(std::size_t(i)); }
    platform::Label& OK() const { return *OK_; }
    platform::Label& ANNULLA() const { return *ANNULLA_; }
    platform::Label& sceglifile() const { return *sceglifile_; }
    platform::Timer& AGGIORNA() const { return *AGGIORNA_; }

    bool HaTesto() const { return HaTesto_; }
    bool HaDidascalia() const { return HaDidascalia_; }
    bool HaImmagine() const { return HaImmagine_; }
    bool Appunti() const { return Appunti_; }
    bool IsTabella() const { return IsTabella_; }
    const NomiCopia& Nomi() const { return nomi_; }

    void OK_Click();
    void ANNULLA_Click();
    void OPZ_Click(int Index);
    void OPZT_Click(int Index);
    void sceglifile_Click();
    void AGGIORNA_Timer();

  private:
    void Costruisci();
    void PrendiStato(ProprietarioDialoghi& p);
    void Scegli(bool testo, bool didascalia, bool immagine);
    void Copia(Gestore& g);
    void CopiaTestoNegliAppunti(Gestore& g, const std::string& rtf, std::int16_t modo);
    void CopiaImmagineNegliAppunti(Gestore& g);
    void SalvaTesto(Gestore& g);
    void SalvaDidascalia(Gestore& g);
    void SalvaImmagine(Gestore& g);
    std::string TestoDelControllo() const;
    // The picture control's whole picture; 481 when it gives none.
    platform::Image ImmagineMostrata() const;

    Dialogo dialogo_;
    std::array<std::shared_ptr<platform::PictureBox>, 2> OPZ_;
    std::array<std::shared_ptr<platform::Label>, 6> OPZT_;
    std::array<std::shared_ptr<platform::PictureBox>, 6> EVID_;
    std::shared_ptr<platform::Label> OK_, ANNULLA_, sceglifile_, lbl_File_;
    std::shared_ptr<platform::Timer> AGGIORNA_;
    Object TESTOATX_;  // null without the engine services: no text choices

    ProprietarioDialoghi* PilondaCorrente_ = nullptr;
    std::string TestoDidascalia_;
    NomiCopia nomi_;
    bool PuoTesto_ = false, PuoDidascalia_ = false, PuoImmagine_ = false;
    bool HaTesto_ = false, HaDidascalia_ = false, HaImmagine_ = false;
    Object Immagine_;
    bool IsTabella_ = false;
    bool Appunti_ = true;
};

}  // namespace quindel

QUINDEL_API_END
