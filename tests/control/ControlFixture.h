#pragma once
// A host for the control on the headless backend: a host form with the control placed on it,
// an event recorder, list files in a temporary folder, and clicks on the panel's buttons through
// the scripted pointer, as a user makes them.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "hostkit/lists/ScrittoreLista.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessPlatform.h"
#include "toolbar/ClassePulsante.h"
#include "toolbar/ClasseToolbar.h"

namespace quindel::test {

struct Registro : QuindelEvents {
    std::vector<std::string> eventi;
    std::function<void(std::uint8_t, const std::string&, std::int32_t)> onGetChunk;
    void PulsantePremuto(std::int16_t& i, std::int16_t& v) override {
        eventi.push_back("PulsantePremuto(" + std::to_string(i) + "," + std::to_string(v) + ")");
    }
    void ClickListaOggettiMM(std::int32_t& i) override {
        eventi.push_back("ClickListaOggettiMM(" + std::to_string(i) + ")");
    }
    void ClickListaLemmi(std::int32_t& i) override {
        eventi.push_back("ClickListaLemmi(" + std::to_string(i) + ")");
    }
    void GetChunk(std::uint8_t& t, std::string& nome, std::int32_t& pos) override {
        eventi.push_back("GetChunk(" + std::to_string(t) + "," + std::to_string(pos) + ")");
        if (onGetChunk) onGetChunk(t, nome, pos);
    }
};

// Entries "Opis n" of type tipo, numbered from 1.
inline std::vector<hostkit::VoceLista> Voci(int n, const std::string& tipo = "FO") {
    std::vector<hostkit::VoceLista> v;
    for (int i = 1; i <= n; ++i)
        v.push_back({"C" + std::to_string(i), "media\\", "", "F" + std::to_string(i) + ".JPG", tipo,
                     "Opis " + std::to_string(i), "Podpis " + std::to_string(i)});
    return v;
}

struct ControlFixture {
    headless::HeadlessPlatform p;
    std::shared_ptr<platform::Form> host = p.NewForm();
    std::shared_ptr<Quindel> q;
    std::shared_ptr<Registro> reg = std::make_shared<Registro>();
    TestFolder folder;
    std::filesystem::path dir = folder.path();

    explicit ControlFixture(const std::string& name = "control") : folder("quindel_" + name) {
        host->setCaption("Host");
        host->Move(1500, 1500, 9900, 4500);
        q = Quindel::Crea(p, *host);
        q->Finestra().Move(0, 0, 9600, 600);
        host->Show();
        q->Advise(reg);
    }

    std::string Lista(const std::string& nome, const std::vector<hostkit::VoceLista>& voci,
                      std::size_t primo = 0, std::size_t quanti = SIZE_MAX) {
        const std::string path = (dir / nome).string();
        hostkit::ScriviListaFile(path, voci, primo, quanti);
        return path;
    }
    ClassePulsante& B(std::int16_t i) { return q->Toolbar().Button(i); }
    // The screen point at the middle of button i.
    platform::PointPx Centro(std::int16_t i) {
        const platform::RectPx r = q->pic_ToolbarMain().ScreenRectPx();
        return {r.left + (B(i).X() + B(i).Width() / 2) / 15,
                r.top + (B(i).Y() + B(i).height() / 2) / 15};
    }
    // Moves onto button i, presses and releases it, and leaves the panel, as a user's click.
    void Clicca(std::int16_t i) {
        const platform::PointPx c = Centro(i);
        p.Input().MoveTo(c.x, c.y).Press().Release().MoveTo(2, 2, 10);
        p.RunFor(50);
    }
    platform::Form& FinestraLista(int i) { return *q->FinestraLista(i).Form(); }
    std::vector<std::string> Eventi() {
        auto e = reg->eventi;
        reg->eventi.clear();
        return e;
    }
};

}  // namespace quindel::test
