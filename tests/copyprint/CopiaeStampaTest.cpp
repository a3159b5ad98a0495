// The shared helpers: screen size, button looks, the adaptation of a dialog to the screen, the
// credit block, and StampaTesto on the recorded printer.
#include <gtest/gtest.h>

#include <variant>

#include "copyprint/CopiaStampaFixture.h"
#include "copyprint/Mod_CopiaeStampa.h"
#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "richtext/EngineServices.h"

namespace quindel {
namespace {

using platform::ScreenMetrics;

headless::HeadlessConfig Schermo(int tppX, int tppY, int w = 1024, int h = 768) {
    headless::HeadlessConfig c;
    c.screen = ScreenMetrics{w, h, tppX, tppY};
    return c;
}

TEST(CopiaeStampaTest, ScreenSizeInTwips) {
    headless::HeadlessPlatform p(Schermo(12, 15, 1280, 800));
    EXPECT_EQ(AltezzaSchermo(p), 12000);
    EXPECT_DOUBLE_EQ(LarghezzaSchermo(p), 15360.0);
}

TEST(CopiaeStampaTest, MinimoGivesTheSecondOfEqualValues) {
    EXPECT_EQ(Minimo(3, 5), 3);
    EXPECT_EQ(Minimo(5, 3), 3);
    struct V {
        int v, id;
        bool operator>=(const V& o) const { return v >= o.v; }
        bool operator<(const V& o) const { return v < o.v; }
    };
    EXPECT_EQ(Minimo(V{4, 1}, V{4, 2}).id, 2);
}

// Labels and pictures take the pressed and released looks; a command button is left alone.
TEST(CopiaeStampaTest, PressedLooksOnlyOnLabelsAndPictures) {
    headless::HeadlessPlatform p;
    auto f = p.NewForm();
    auto l = p.NewLabel(*f);
    auto pb = p.NewPictureBox(*f);
    pb->setBorderStyle(0);
    auto cb = p.NewCommandButton(*f);
    BottonePremuto(*l);
    BottonePremuto(*pb);
    BottonePremuto(*cb);
    EXPECT_EQ(l->BorderStyle(), 1);
    EXPECT_EQ(pb->BorderStyle(), 1);
    BottoneRilasciato(*l);
    BottoneRilasciato(*pb);
    BottoneRilasciato(*cb);
    EXPECT_EQ(l->BorderStyle(), 0);
    EXPECT_EQ(pb->BorderStyle(), 0);
    ImpostaPuntatore(*l, 10);
    EXPECT_EQ(l->MousePointer(), 10);
}

TEST(CopiaeStampaTest, AdattaControlliAtTwelveTwipsAPixel) {
    const struct {
        bool tutti, etichetta;
        std::int32_t left, top, width, height;
        std::int16_t bordo;
    } casi[] = {
        // Labels always move; other controls only when every control is asked for.
        {false, true, 1200, 240, 480, 240, 0},
        {true, true, 1200, 240, 480, 240, 0},
        {false, false, 1500, 300, 600, 300, 1},
        {true, false, 1200, 240, 480, 240, 1},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(::testing::Message() << c.tutti << c.etichetta);
        headless::HeadlessPlatform p(Schermo(12, 12));
        auto f = p.NewForm();
        std::shared_ptr<platform::Window> w;
        if (c.etichetta) {
            auto l = p.NewLabel(*f);
            l->setBorderStyle(1);  // a 3-D label goes flat
            w = l;
        } else {
            auto pb = p.NewPictureBox(*f);
            pb->setBorderStyle(1);
            w = pb;
        }
        w->Move(1500, 300, 600, 300);
        AdattaControlli(*f, c.tutti);
        EXPECT_EQ(w->Left(), c.left);
        EXPECT_EQ(w->Top(), c.top);
        EXPECT_EQ(w->Width(), c.width);
        EXPECT_EQ(w->Height(), c.height);
        if (auto* l = dynamic_cast<platform::Label*>(w.get())) {
            EXPECT_EQ(l->BorderStyle(), c.bordo);
        }
    }
}

TEST(CopiaeStampaTest, AdattaControlliAtFifteenMovesNothing) {
    headless::HeadlessPlatform p;
    auto f = p.NewForm();
    auto l = p.NewLabel(*f);
    l->setBorderStyle(1);
    l->Move(1500, 300, 600, 300);
    auto flat = p.NewLabel(*f);
    flat->setAppearance(0);
    flat->setBorderStyle(1);
    AdattaControlli(*f, false);
    EXPECT_EQ(l->Left(), 1500);
    EXPECT_EQ(l->Width(), 600);
    EXPECT_EQ(l->BorderStyle(), 0);
    EXPECT_EQ(flat->BorderStyle(), 1);
}

TEST(CopiaeStampaTest, CreditBlockIsOneSmallBoldItalicCentredLine) {
    const std::string rtf = BloccoCrediti();
    EXPECT_EQ(
        rtf.rfind("{\\rtf1\\ansi \\deff4\\deflang1033{\\fonttbl{\\f4\\froman\\fcharset0\\fprq2 "
                  "Times New Roman;}}\\f4 \\b \\i \\fs16 \\qc ",
                  0),
        0u);
    const richtext::Document d = richtext::RtfReader::Read(rtf);
    EXPECT_EQ(d.PlainText(),
              "Quindel \u2014 przegl\u0105darka multimedi\u00F3w \u00B7 \u00A9 "
              "Zesp\u00F3\u0142 Quindel");
    const richtext::CharFormat& f = d.Char(d.Runs()[0].format);
    EXPECT_TRUE(f.bold);
    EXPECT_TRUE(f.italic);
    EXPECT_EQ(f.halfPoints, 16);
    EXPECT_EQ(d.Para(d.Paragraphs()[0].format).align, richtext::Align::Centre);
    // Blank paragraphs go around it, inside the one document.
    EXPECT_EQ(test::TestoRtf(BloccoCrediti("\\par ", "\\par \\par ")).substr(0, 2), "\r\n");
}

// Without the region flag the whole of a long text prints, page after page, in the area below the
// top margin and an inch short of the right edge.
TEST(CopiaeStampaTest, StampaTestoPrintsTheWholeText) {
    test::CopiaStampaStage s("stampatesto");
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}";
    for (int i = 1; i <= 120; ++i) rtf += "Wiersz " + std::to_string(i) + "\\par ";
    s.testo->setFText(rtf + "}");
    platform::Printer& pr = *s.p.printer();
    richtext::EngineServicesOf(s.p)->ATX_PRINT_START(0, pr.hDC());
    StampaTesto(s.p, s.testo, 100, 480);
    EXPECT_EQ(s.p.screen().MousePointer(), platform::pointer::Default);
    ASSERT_TRUE(pr.EndDoc());
    const auto& doc = s.p.printer()->Documents().back();
    ASSERT_GT(doc.pages.size(), 1u);
    std::string tekst;
    for (const auto& page : doc.pages)
        for (const auto& item : page.items)
            if (const auto* t = std::get_if<platform::PrintText>(&item)) {
                tekst += t->text;
                if (!t->text.empty()) {
                    EXPECT_GE(t->x, 100);
                    EXPECT_GE(t->y, 480);
                }
            }
    EXPECT_NE(tekst.find("Wiersz 120"), std::string::npos) << tekst.substr(tekst.size() - 40);
    EXPECT_NE(tekst.find("Wiersz 1Wiersz 2"), std::string::npos);
}

}  // namespace
}  // namespace quindel
