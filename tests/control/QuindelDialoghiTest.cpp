// The copy and print dialogs opened by the panel: by commands 5 and 4 and by the methods copia and
// Stampa, one at a time, owned by the host's form and keeping it disabled while open.
#include <gtest/gtest.h>

#include "control/ControlFixture.h"
#include "hostkit/richtextbox/HostEngineServices.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/WindowObject.h"

namespace quindel::test {
namespace {

// The dialogs by their size: the copy dialog's picture is 330 × 200 pixels, the print dialog's
// 300 × 150.
constexpr std::int32_t kLarghezzaCopia = 330 * 15, kLarghezzaStampa = 300 * 15;

struct QuindelDialoghiTest : ::testing::Test {
    ControlFixture f{"dialoghi"};
    std::shared_ptr<hostkit::RichTextBox> testo;

    QuindelDialoghiTest() {
        hostkit::InstallHostEngineServices(f.p);
        testo = f.p.NewChild<hostkit::RichTextBox>(*f.host);
        testo->Move(0, 900, 6000, 3000);
        testo->setFText("{\\rtf1 Tekst has\\'b3a.}");
        f.q->setControlloTesto(testo);
        f.q->setFrmParent(platform::MakeFormObject(f.host));
    }
    // The shown forms of that width.
    int Aperti(std::int32_t larghezza) {
        int n = 0;
        for (platform::Form* form : f.p.Forms()) n += form->IsShown() && form->Width() == larghezza;
        return n;
    }
};

TEST_F(QuindelDialoghiTest, CommandsOpenOneDialogAtATime) {
    f.q->setIsPulsanteAbilitato(5, true);
    f.Clicca(5);
    ASSERT_EQ(Aperti(kLarghezzaCopia), 1);
    platform::Form& copia = *f.p.ActiveForm();
    EXPECT_EQ(copia.Width(), kLarghezzaCopia);
    EXPECT_EQ(copia.Owner(), f.host->hWnd());
    EXPECT_FALSE(f.host->Enabled());
    EXPECT_EQ(f.Eventi(), (std::vector<std::string>{"PulsantePremuto(5,0)"}));

    f.q->Stampa();
    EXPECT_EQ(Aperti(kLarghezzaCopia), 0);
    EXPECT_EQ(Aperti(kLarghezzaStampa), 1);
    EXPECT_FALSE(f.host->Enabled());
    f.p.Input().Key(27);
    f.p.RunFor(10);
    EXPECT_EQ(Aperti(kLarghezzaStampa), 0);
    EXPECT_TRUE(f.host->Enabled());
}

TEST_F(QuindelDialoghiTest, LateBoundCopiaAndTermina) {
    CallMethod(f.q, "copia", std::string("TA"));
    EXPECT_EQ(Aperti(kLarghezzaCopia), 1);
    f.q->Termina();
    EXPECT_EQ(Aperti(kLarghezzaCopia), 0);
    EXPECT_TRUE(f.host->Enabled());
}

}  // namespace
}  // namespace quindel::test
