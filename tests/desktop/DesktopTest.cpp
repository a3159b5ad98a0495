// The viewer on a real X display (Xvfb): what its copy dialog puts on the clipboard is read by
// another program (xclip), and what its print dialog prints into a PDF file is read by poppler's
// tools (pdftotext for the credit line and the text, pdftoppm for where the picture landed).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <string>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "hostkit/media/GstMediaEngine.h"
#include "hostkit/media/MediaControl.h"
#include "hostkit/stage/DisplayStage.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/Printer.h"
#include "platform/qt/QtPlatform.h"
#include "viewer/ViewerHost.h"
#include "viewer/ViewerShots.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;
using namespace quindel::platform;

const fs::path kSample = QUINDEL_SAMPLE_DIR;
// Where the program started: the viewer makes the sample folder the current one.
const fs::path kStarted = fs::current_path();
// The dialogs by their width: 330 and 300 pixels.
constexpr std::int32_t kCopyWidth = 330 * 15, kPrintWidth = 300 * 15;

// Runs a program to its end while this process keeps serving its windows and the clipboard
// selection the program asks for; gives its standard output.
QByteArray RunProgram(const QString& program, const QStringList& args) {
    QProcess proc;
    proc.start(program, args);
    if (!proc.waitForStarted(5000)) return {};
    while (proc.state() != QProcess::NotRunning) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        proc.waitForFinished(10);
    }
    return proc.readAllStandardOutput();
}

Label* LabelCalled(Window& w, const std::string& caption) {
    for (const auto& child : w.Children()) {
        if (auto* l = dynamic_cast<Label*>(child.get()); l && l->Caption() == caption) return l;
        if (Label* found = LabelCalled(*child, caption)) return found;
    }
    return nullptr;
}

struct Desktop : ::testing::Test {
    TestFolder work{"quindel_desktop"};
    fs::path pdf = work.path() / "wydruk.pdf";
    std::unique_ptr<qt::QtPlatform> p;
    std::unique_ptr<viewer::ViewerHost> host;

    void SetUp() override {
        // Read when the platform's printer is made.
        qputenv("QUINDEL_PRINT_PDF", QByteArray::fromStdString(pdf.string()));
        p = std::make_unique<qt::QtPlatform>();
        host = std::make_unique<viewer::ViewerHost>(
            *p, kSample, work.path(), [this](Form& panel, Form& main) { p->Dock(panel, main); });
        ASSERT_TRUE(host->Start()) << host->Error();
        Settle(300);
    }
    void TearDown() override {
        host.reset();
        p.reset();
        qunsetenv("QUINDEL_PRINT_PDF");
    }
    void Settle(int ms) { viewer::ViewerShots(*p, *host).Settle(ms); }
    Form* Dialog(std::int32_t width) {
        for (Form* f : p->Forms())
            if (f->IsShown() && f->Width() == width) return f;
        return nullptr;
    }
    void Click(Window& w) {
        QWidget* widget = p->Widget(w);
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4));
        Settle(50);
    }
    // Opens a dialog, picks the choice with that caption (if any) and presses its OK label.
    void Choose(std::int32_t width, const char* choice, const char* ok) {
        Form* d = Dialog(width);
        ASSERT_NE(d, nullptr);
        if (choice) {
            Label* c = LabelCalled(*d, choice);
            ASSERT_NE(c, nullptr) << choice;
            Click(*c);
        }
        Label* button = LabelCalled(*d, ok);
        ASSERT_NE(button, nullptr);
        Click(*button);
        Settle(300);
    }
    void ShowPicture() { Show("FO"); }
    void Show(const char* tipo) {
        viewer::ViewerShots shots(*p, *host);
        const std::int16_t step = host->ScrollBeside(tipo);
        ASSERT_NE(step, 0);
        shots.ClickButton(step);
        shots.Settle(600);
    }
};

// On X11 GStreamer draws a film straight into its control's own window, as any player there
// would; the hidden sound control keeps being painted by Qt.
TEST_F(Desktop, AFilmIsDrawnByGStreamerIntoItsControlsOwnWindow) {
    Show("VI");
    hostkit::MediaControl& film = host->Display().Video();
    ASSERT_EQ(film.Error(), 0);
    QWidget* widget = p->Widget(film);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->testAttribute(Qt::WA_PaintOnScreen));
    EXPECT_FALSE(p->Widget(host->Display().Audio())->testAttribute(Qt::WA_NativeWindow));
    // The screen itself shows the film's first, light grey bar there.
    const RectPx r = film.ScreenRectPx();
    const auto shown = [&] {
        const QImage screen =
            QGuiApplication::primaryScreen()->grabWindow(0, r.left + 8, r.top + 8, 1, 1).toImage();
        return qGreen(screen.pixel(0, 0)) > 150;
    };
    for (int i = 0; i < 60 && !shown(); ++i) Settle(50);
    EXPECT_TRUE(shown());
    // Another object closes the film; its window is painted by Qt again.
    ShowPicture();
    EXPECT_FALSE(widget->testAttribute(Qt::WA_PaintOnScreen));
    // A control destroyed while its film plays takes the window from under the sink: the
    // process lives on, and the control lets its pipeline go at its next beat.
    Show("VI");
    ASSERT_TRUE(p->Widget(film)->testAttribute(Qt::WA_PaintOnScreen));
    film.Remove();
    Settle(300);
    EXPECT_EQ(hostkit::GstMediaEngine::LivePipelines(), 0);
}

TEST_F(Desktop, CopiedTextIsPastedByAnotherProgramAsRtfAndText) {
    host->Panel().copia("TA");
    Choose(kCopyWidth, nullptr, "     OK");
    const QByteArray rtf = RunProgram("xclip", {"-o", "-selection", "clipboard", "-t", "text/rtf"});
    EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << rtf.left(80).toStdString();
    EXPECT_TRUE(rtf.contains("Wis\\u322")) << "the article's Polish letters as \\uN";
    // Qt offers UTF-8 text to X11 programs as UTF8_STRING.
    const QString text = QString::fromUtf8(
        RunProgram("xclip", {"-o", "-selection", "clipboard", "-t", "UTF8_STRING"}));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Wisła jest najdłuższą rzeką Polski")))
        << text.left(80).toStdString() << " offered: "
        << RunProgram("xclip", {"-o", "-selection", "clipboard", "-t", "TARGETS"}).toStdString();
}

TEST_F(Desktop, ACopiedPictureIsPastedByAnotherProgramAsPng) {
    ShowPicture();
    host->Panel().copia("FO");
    Choose(kCopyWidth, "Obraz", "     OK");
    const QByteArray png =
        RunProgram("xclip", {"-o", "-selection", "clipboard", "-t", "image/png"});
    ASSERT_TRUE(png.startsWith("\x89PNG")) << png.size() << " bytes";
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(png, "PNG"));
    EXPECT_GT(picture.width(), 100);
    EXPECT_GT(picture.height(), 100);
}

TEST_F(Desktop, APrintedPictureLandsInThePdfWithTheCreditLine) {
    ShowPicture();
    host->Panel().Stampa();
    Choose(kPrintWidth, "Obraz z podpisem", "   Drukuj");
    ASSERT_TRUE(fs::exists(pdf)) << "nothing printed into " << pdf;
    const QString text =
        QString::fromUtf8(RunProgram("pdftotext", {QString::fromStdString(pdf.string()), "-"}));
    EXPECT_TRUE(text.contains(QString::fromUtf8("przeglądarka multimediów")))
        << text.left(200).toStdString();
    // The first page at 40 dots an inch: the middle of the sheet is the picture, not paper.
    const fs::path prefix = work.path() / "page";
    RunProgram("pdftoppm",
               {"-png", "-r", "40", "-f", "1", "-l", "1", "-singlefile",
                QString::fromStdString(pdf.string()), QString::fromStdString(prefix.string())});
    QImage page(QString::fromStdString(prefix.string() + ".png"));
    ASSERT_FALSE(page.isNull());
    page.save(QString::fromStdString((kStarted / "desktop_printed_page.png").string()));
    int inked = 0, samples = 0;
    for (int y = page.height() * 2 / 5; y < page.height() * 3 / 5; ++y)
        for (int x = page.width() * 2 / 5; x < page.width() * 3 / 5; ++x, ++samples)
            inked += page.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(inked, samples * 9 / 10) << "the picture fills the middle of the page";
    EXPECT_EQ(page.pixel(2, 2), qRgb(255, 255, 255)) << "a corner stays paper";
}

// A run is one glyph run when the font has every glyph, and goes character by character through
// the fallback fonts when it has not; either way the PDF holds the text, controls left out.
TEST_F(Desktop, PrintedRunsKeepTheirTextWithAndWithoutFallbackFonts) {
    Printer& printer = *p->printer();
    ASSERT_TRUE(printer.StartDoc("runs").ok);
    PrintText run{"Zażółć gęślą jaźń", {}, MakeRgb(0, 0, 0), 1440, 1440};
    printer.DrawText(run);
    run.text =
        "ab\x01"
        "cd \xF0\x9D\x84\x9E ef";  // a control, and a musical symbol
    run.y += 720;
    printer.DrawText(run);
    ASSERT_TRUE(printer.EndDoc().ok);
    const QString text =
        QString::fromUtf8(RunProgram("pdftotext", {QString::fromStdString(pdf.string()), "-"}));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Zażółć gęślą jaźń"))) << text.toStdString();
    EXPECT_TRUE(text.contains("abcd")) << text.toStdString();
    EXPECT_TRUE(text.contains("ef")) << text.toStdString();
}

}  // namespace
}  // namespace quindel::test
