// The viewer: its command line, the article's wrapping, and its host logic on both backends,
// down to a click on the real toolbar widget opening the multimedia list of the sample.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "hostkit/lists/ScrittoreLista.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/ModelRenderer.h"
#include "platform/PictureBox.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/VScrollBar.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/qt/QtPlatform.h"
#include "runtime/CodePage.h"
#include "toolbar/ClasseToolbar.h"
#include "toolbar/frm_NomeDeiPulsanti.h"
#include "viewer/FirstFrameClock.h"
#include "viewer/TextWrap.h"
#include "viewer/ViewerArgs.h"
#include "viewer/ViewerHost.h"
#include "viewer/ViewerShots.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;
using namespace quindel::platform;
using ::testing::Contains;

const fs::path kSample = QUINDEL_SAMPLE_DIR;

// The descriptions of the first n records of a list file, read by hand from the record layout.
std::vector<std::string> Descriptions(const fs::path& file, std::size_t n) {
    std::size_t offset = 0, width = 0;
    for (const hostkit::CampoLista& c : hostkit::kCampiLista) {
        if (c.Testo == &hostkit::VoceLista::Descrizione) {
            width = std::size_t(c.Larghezza);
            break;
        }
        offset += std::size_t(c.Larghezza);
    }
    std::ifstream in(file, std::ios::binary);
    const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> out;
    for (std::size_t i = 0; i < n && (i + 1) * hostkit::kLunghezzaRecordLista <= data.size(); ++i) {
        std::string d = DaCodePage(data.substr(i * hostkit::kLunghezzaRecordLista + offset, width));
        d.erase(d.find_last_not_of(' ') + 1);
        out.push_back(d);
    }
    return out;
}

// A list row shows a description whole, or its beginning and an ellipsis.
bool ShowsDescription(std::string_view row, const std::string& description) {
    if (row == description) return true;
    return row.ends_with("...") && description.starts_with(row.substr(0, row.size() - 3));
}

TEST(ViewerArgs, ReadTheCommandLine) {
    using viewer::ParseViewerArgs;
    const auto none = ParseViewerArgs({});
    EXPECT_FALSE(none.content) << "the sample, found beside the program";
    EXPECT_FALSE(none.shots || none.quitAfterMs || none.help);
    for (const char* help : {"--help", "-h"}) {
        const auto asked = ParseViewerArgs({"dir", help});
        EXPECT_TRUE(asked.help && asked.error.empty()) << help;
    }
    const auto all =
        ParseViewerArgs({"dir", "--shots", "out", "--quit-after", "250", "--show", "VI"});
    EXPECT_EQ(all.content, "dir");
    EXPECT_EQ(all.shots, fs::path("out"));
    EXPECT_EQ(all.quitAfterMs, 250);
    EXPECT_EQ(all.show, "VI");
    EXPECT_TRUE(all.error.empty());
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--quit-after", "soon"},
                                                {"--quit-after", "-5"},
                                                {"a", "b"},
                                                {"--bogus"},
                                                {"--shots"},
                                                {"--show"}})
        EXPECT_FALSE(ParseViewerArgs(bad).error.empty()) << bad.front();
}

TEST(ViewerText, WrapsAtBlanks) {
    const auto chars = [](std::string_view s) { return int(s.size()); };
    struct Case {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"aa bb cc", 5, {"aa bb", "cc"}},
        {"aaaaaaa bb", 5, {"aaaaaaa", "bb"}},
        {"a  b", 10, {"a b"}},
        {"a\n\nb", 5, {"a", "", "b"}},
        {"one\r\ntwo\n", 10, {"one", "two"}},
        {"", 5, {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(viewer::WrapText(c.text, c.width, chars), c.lines) << c.text;
}

TEST(ViewerClock, ReportsTheFirstPaintOfAWindowItsChildrenCoverOnce) {
    QWidget window;
    window.resize(200, 100);
    QWidget cover(&window);
    cover.setAutoFillBackground(true);
    cover.setGeometry(window.rect());
    std::vector<double> reports;
    new viewer::FirstFrameClock(window, viewer::FirstFrameClock::Clock::now(),
                                [&](double ms) { reports.push_back(ms); });
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reports.empty(); }, 5000));
    cover.repaint();
    window.repaint();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_GE(reports[0], 0.0);
}

struct HeadlessViewer : ::testing::Test {
    headless::HeadlessPlatform p;
    TestFolder work{"quindel_viewer"};
    viewer::ViewerHost host{p, kSample, work.path()};

    void Click(std::int16_t button) {
        const RectPx r = host.Panel().pic_ToolbarMain().ScreenRectPx();
        const PointPx at = host.ButtonPoint(button);
        p.Input().Click(r.left + at.x, r.top + at.y).MoveTo(2, 2, 20);
        p.RunFor(100);
    }
};

TEST_F(HeadlessViewer, LaysOutThePanelTheArticleAndTheStatusLine) {
    ASSERT_TRUE(host.Start()) << host.Error();
    const Form& main = host.MainForm();
    EXPECT_EQ(main.Caption(), "Wisła - Quindel viewer");
    const RectPx client = main.ScreenRectPx();
    const PointPx o = main.ClientOriginPx();
    const RectPx panel = host.PanelForm().ScreenRectPx();
    EXPECT_EQ(panel.left, client.left + o.x);
    EXPECT_EQ(panel.top, client.top + o.y);
    EXPECT_EQ(p.api().Owner(host.PanelForm().hWnd()), main.hWnd());
    EXPECT_GE(host.Article().ScreenRectPx().top, panel.bottom);
    EXPECT_LE(host.Article().ScreenRectPx().bottom, host.Status().ScreenRectPx().top);
    EXPECT_EQ(host.Status().ScreenRectPx().bottom, client.bottom - o.x);
    EXPECT_THAT(host.Status().Caption(), ::testing::HasSubstr("145 multimedia objects"));
    const Image title = host.Article().Surface().copy(0, 0, 60, 24);
    EXPECT_TRUE(std::ranges::any_of(title.pixels(), [](Rgba c) {
        return c != MakeRgb(255, 255, 255);
    })) << "the article starts with its title";
}

TEST_F(HeadlessViewer, AnswersGetChunkWithThePageAskedFor) {
    ASSERT_TRUE(host.Start());
    Click(9);
    host.Panel().FinestraLista(1).VScroll1()->setValue(60);
    EXPECT_THAT(host.Events(), Contains("PulsantePremuto(9, -1)"));
    EXPECT_THAT(host.Events(), Contains("GetChunk(1, chunk.lst, 47)"));
    EXPECT_TRUE(ShowsDescription(host.Panel().ListaMM()->Descrizione(),
                                 Descriptions(kSample / "ListaMM.lst", 60).back()));
}

TEST_F(HeadlessViewer, ReportsClosingOnce) {
    ASSERT_TRUE(host.Start());
    int closed = 0;
    host.OnClosed = [&] { ++closed; };
    Click(14);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(host.PanelForm().Loaded());
}

TEST_F(HeadlessViewer, ClosingEndsTheHoverWait) {
    ASSERT_TRUE(host.Start());
    int closed = 0;
    host.OnClosed = [&] { ++closed; };
    // The pointer rests on a button: the panel waits inside the move event until it leaves.
    const RectPx r = host.Panel().pic_ToolbarMain().ScreenRectPx();
    const PointPx at = host.ButtonPoint(14);
    auto later = p.NewTimer();
    later->OnTimer = [&] {
        later->setEnabled(false);
        host.Close();
    };
    later->setInterval(700);
    p.Input().MoveTo(r.left + at.x, r.top + at.y);
    p.RunFor(1000);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(host.MainForm().Loaded());
    EXPECT_FALSE(host.PanelForm().Loaded());
    EXPECT_TRUE(host.Panel().InChiusura()) << "closed as by its own close button";
}

// Every button's place and visibility on the strip.
std::vector<std::pair<std::int16_t, bool>> StripLayout(Quindel& panel) {
    std::vector<std::pair<std::int16_t, bool>> out;
    for (std::int16_t i = 1; i <= panel.Toolbar().MaxButton(); ++i)
        out.emplace_back(panel.Toolbar().Button(i).X(), panel.Toolbar().ButtonVisible(i));
    return out;
}

bool Overlap(const RectPx& a, const RectPx& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Compact mode leaves the panel one button in the corner: the display area takes the room beside
// it, nothing of the panel sticks into it; the restore gives back the band and the very strip the
// viewer started with (whose restore button is hidden, the panel being full).
TEST_F(HeadlessViewer, CompactModeGivesTheDisplayTheRoomAndRestoreTheSameStrip) {
    ASSERT_TRUE(host.Start());
    EXPECT_FALSE(host.Panel().IsPulsanteVisibile(1)) << "the panel starts full";
    const auto strip = StripLayout(host.Panel());
    const Slider& slider = host.Panel().Sld_SliderAvanzamento();
    const std::int32_t sliderAt = slider.Left();
    ASSERT_TRUE(slider.Visible());
    const Form& main = host.MainForm();
    const auto client = [&] {
        const RectPx r = main.ScreenRectPx();
        const PointPx o = main.ClientOriginPx();
        return RectPx{r.left + o.x, r.top + o.y, r.right - o.x, r.bottom - o.x};
    };
    const auto stage = [&] { return host.Display().Form().ScreenRectPx(); };
    const auto panel = [&] { return host.PanelForm().ScreenRectPx(); };

    Click(13);
    EXPECT_EQ(host.PanelForm().Width(), 580) << "twips";
    EXPECT_FALSE(Overlap(stage(), panel()));
    EXPECT_EQ(stage().left, panel().right) << "beside the compact panel";
    EXPECT_EQ(stage().top, client().top) << "no band left above the display area";
    EXPECT_EQ(stage().right, client().right);
    EXPECT_EQ(stage().bottom, host.Status().ScreenRectPx().top);
    EXPECT_FALSE(slider.Visible()) << "no piece of it beside the restore button";

    Click(1);
    EXPECT_EQ(StripLayout(host.Panel()), strip) << "every button where it was";
    EXPECT_TRUE(slider.Visible());
    EXPECT_EQ(slider.Left(), sliderAt);
    EXPECT_EQ(panel().width(), client().width()) << "the full panel spans the window";
    EXPECT_EQ(stage().top, panel().bottom);
    EXPECT_EQ(stage().left, client().left);
}

// The main window opens inside the screen's work area, whatever its size (a 1280 × 1024 screen
// at twice the device pixel ratio is 640 × 512 logical pixels), and its client area keeps the
// whole strip.
TEST(ViewerHost, TheMainWindowOpensInsideTheWorkAreaWithTheWholeStrip) {
    const RectPx areas[] = {{0, 0, 1024, 768}, {0, 0, 640, 512}, {0, 30, 800, 600}};
    for (const RectPx& area : areas) {
        SCOPED_TRACE(std::to_string(area.width()) + "x" + std::to_string(area.height()));
        headless::HeadlessPlatform p;
        TestFolder work{"quindel_viewer"};
        viewer::ViewerHost host(p, kSample, work.path());
        host.setWorkArea(area);
        ASSERT_TRUE(host.Start());
        const RectPx r = host.MainForm().ScreenRectPx();
        EXPECT_GE(r.left, area.left);
        EXPECT_GE(r.top, area.top);
        EXPECT_LE(r.right, area.right);
        EXPECT_LE(r.bottom, area.bottom);
        const SizePx c = host.MainForm().ClientSizePx(), least = host.MinimumClientPx();
        EXPECT_GE(c.width, least.width);
        EXPECT_GE(c.height, least.height);
        const PointPx o = host.MainForm().ClientOriginPx();
        const RectPx strip = host.Panel().pic_ToolbarMain().ScreenRectPx();
        const ClasseToolbar& tb = host.Panel().Toolbar();
        for (std::int16_t i = 1; i <= tb.MaxButton(); ++i) {
            if (!tb.ButtonVisible(i)) continue;
            const int right = strip.left + host.Panel().pic_ToolbarMain().ToPxX(
                                               tb.Button(i).X() + tb.Button(i).Width());
            EXPECT_LE(right, r.left + o.x + least.width) << "button " << i;
        }
    }
}

TEST(ViewerHost, NeedsAContentFolderWithTheListFiles) {
    headless::HeadlessPlatform p;
    TestFolder empty{"quindel_viewer"};
    for (const fs::path& content : {empty.path(), empty.path() / "missing"}) {
        viewer::ViewerHost host(p, content, empty.path());
        EXPECT_FALSE(host.Start());
        EXPECT_THAT(host.Error(), ::testing::HasSubstr(content.string()));
    }
    viewer::ViewerHost host(p, empty.path() / "missing", empty.path());
    host.Start();
    EXPECT_THAT(host.Error(), ::testing::HasSubstr("does not exist"));
}

struct QtViewer : ::testing::Test {
    qt::QtPlatform p;
    TestFolder work{"quindel_viewer"};
    viewer::ViewerHost host{p, kSample, work.path(),
                            [this](Form& panel, Form& main) { p.Dock(panel, main); }};
};

TEST_F(QtViewer, Button9OnTheRealWidgetOpensTheMultimediaList) {
    ASSERT_TRUE(host.Start()) << host.Error();
    const PointPx b = host.ButtonPoint(9);
    QTest::mouseClick(p.Widget(host.Panel().pic_ToolbarMain()), Qt::LeftButton, {},
                      QPoint(b.x, b.y));
    Form& list = *host.Panel().FinestraLista(1).Form();
    EXPECT_TRUE(list.IsShown());
    EXPECT_TRUE(p.Widget(list)->isVisible());
    const ListBox& rows = *host.Panel().FinestraLista(1).TList1();
    const auto expected = Descriptions(kSample / "ListaMM.lst", 4);
    ASSERT_EQ(expected.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(ShowsDescription(rows.List(i), expected[std::size_t(i)])) << rows.List(i);
    EXPECT_THAT(host.Events(), Contains("PulsantePremuto(9, -1)"));
    EXPECT_EQ(host.Status().Caption(), " PulsantePremuto(9, -1)");
    // The list opens right below the strip, over the main window.
    EXPECT_EQ(list.ScreenRectPx().top, host.PanelForm().ScreenRectPx().top +
                                           2 * host.Panel().pic_ToolbarMain().Height() / 15 - 32);
}

// The panel waits inside the move event while the pointer rests on a button; that wait must
// not ask the window system for the cursor at every turn of the event loop.
TEST_F(QtViewer, RestingOnAButtonShowsTheTipAndCostsNoCursorReads) {
    ASSERT_TRUE(host.Start());
    QWidget* strip = p.Widget(host.Panel().pic_ToolbarMain());
    const PointPx b = host.ButtonPoint(14);
    QCursor::setPos(strip->mapToGlobal(QPoint(b.x, b.y)));
    const int before = p.Cursor().Reads();
    int reads = -1;
    bool tip = false;
    QTimer::singleShot(1000, strip, [&] {
        reads = p.Cursor().Reads() - before;
        tip = host.Panel().ToolTip().frm().IsShown();
        QCursor::setPos(strip->mapToGlobal(QPoint(strip->width() - 4, b.y)));
    });
    const std::int64_t start = p.NowMs();
    QMouseEvent move(QEvent::MouseMove, QPointF(b.x, b.y), strip->mapToGlobal(QPointF(b.x, b.y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &move);  // returns when the wait ends
    EXPECT_TRUE(tip);
    EXPECT_GE(reads, 1);
    EXPECT_LE(reads, 4) << "a second of rest";
    EXPECT_LT(p.NowMs() - start, 3000) << "the wait saw the pointer leave";
    EXPECT_FALSE(host.Panel().Toolbar().AttesaToolTip());
}

TEST_F(QtViewer, TheListWindowFollowsTheMainWindowWhenTheUserMovesIt) {
    ASSERT_TRUE(host.Start());
    const PointPx b = host.ButtonPoint(9);
    QTest::mouseClick(p.Widget(host.Panel().pic_ToolbarMain()), Qt::LeftButton, {},
                      QPoint(b.x, b.y));
    Form& list = *host.Panel().FinestraLista(1).Form();
    const RectPx before = list.ScreenRectPx();
    QWidget& main = *p.Widget(host.MainForm());
    main.setGeometry(main.geometry().translated(30, 20));  // as the window manager moves it
    // The panel places its list windows from a timer of its own.
    const std::int64_t deadline = p.NowMs() + 5000;
    while (list.ScreenRectPx() == before && p.NowMs() < deadline) p.DoEvents();
    EXPECT_EQ(list.ScreenRectPx().left, before.left + 30);
    EXPECT_EQ(list.ScreenRectPx().top, before.top + 20);
    EXPECT_EQ(p.Widget(list)->geometry().topLeft(),
              QPoint(list.ScreenRectPx().left, list.ScreenRectPx().top))
        << "the whole window, its frame drawn by the model";
}

TEST_F(QtViewer, ShotsShowTheWindowAndTheOpenList) {
    ASSERT_TRUE(host.Start());
    TestFolder out{"quindel_shots"};
    const auto files = viewer::ViewerShots(p, host).Write(out.path());
    ASSERT_GE(files.size(), 3u);
    const QImage window(QString::fromStdString(files[0].string()));
    const QImage withList(QString::fromStdString(files[2].string()));
    const RectPx main = host.MainForm().ScreenRectPx();
    EXPECT_EQ(window.size(), QSize(main.width(), main.height()));
    const RectPx list = host.Panel().FinestraLista(1).Form()->ScreenRectPx();
    // Before the caption's text begins.
    const QPoint caption(list.left - main.left + 5, list.top - main.top + 5);
    EXPECT_EQ(withList.pixel(caption), look::kSelection) << "the list window's caption bar";
    EXPECT_NE(window.pixel(caption), look::kSelection);
}

}  // namespace
}  // namespace quindel::test
