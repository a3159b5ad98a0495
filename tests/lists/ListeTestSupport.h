#pragma once
// Shared pieces of the list tests: a record writer for list files in a private temporary folder,
// an owner that records every call, and a list window wired to a controller.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "lists/ClasseTLista.h"
#include "lists/ProprietarioLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/CodePage.h"
#include "runtime/Text.h"

namespace quindel::test {

// One entry as the host writes it, UTF-8.
struct Voce {
    std::string codice, cartella, blob, nome, tipo, descrizione, didascalia;
};

// Field widths in bytes, in record order.
inline constexpr int kLarghezze[] = {8, 255, 12, 12, 12, 255, 1024};
inline constexpr std::size_t kRecord = 1578;

// The record of v: each text in the code page, cut or padded with `riempimento` to its width.
inline std::string Record(const Voce& v, char riempimento = ' ') {
    const std::string* testi[] = {&v.codice, &v.cartella,    &v.blob,      &v.nome,
                                  &v.tipo,   &v.descrizione, &v.didascalia};
    std::string r;
    for (int i = 0; i < 7; ++i) {
        std::string campo = ACodePage(*testi[i]);
        campo.resize(std::size_t(kLarghezze[i]), riempimento);
        r += campo;
    }
    return r;
}

inline Voce VoceNumero(int i, const std::string& tipo = "FO") {
    const std::string n = std::to_string(i);
    return {"L" + n, "media\\foto\\", "", "F" + n + ".JPG", tipo, "Opis " + n, "Podpis " + n};
}

// A folder of its own under the system's temporary folder, removed afterwards.
class CartellaTemporanea {
  public:
    CartellaTemporanea() : cartella_("quindel_lists"), percorso_(cartella_.path()) {}

    // Writes raw bytes to a file of the folder; returns its native path.
    std::string Scrivi(const std::string& nome, const std::string& byte) const {
        const auto p = percorso_ / nome;
        std::ofstream(p, std::ios::binary) << byte;
        return p.string();
    }
    std::string Lista(const std::string& nome, const std::vector<Voce>& voci) const {
        std::string byte;
        for (const Voce& v : voci) byte += Record(v);
        return Scrivi(nome, byte);
    }
    const std::filesystem::path& Percorso() const { return percorso_; }

  private:
    test::TestFolder cartella_;
    std::filesystem::path percorso_;
};

// An owner that keeps the buttons' states and logs every call that is not a plain read.
class PilondaFinta : public ProprietarioLista {
  public:
    explicit PilondaFinta(platform::Platform& p) : p_(p) {}

    platform::Platform& Piattaforma() override { return p_; }
    bool IsPulsanteAbilitato(std::int16_t i) const override { return abilitati[i]; }
    void setIsPulsanteAbilitato(std::int16_t i, bool v) override { abilitati[i] = v; }
    std::int16_t ValorePulsante(std::int16_t i) const override { return valori[i]; }
    void setValorePulsante(std::int16_t i, std::int16_t v) override {
        valori[i] = v;
        chiamate.push_back("Valore " + std::to_string(i) + "=" + std::to_string(v));
    }
    void MostraOggetto() override { chiamate.push_back("MostraOggetto"); }
    void CLickLista(std::int16_t i) override {
        chiamate.push_back("CLickLista " + std::to_string(i));
    }
    void ChiediNuovoChunk(std::uint8_t tipo, const std::string& nome,
                          std::int32_t posizione) override {
        chiamate.push_back("Chunk " + std::to_string(tipo) + " " + nome + " " +
                           std::to_string(posizione));
        if (risposta) risposta(posizione);
    }
    void SpegniToolTip() override { chiamate.push_back("SpegniToolTip"); }
    void ScaricaVolume() override { chiamate.push_back("ScaricaVolume"); }
    std::shared_ptr<void> TieniInVita() override { return nullptr; }

    mutable std::map<std::int16_t, bool> abilitati;  // reading a button never set gives false
    mutable std::map<std::int16_t, std::int16_t> valori;
    std::vector<std::string> chiamate;
    // What the host does when asked for a chunk; nothing when unset.
    std::function<void(std::int32_t)> risposta;

  private:
    platform::Platform& p_;
};

// A backend whose font makes rows of any height, on a screen of any twips per pixel.
class PiattaformaRighe : public headless::HeadlessPlatform {
  public:
    PiattaformaRighe(int altezzaTesto, int twipsPerPixel)
        : HeadlessPlatform(Configurazione(twipsPerPixel)), altezza_(altezzaTesto) {}
    platform::SizePx MeasureText(std::string_view t) const override {
        return {HeadlessPlatform::MeasureText(t).width, altezza_};
    }

  private:
    static headless::HeadlessConfig Configurazione(int tpp) {
        headless::HeadlessConfig c;
        c.screen.twipsPerPixelX = c.screen.twipsPerPixelY = tpp;
        return c;
    }
    int altezza_;
};

// A list window with its controller and owner, as the control sets them up.
struct Banco {
    headless::HeadlessPlatform p;
    PilondaFinta pilonda{p};
    std::shared_ptr<frm_Lista> finestra = std::make_shared<frm_Lista>(p);
    std::shared_ptr<ClasseTLista> lista = std::make_shared<ClasseTLista>();

    explicit Banco(std::uint8_t tipo = ClasseTLista::kOggettiMultimediali, std::int16_t max = 10) {
        lista->setPilondaPadre(&pilonda);
        lista->setTipoLista(tipo);
        lista->setObjTList(finestra->TList1());
        lista->setMaxRecordInLista(max);
        finestra->Form()->Move(1500, 1500, 4000, 3000);
    }

    void Aggiungi(const Voce& v, const Variant& posizione = Variant::Missing()) {
        lista->AddItem(v.codice, v.descrizione, v.tipo, v.cartella, v.blob, v.nome, v.didascalia,
                       posizione);
    }
    // Entries first..first+quanti-1 of a long list, as a chunk load adds them.
    void Chunk(std::int32_t primo, std::int32_t quanti) {
        for (std::int32_t i = 0; i < quanti; ++i) Aggiungi(VoceNumero(primo + i), primo + i);
    }
};

}  // namespace quindel::test
