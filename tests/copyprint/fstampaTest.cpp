// The print dialog on the headless printer: the font table, the text with its credit, the
// picture's geometry read from the recorded page, a second OK while printing, and a failing
// printer answered with Retry or Cancel.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <variant>

#include "copyprint/CopiaStampaFixture.h"
#include "copyprint/fstampa.h"
#include "hostkit/RichTextFunctions.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "support/Catalogo.h"

namespace quindel {
namespace {

using headless::PrintedDocument;
using platform::PrintText;

struct fstampaTest : ::testing::Test {
    test::CopiaStampaStage s{"fstampa"};
    headless::HeadlessPrinter& printer = *s.p.printer();
    std::unique_ptr<fstampa> d;

    void Apri() {
        d = std::make_unique<fstampa>(s.p);
        d->setPilondaCorrente(&s.owner);
    }
    // The texts of a page, top to bottom as drawn, without the empty opening lines.
    static std::vector<PrintText> Testi(const headless::PrintedPage& page) {
        std::vector<PrintText> out;
        for (const auto& item : page.items)
            if (const auto* t = std::get_if<PrintText>(&item); t && !t->text.empty())
                out.push_back(*t);
        return out;
    }
    static std::string Unito(const std::vector<PrintText>& testi) {
        std::string s;
        for (const auto& t : testi) s += t.text;
        return s;
    }
    void SenzaMargini() {
        headless::HeadlessPrinterConfig c = printer.Config();
        c.page.marginLeft = c.page.marginTop = c.page.marginRight = c.page.marginBottom = 0;
        printer.setConfig(c);
    }
};

TEST_F(fstampaTest, FontTableHasItsEightFaces) {
    Apri();
    for (std::int32_t i = 0; i < 8; ++i) {
        const auto f = hostkit::FontTableGet(d->TESTOATX(), i);
        EXPECT_EQ(f.face, fstampa::kFacce[std::size_t(i)]) << i;
        EXPECT_EQ(f.points, 12);
        EXPECT_EQ(f.weight, 0);
    }
    EXPECT_EQ(std::string(fstampa::kFacce[5]), "TNR Special G2");
}

TEST_F(fstampaTest, TextPrintsBelowItsCredit) {
    Apri();
    ASSERT_TRUE(d->EVID(0).Visible());
    EXPECT_FALSE(d->EVID(1).Visible());
    d->OK_Click();
    ASSERT_EQ(printer.Documents().size(), 1u);
    const PrintedDocument& doc = printer.Documents()[0];
    EXPECT_TRUE(doc.ended);
    const auto testi = Testi(doc.pages.at(0));
    const std::string tutto = Unito(testi);
    EXPECT_EQ(tutto.find("Quindel"), 0u) << tutto;
    EXPECT_NE(tutto.find("Ala makota."), std::string::npos) << tutto;  // "kota." is a run
    EXPECT_NE(tutto.find("Drugi akapit."), std::string::npos);
    EXPECT_GT(testi.back().y, testi.front().y);
    EXPECT_FALSE(d->Occupato());
    EXPECT_FALSE(d->OK().Enabled());
    EXPECT_TRUE(d->Caricato());
    EXPECT_EQ(s.p.screen().MousePointer(), platform::pointer::Default);
}

// The picture at its screen size in twips, reduced by the larger ratio when it is larger than the
// page, centred; the credit at the top and the shown text two inches above the bottom, one page.
TEST_F(fstampaTest, PictureGeometry) {
    SenzaMargini();
    const struct {
        int w, h;
        double left, top, width, height;
    } casi[] = {
        {800, 600, 0, (16838 - 8929.5) / 2, 11906, 8929.5},
        {100, 100, (11906 - 1500) / 2.0, (16838 - 1500) / 2.0, 1500, 1500},
        {300, 2000, (11906 - 16838 * 4500 / 30000.0) / 2, 0, 16838 * 4500 / 30000.0, 16838},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.w);
        printer.ClearDocuments();
        s.MostraImmagine(c.w, c.h);
        s.testo->setVisible(true);
        Apri();
        d->OPZT_Click(1);
        ASSERT_TRUE(d->EVID(1).Visible());
        d->OK_Click();
        ASSERT_EQ(printer.Documents().size(), 1u);
        const PrintedDocument& doc = printer.Documents()[0];
        ASSERT_EQ(doc.pages.size(), 1u);
        EXPECT_EQ(doc.title, LeggiMessaggio(s.p.files(), 488));
        const headless::PrintedPicture* pic = nullptr;
        for (const auto& item : doc.pages[0].items)
            if (const auto* p = std::get_if<headless::PrintedPicture>(&item)) pic = p;
        ASSERT_TRUE(pic);
        EXPECT_NEAR(pic->area.left, c.left, 1);
        EXPECT_NEAR(pic->area.top, c.top, 1);
        EXPECT_NEAR(pic->area.width, c.width, 1);
        EXPECT_NEAR(pic->area.height, c.height, 1);
        const auto testi = Testi(doc.pages[0]);
        ASSERT_FALSE(testi.empty());
        EXPECT_EQ(testi.front().text.rfind("Quindel", 0), 0u);
        EXPECT_GE(testi.front().y, 480);
        EXPECT_NE(Unito(testi).find("Drugi akapit."), std::string::npos);
        EXPECT_GE(testi.back().y, 16838 - 2880);
    }
}

// Enter while the print lets events run reaches OK again: it is ignored.
TEST_F(fstampaTest, SecondOkWhilePrintingIsIgnored) {
    Apri();
    s.p.Input().Key(13);
    d->OK_Click();
    s.p.RunFor(50);
    EXPECT_EQ(printer.Documents().size(), 1u);
}

TEST_F(fstampaTest, FailingPrinterRetryOrCancel) {
    const struct {
        std::int16_t risposta;
        bool stampato;
    } casi[] = {{platform::mb::Retry, true}, {platform::mb::Cancel, false}};
    for (const auto& c : casi) {
        printer.ClearDocuments();
        s.p.Boxes().ClearShown();
        printer.FailNextDocument("Brak papieru");
        s.p.Boxes().QueueAnswer(c.risposta);
        Apri();
        d->OK_Click();
        const auto& shown = s.p.Boxes().Shown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].text.find("Drukuj"), std::string::npos);
        EXPECT_EQ(shown[0].style, 21);  // Retry and Cancel
        const auto& docs = printer.Documents();
        const bool stampato =
            !docs.empty() && docs.back().ended &&
            Unito(Testi(docs.back().pages.at(0))).find("Drugi akapit.") != std::string::npos;
        EXPECT_EQ(stampato, c.stampato);
        EXPECT_FALSE(printer.DocumentOpen());
        EXPECT_FALSE(d->Occupato());
        EXPECT_EQ(s.p.screen().MousePointer(), platform::pointer::Default);
    }
}

TEST_F(fstampaTest, ChoicesAndKeys) {
    s.MostraImmagine(10, 10);
    s.testo->setVisible(true);
    Apri();
    EXPECT_TRUE(d->EVID(0).Visible());
    d->OPZ_Click(0);  // the text off: the picture is the choice
    EXPECT_FALSE(d->EVID(0).Visible());
    EXPECT_TRUE(d->EVID(1).Visible());
    EXPECT_TRUE(d->OK().Enabled());
    s.immagine->setVisible(false);
    Apri();
    d->OPZ_Click(0);  // nothing left to print
    EXPECT_FALSE(d->OK().Enabled());
    EXPECT_FALSE(s.host->Enabled());
    s.p.Input().Key(27);
    s.p.RunFor(10);
    EXPECT_FALSE(d->Caricato());
    EXPECT_TRUE(s.host->Enabled());
    EXPECT_TRUE(printer.Documents().empty());
}

}  // namespace
}  // namespace quindel
