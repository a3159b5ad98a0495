#pragma once
// A panel's button states for tests of the pieces below the control: it keeps what it is told
// and logs every change of pictures, down state or value.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "display/StatoPulsanti.h"

namespace quindel::test {

class StatoPulsantiFinto : public StatoPulsanti {
  public:
    bool IsPulsanteAbilitato(std::int16_t i) const override { return abilitati[i]; }
    void setIsPulsanteAbilitato(std::int16_t i, bool v) override { abilitati[i] = v; }
    bool IsPulsanteVisibile(std::int16_t i) const override { return visibili[i]; }
    void setIsPulsanteVisibile(std::int16_t i, bool v) override { visibili[i] = v; }
    std::int16_t ValorePulsante(std::int16_t i) const override { return valori[i]; }
    void setValorePulsante(std::int16_t i, std::int16_t v) override {
        valori[i] = v;
        chiamate.push_back("Valore " + std::to_string(i) + "=" + std::to_string(v));
    }
    void CambiaPulsante(std::int16_t i, const std::string& tooltip, std::int16_t colonna) override {
        chiamate.push_back("Cambia " + std::to_string(i) + " " + tooltip + " " +
                           std::to_string(colonna));
    }
    void ImpostaPulsanteGiu(std::int16_t i, bool giu) override {
        valori[i] = giu ? -1 : 0;
        chiamate.push_back("Giu " + std::to_string(i) + "=" + (giu ? "1" : "0"));
    }

    // Reading a button never set gives false or 0.
    mutable std::map<std::int16_t, bool> abilitati, visibili;
    mutable std::map<std::int16_t, std::int16_t> valori;
    std::vector<std::string> chiamate;
};

}  // namespace quindel::test
