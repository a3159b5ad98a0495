#pragma once
// A stage for the copy and print dialogs on the headless backend: the host kit's engine services,
// a fake owner holding real host kit display controls (a rich-text box for the text and one for
// the caption, a picture control wired to the printer) and a host form as FrmParent.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "TestFolder.h"
#include "copyprint/ProprietarioDialoghi.h"
#include "hostkit/picture/PictureControl.h"
#include "hostkit/picture/PicturePrint.h"
#include "hostkit/richtextbox/HostEngineServices.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/Form.h"
#include "platform/WindowObject.h"
#include "platform/headless/HeadlessPlatform.h"
#include "richtext/Document.h"
#include "richtext/RtfReader.h"
#include "runtime/Dispatch.h"

namespace quindel::test {

inline const std::string kTestoRtf =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}Ala ma {\\b kota}.\\par "
    "Drugi akapit.}";
inline const std::string kDidascaliaRtf =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}Podpis zdj\\u281?cia}";

struct Proprietario : ProprietarioDialoghi {
    platform::Platform& p;
    Object testo, didascalia, immagine, padre;
    std::string file, tipo = "FO";
    platform::Image puntatore;
    int tooltipSpenti = 0;

    explicit Proprietario(platform::Platform& pl) : p(pl) {}
    platform::Platform& Piattaforma() override { return p; }
    Object ControlloTesto() const override { return testo; }
    Object ControlloDidascalia() const override { return didascalia; }
    Object ControlloImmagine() const override { return immagine; }
    Object FrmParent() const override { return padre; }
    const std::string& FilePerCopia() const override { return file; }
    std::string TipoOggettoCorrente() const override { return tipo; }
    platform::Image PuntatoreDialoghi() const override { return puntatore; }
    void SpegniToolTip() override { ++tooltipSpenti; }
    std::shared_ptr<void> TieniInVita() override { return nullptr; }
};

inline std::string LeggiFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string TestoRtf(const std::string& rtf) {
    return richtext::RtfReader::Read(rtf).PlainText();
}

// The headless platform, or one without a file chooser.
struct PiattaformaProva : headless::HeadlessPlatform {
    bool senzaSceltaFile = false;
    headless::HeadlessFileDialog* fileDialog() override {
        return senzaSceltaFile ? nullptr : &SceltaFile();
    }
    // The chooser's record, also while the platform offers none.
    headless::HeadlessFileDialog& SceltaFile() { return *HeadlessPlatform::fileDialog(); }
};

struct CopiaStampaStage {
    TestFolder folder;
    PiattaformaProva p;
    std::shared_ptr<platform::Form> host = p.NewForm();
    std::shared_ptr<hostkit::RichTextBox> testo, didascalia;
    std::shared_ptr<hostkit::PictureControl> immagine;
    Proprietario owner{p};

    explicit CopiaStampaStage(const std::string& nome) : folder("quindel_" + nome) {
        hostkit::InstallHostEngineServices(p);
        host->Move(1500, 1500, 9000, 6000);
        host->Show();
        testo = p.NewChild<hostkit::RichTextBox>(*host);
        testo->Move(0, 0, 6000, 3000);
        testo->setFText(kTestoRtf);
        didascalia = p.NewChild<hostkit::RichTextBox>(*host);
        didascalia->Move(0, 3000, 6000, 600);
        didascalia->setFText(kDidascaliaRtf);
        immagine = p.NewChild<hostkit::PictureControl>(*host);
        immagine->Move(0, 0, 6000, 4500);
        immagine->setVisible(false);
        hostkit::ConnectPrinter(*immagine, p);
        owner.testo = testo;
        owner.didascalia = didascalia;
        owner.immagine = immagine;
        owner.padre = platform::MakeFormObject(host);
        owner.file = (folder.path() / "kopia.rtf").string();
        p.printer()->SetOutputFile((folder.path() / "wydruk.pdf").string());
    }

    // Shows the picture (w × h pixels of one colour, a red marker at its top-left) and hides
    // the text; or the other way round.
    void MostraImmagine(int w, int h) {
        platform::Image img(w, h, platform::MakeRgb(20, 120, 220));
        img.setPixel(0, 0, platform::MakeRgb(250, 10, 10));
        const std::string file = (folder.path() / "obraz.png").string();
        ASSERT_TRUE(img.savePng(file));
        LetProperty(immagine, "FileName", Variant(file));
        immagine->setVisible(true);
        testo->setVisible(false);
    }
    void MostraTesto() {
        immagine->setVisible(false);
        testo->setVisible(true);
    }
};

}  // namespace quindel::test
