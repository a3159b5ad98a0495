// How the viewer starts and stops as a program: where it finds its sample, what it says when it
// cannot start, and that a signal closes it as its window's close box does, work folder and all.
// The program tests run the built quindel-viewer offscreen (skipped when it was not built).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <fstream>

#include "TestFolder.h"
#include "viewer/QuitOnSignal.h"
#include "viewer/SampleFolder.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "";
}

TEST(ViewerSample, FoundBesideTheProgramWhateverTheCurrentFolder) {
    TestFolder root{"quindel_sample"};
    const fs::path bin = root.path() / "prefix" / "bin";
    const fs::path installed = root.path() / "prefix" / "share" / "quindel" / "sample";
    const fs::path source = root.path() / "source" / "sample";
    const std::vector<fs::path> candidates{"../share/quindel/sample", source};
    struct Case {
        const char* name;
        std::vector<fs::path> present;
        fs::path expected;
    } cases[] = {
        {"installed", {installed, source}, installed},
        {"build tree", {source}, source},
        {"nowhere", {}, {}},
    };
    for (const Case& c : cases) {
        fs::remove_all(root.path() / "prefix");
        fs::remove_all(root.path() / "source");
        fs::create_directories(bin);
        for (const fs::path& f : c.present) Touch(f / "ListaMM.lst");
        EXPECT_EQ(viewer::FindSample(bin, candidates), c.expected) << c.name;
    }
    Touch(root.path() / "empty" / "Haslo.rtf");
    EXPECT_EQ(viewer::FindSample(bin, {root.path() / "empty"}), fs::path())
        << "a folder without the multimedia list is no sample";
}

// A file manager opening a content folder's list file hands the viewer the file.
TEST(ViewerSample, AListFileStandsForItsFolder) {
    TestFolder root{"quindel_content"};
    Touch(root.path() / "wisla" / "ListaMM.lst");
    const struct {
        fs::path given, expected;
    } cases[] = {
        {root.path() / "wisla" / "ListaMM.lst", root.path() / "wisla"},
        {root.path() / "wisla", root.path() / "wisla"},
        {root.path() / "absent" / "ListaMM.lst", root.path() / "absent" / "ListaMM.lst"},
    };
    for (const auto& c : cases) EXPECT_EQ(viewer::ContentFolder(c.given), c.expected) << c.given;
}

TEST(ViewerSignals, AStopSignalRunsTheCloseOnceInTheEventLoop) {
    for (int sig : {SIGTERM, SIGINT}) {
        int closes = 0;
        // What was there before: the default, or the handler that removes the extracted objects'
        // folder when an earlier test in this process made one.
        struct sigaction before {};
        ::sigaction(sig, nullptr, &before);
        {
            viewer::QuitOnSignal stop([&] { ++closes; });
            std::raise(sig);
            EXPECT_EQ(closes, 0) << sig << ": not inside the signal handler";
            EXPECT_TRUE(QTest::qWaitFor([&] { return closes > 0; }, 5000)) << sig;
            QTest::qWait(20);
            EXPECT_EQ(closes, 1) << sig;
            struct sigaction now {};
            ::sigaction(sig, nullptr, &now);
            EXPECT_EQ(now.sa_handler, before.sa_handler)
                << sig << ": a second signal stops it for good";
        }
    }
}

// The built viewer, run offscreen on the virtual media engine.
struct ViewerProgram : ::testing::Test {
    QString program = QCoreApplication::applicationDirPath() + "/quindel-viewer";
    QProcess viewer;

    void SetUp() override {
        if (!fs::exists(program.toStdString())) GTEST_SKIP() << "quindel-viewer was not built";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QUINDEL_MEDIA_ENGINE", "virtual");
        viewer.setProcessEnvironment(env);
        viewer.setWorkingDirectory(QString::fromStdString(fs::temp_directory_path().string()));
    }
    void Run(const QStringList& args) {
        viewer.start(program, args);
        ASSERT_TRUE(viewer.waitForFinished(30000));
    }
};

TEST_F(ViewerProgram, HelpPrintsTheUsageAndSucceeds) {
    Run({"--help"});
    EXPECT_EQ(viewer.exitCode(), 0);
    EXPECT_TRUE(viewer.readAllStandardOutput().contains("usage: quindel-viewer"));
}

TEST_F(ViewerProgram, AMissingContentFolderIsSaidAndFails) {
    Run({"/nonexistent/quindel-content"});
    EXPECT_EQ(viewer.exitCode(), 1);
    EXPECT_TRUE(viewer.readAllStandardError().contains("/nonexistent/quindel-content"));
}

TEST_F(ViewerProgram, StartsOnItsSampleAnywhereAndASignalClosesIt) {
    viewer.start(program, {});
    ASSERT_TRUE(viewer.waitForStarted(10000));
    QByteArray out;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            viewer.waitForReadyRead(50);
            out += viewer.readAllStandardOutput();
            return out.contains("first frame painted");
        },
        20000))
        << out.toStdString() << viewer.readAllStandardError().toStdString();
    const fs::path work =
        fs::temp_directory_path() / ("quindel-viewer-" + std::to_string(viewer.processId()));
    EXPECT_TRUE(fs::exists(work));
    viewer.terminate();  // SIGTERM
    ASSERT_TRUE(viewer.waitForFinished(20000));
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer.exitCode(), 0);
    EXPECT_FALSE(fs::exists(work)) << "the work folder goes with the viewer";
}

// A 1280 × 1024 screen at twice the device pixel ratio is 640 × 512 logical pixels: the main
// window opens inside it (its picture is written in logical pixels).
TEST_F(ViewerProgram, AtTwiceThePixelRatioTheWindowStaysOnTheScreen) {
    TestFolder out{"quindel_dpr2"};
    const fs::path screens = out.path() / "screens.json";
    std::ofstream(screens) << R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": 1280,
        "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    QProcessEnvironment env = viewer.processEnvironment();
    env.insert("QT_QPA_PLATFORM",
               QString::fromStdString("offscreen:configfile=" + screens.string()));
    env.insert("QT_SCALE_FACTOR", "2");
    viewer.setProcessEnvironment(env);
    Run({"--shots", QString::fromStdString((out.path() / "shots").string())});
    ASSERT_EQ(viewer.exitCode(), 0) << viewer.readAllStandardError().toStdString();
    const QImage window(QString::fromStdString((out.path() / "shots" / "viewer.png").string()));
    ASSERT_FALSE(window.isNull());
    EXPECT_LE(window.width(), 640);
    EXPECT_LE(window.height(), 512);
    EXPECT_GE(window.width(), 400) << "the strip whole";
}

}  // namespace
}  // namespace quindel::test
