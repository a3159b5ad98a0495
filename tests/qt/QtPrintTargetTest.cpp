// Printing on the desktop backend: where the Qt printer sends a document (the file the host
// named, the environment's file, the system's printer, or nowhere), and the print dialog in the
// viewer: the file chooser asked when there is nowhere to print (in Qt's Polish), its answer and
// its cancel, a failure's box with Polish buttons, and the picture's page read back from the PDF:
// the credit line centred on the sheet, the caption below the picture.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/stage/DisplayStage.h"
#include "lists/ClasseTLista.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Printer.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTranslations.h"
#include "viewer/ViewerHost.h"
#include "viewer/ViewerShots.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;
using ::testing::UnorderedElementsAre;

const fs::path kSample = QUINDEL_SAMPLE_DIR;
constexpr double kA4Width = 595.276, kA4Height = 841.89, kMargin = 18;  // points

// Whether the machine has a printer that takes a print; asked with no file named and
// QUINDEL_PRINT_PDF unset.
bool SystemPrinterExists(qt::QtPlatform& p) {
    return !p.printer()->Destination().empty();
}

// QUINDEL_PRINT_PDF as the test wants it, and as it was again afterwards.
class PrintEnvironment {
  public:
    explicit PrintEnvironment(const std::optional<std::string>& value)
        : old_(qgetenv("QUINDEL_PRINT_PDF")), had_(qEnvironmentVariableIsSet("QUINDEL_PRINT_PDF")) {
        if (value)
            qputenv("QUINDEL_PRINT_PDF", QByteArray::fromStdString(*value));
        else
            qunsetenv("QUINDEL_PRINT_PDF");
    }
    ~PrintEnvironment() {
        if (had_)
            qputenv("QUINDEL_PRINT_PDF", old_);
        else
            qunsetenv("QUINDEL_PRINT_PDF");
    }
    PrintEnvironment(const PrintEnvironment&) = delete;
    PrintEnvironment& operator=(const PrintEnvironment&) = delete;

  private:
    QByteArray old_;
    bool had_;
};

TEST(QtPrinterTarget, TheNamedFileTheEnvironmentsFileThePrinterOrNothing) {
    TestFolder work{"quindel_qtprint"};
    const std::string named = (work.path() / "named.pdf").string();
    const std::string env = (work.path() / "env.pdf").string();
    const struct {
        const char* name;
        bool setNamed, setEnv;
        std::string destination;  // empty: nowhere
    } cases[] = {
        {"named and environment", true, true, named},
        {"environment", false, true, env},
        {"nothing", false, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrintEnvironment environment(c.setEnv ? std::optional<std::string>(env) : std::nullopt);
        qt::QtPlatform p;
        if (!c.setNamed && !c.setEnv && SystemPrinterExists(p)) continue;  // it takes the print
        platform::Printer& printer = *p.printer();
        if (c.setNamed) printer.SetOutputFile(named);
        EXPECT_EQ(printer.Destination(), c.destination);
        printer.DrawText({"x", {}, 0, 0, 300});
        const platform::PrintResult r = printer.EndDoc();
        ASSERT_TRUE(r) << r.error;
        EXPECT_TRUE(r.toFile);
        EXPECT_EQ(r.temporary, c.destination.empty());
        EXPECT_EQ(r.destination, c.destination.empty() ? r.destination : c.destination);
        EXPECT_TRUE(fs::exists(r.destination)) << r.destination;
        if (r.temporary) fs::remove(r.destination);
    }
}

struct QtPrint : ::testing::Test {
    PrintEnvironment environment{std::nullopt};
    TestFolder work{"quindel_qtprint"};
    qt::QtPlatform p;
    viewer::ViewerHost host{
        p, kSample, work.path(),
        [this](platform::Form& form, platform::Form& main) { p.Dock(form, main); }};

    std::vector<std::string> boxes;  // the texts of the boxes no test answered itself

    void SetUp() override {
        // A box nobody expected is answered as Escape, never left waiting for a person.
        qt::QtMessageBox::SetTestHook([this](QMessageBox& box) -> std::int16_t {
            boxes.push_back(box.text().toStdString());
            return 0;
        });
        ASSERT_TRUE(host.Start()) << host.Error();
    }
    void TearDown() override {
        qt::QtFileDialog::SetTestHook({});
        qt::QtMessageBox::SetTestHook({});
    }
    // The photograph shown, the print dialog open on it, the picture with its caption chosen
    // and printed, with clicks on the dialog's labels as a person's.
    void PrintPicture() {
        viewer::ViewerShots shots(p, host);
        shots.ClickButton(host.ScrollBeside("FO"));
        shots.Settle(200);
        EXPECT_EQ(host.Panel().ListaMM()->TipoOggetto(), "FO");
        EXPECT_TRUE(boxes.empty()) << "the photograph did not show: " << boxes.front();
        host.Panel().Stampa();
        Click("Obraz z podpisem");
        Click(kPrint);
    }
    static constexpr const char* kPrint = "   Drukuj";
    // The print dialog (300 pixels wide), while it is shown.
    platform::Form* Dialog() {
        for (platform::Form* f : p.Forms())
            if (f->IsShown() && f->Width() == 300 * 15) return f;
        return nullptr;
    }
    platform::Label* LabelOf(const std::string& caption) {
        platform::Form* d = Dialog();
        if (!d) return nullptr;
        for (const auto& child : d->Children())
            if (auto* l = dynamic_cast<platform::Label*>(child.get()); l && l->Caption() == caption)
                return l;
        return nullptr;
    }
    void Click(const std::string& caption) {
        platform::Label* l = LabelOf(caption);
        ASSERT_NE(l, nullptr) << caption;
        QTest::mouseClick(p.Widget(*l), Qt::LeftButton, {}, QPoint(4, 4));
        viewer::ViewerShots(p, host).Settle(50);
    }
    // The dialog still open with its print button ready.
    bool Ready() {
        platform::Label* ok = LabelOf(kPrint);
        return ok && ok->Enabled();
    }
};

// With nowhere to print the person names a PDF file in Qt's own file chooser, which speaks the
// catalogue's Polish; cancelling prints nothing and leaves the dialog ready.
TEST_F(QtPrint, WithNowhereToPrintThePersonNamesAPdfOrCancels) {
    if (SystemPrinterExists(p)) GTEST_SKIP() << "a system printer takes the print";
    EXPECT_EQ(qt::QtTranslationsLanguage(), "pl");
    const fs::path chosen = work.path() / "chosen";
    const struct {
        const char* name;
        std::optional<std::string> answer;
    } cases[] = {{"cancel", std::nullopt}, {"a file", chosen.string()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int asked = 0;
        qt::QtFileDialog::SetTestHook([&](QFileDialog& dialog) {
            ++asked;
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(dialog.nameFilters(), QStringList{"Dokument PDF (*.pdf)"});
            const QString lookIn = dialog.labelText(QFileDialog::LookIn);
            EXPECT_EQ(lookIn, QCoreApplication::translate("QFileDialog", "Look in:"));
            EXPECT_NE(lookIn, "Look in:") << "Qt's own dialog in Polish";
            return c.answer;
        });
        PrintPicture();
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(fs::exists(chosen.string() + ".pdf"), c.answer.has_value());
        EXPECT_EQ(Ready(), !c.answer) << "cancelled: ready for another try; printed: closed";
        EXPECT_EQ(Dialog() != nullptr, !c.answer);
        EXPECT_EQ(p.printer()->Destination(), "") << "the next print asks again";
        if (Dialog()) Dialog()->Unload();
    }
}

// A printer that fails asks Retry or Cancel with Polish buttons; Cancel leaves the dialog ready.
TEST_F(QtPrint, AFailureAsksInPolishAndLeavesTheDialogReady) {
    p.printer()->SetOutputFile((work.path() / "missing" / "x.pdf").string());
    std::vector<QString> buttons;
    qt::QtMessageBox::SetTestHook([&](QMessageBox& box) -> std::int16_t {
        if (!box.button(QMessageBox::Retry)) return 0;  // not the print's
        for (QAbstractButton* b : box.buttons()) buttons.push_back(b->text());
        return platform::mb::Cancel;
    });
    PrintPicture();
    EXPECT_THAT(buttons, UnorderedElementsAre(QString::fromUtf8("Pon\u00F3w"), "Anuluj"));
    EXPECT_TRUE(Ready());
}

struct Word {
    double xMin, yMin, xMax, yMax;
    QString text;
};

// The words of a PDF's first page with their boxes in points, by poppler's pdftotext.
std::vector<Word> WordsOf(const fs::path& pdf) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty()) return {};
    QProcess proc;
    proc.start(tool, {"-bbox", "-f", "1", "-l", "1", QString::fromStdString(pdf.string()), "-"});
    proc.waitForFinished(30000);
    const QString html = QString::fromUtf8(proc.readAllStandardOutput());
    static const QRegularExpression word(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">"
        "([^<]*)</word>");
    std::vector<Word> out;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                       m.captured(4).toDouble(), m.captured(5)});
    }
    return out;
}

// The picture with its caption on Qt's printer: the credit line centred on the sheet within a
// point, the shown photograph's caption at the foot, below the picture's place.
TEST_F(QtPrint, ThePicturePageCentresTheCreditAndCarriesTheCaption) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    const fs::path pdf = work.path() / "page.pdf";
    p.printer()->SetOutputFile(pdf.string());
    PrintPicture();
    const std::string caption = host.Display().Caption().engine().Text();
    ASSERT_FALSE(caption.empty());
    EXPECT_EQ(Dialog(), nullptr);
    const std::vector<Word> words = WordsOf(pdf);
    ASSERT_FALSE(words.empty());
    const double top =
        std::min_element(words.begin(), words.end(), [](const Word& a, const Word& b) {
            return a.yMin < b.yMin;
        })->yMin;
    double left = kA4Width, right = 0;
    QString credit, foot;
    for (const Word& w : words) {
        if (w.yMin < top + 2) {
            left = std::min(left, w.xMin);
            right = std::max(right, w.xMax);
            credit += w.text + " ";
        } else if (w.yMin > kA4Height - kMargin - 2 * 72 - 1) {
            foot += w.text + " ";
        }
    }
    EXPECT_TRUE(credit.startsWith("Quindel")) << credit.toStdString();
    EXPECT_NEAR((left + right) / 2, kA4Width / 2, 1) << left << " to " << right;
    EXPECT_EQ(foot.simplified().toStdString(),
              QString::fromStdString(caption).simplified().toStdString());
}

}  // namespace
}  // namespace quindel::test
