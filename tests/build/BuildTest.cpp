// What a build writes, that a failed one writes nothing, and that a second one redoes only what
// changed.
#include <gtest/gtest.h>

#include "BuildFixture.h"
#include "build/BuildCache.h"
#include "build/Manifest.h"
#include "hostkit/search/ContentFingerprint.h"
#include "hostkit/search/SearchIndex.h"

namespace quindel::build::test {
namespace {

using namespace std::chrono_literals;

TEST_F(ContentFolder, WritesListsPackedFilesArticleAndIndex) {
    WriteManifest(BaseManifest());
    const BuildReport r = Build();
    ASSERT_EQ(r.ExitCode(), 0) << (r.diagnostics.Items().empty()
                                       ? r.failure
                                       : r.diagnostics.Items().front().Text());
    EXPECT_EQ(fs::file_size(dir_ / "ListaMM.lst"), 4u * 1578u);
    EXPECT_EQ(fs::file_size(dir_ / "ListaLemmi.lst"), 1u * 1578u);
    const std::string list = ReadFile(dir_ / "ListaMM.lst");
    // The packed drawing: its record names the packed file's folder, the packed file and its name.
    EXPECT_EQ(list.substr(1578 + 8, 7), "media\\ ");
    EXPECT_EQ(list.substr(1578 + 263, 12), "RYS.BLB     ");
    EXPECT_EQ(list.substr(1578 + 275, 12), "RYS001.PNG  ");
    EXPECT_EQ(list.substr(3 * 1578 + 8, 2), "  ");  // a packed file at the top: folder ""
    EXPECT_EQ(list.substr(299, 16),
              "Wis\xb3"
              "a w Krakowie");  // Windows-1250
    EXPECT_EQ(ReadFile(dir_ / "media/RYS.BLB").substr(0, 2), "PK");
    EXPECT_EQ(ReadFile(dir_ / "TEKSTY.BLB").substr(0, 2), "PK");
    EXPECT_TRUE(fs::exists(dir_ / "search.sqlite"));
    EXPECT_FALSE(fs::exists(dir_ / "Haslo.rtf"));  // the article is Haslo.txt itself
    for (const auto& e : fs::directory_iterator(dir_)) {
        const std::string name = e.path().filename().string();
        EXPECT_TRUE(name == kCacheName || !name.starts_with(".quindel-build")) << name;
    }
}

TEST_F(ContentFolder, PositionFilesGiveTheWindowsInTheObjectsFolder) {
    WriteFile(dir_ / "pano/p.jpg", samplegen::EncodeJpeg(platform::Image(40, 20)));
    WriteManifest(
        BaseManifest() +
        "[[object]]\ntype = \"F3\"\nfile = \"pano/p.jpg\"\ntitle = \"P\"\ncaption = \"c\"\n"
        "window = { width = 720, height = 420 }\n"
        "[[object]]\ntype = \"AI\"\nfile = \"media/anim.gif\"\ntitle = \"I\"\n"
        "caption = \"c\"\nwindow = { width = 480, height = 360 }\nlength = 36\n");
    ASSERT_EQ(Build().ExitCode(), 0);
    EXPECT_EQ(ReadFile(dir_ / "pano/PosQTVR.bin"), "p.jpg          420  720\r\n");
    EXPECT_EQ(ReadFile(dir_ / "media/PosDCR.bin"), "anim.gif       360  48036\r\n");
}

TEST_F(ContentFolder, ArticleUnderAnotherNameIsCopiedToTheNameTheViewerOpens) {
    WriteFile(dir_ / "article.rtf", "{\\rtf1 A}");
    WriteManifest(Replaced(BaseManifest(), "\"Haslo.txt\"", "\"article.rtf\""));
    ASSERT_EQ(Build().ExitCode(), 0);
    EXPECT_EQ(ReadFile(dir_ / "Haslo.rtf"), "{\\rtf1 A}");
}

// Each way a build can fail before it is done leaves the folder exactly as it was.
TEST_F(ContentFolder, FailedBuildLeavesTheFolderAsItWas) {
    WriteManifest(BaseManifest());
    ASSERT_EQ(Build().ExitCode(), 0);
    const struct {
        const char* name;
        std::string manifest;
        int exit;
    } failures[] = {
        {"syntax", BaseManifest() + "[[object]\n", 1},
        {"missing file", Replaced(BaseManifest(), "media/a.png", "media/none.png"), 1},
        {"title too long", Replaced(BaseManifest(), "Rysunek", std::string(300, 'r')), 1},
    };
    for (const auto& f : failures) {
        WriteManifest(f.manifest);
        const auto before = Snapshot(dir_);
        EXPECT_EQ(Build().ExitCode(), f.exit) << f.name;
        EXPECT_EQ(Snapshot(dir_), before) << f.name;
    }
    // A packed file's member that is no longer a file.
    WriteManifest(Replaced(BaseManifest(), "\"Przekrój doliny\"", "\"Przekrój\""));
    const auto before = Snapshot(dir_);
    fs::remove(dir_ / "media/b.png");
    fs::create_directory(dir_ / "media/b.png");  // exists, but is no file to read
    const BuildReport r = Build();
    EXPECT_NE(r.ExitCode(), 0);
    fs::remove(dir_ / "media/b.png");
    auto after = Snapshot(dir_);
    auto expected = before;
    expected.erase("media/b.png");
    EXPECT_EQ(after, expected);
}

TEST_F(ContentFolder, CheckOnlyWritesNothing) {
    WriteManifest(BaseManifest());
    const auto before = Snapshot(dir_);
    const BuildReport r = Build(true);
    EXPECT_EQ(r.ExitCode(), 0);
    EXPECT_EQ(Snapshot(dir_), before);
}

TEST_F(ContentFolder, SecondRunOnAnUnchangedFolderDoesNothing) {
    WriteManifest(BaseManifest());
    ASSERT_EQ(Build().ExitCode(), 0);
    const auto before = Snapshot(dir_);
    const BuildReport again = Build();
    EXPECT_TRUE(again.upToDate);
    EXPECT_EQ(again.probed + again.probesReused, 0u);
    EXPECT_EQ(Snapshot(dir_), before);
}

// What a change redoes: the changed file's probe, its packed file, and the outputs whose bytes
// change; everything else is kept, time stamps included.
TEST_F(ContentFolder, ChangesRedoOnlyWhatTheyTouch) {
    WriteManifest(BaseManifest());
    ASSERT_EQ(Build().ExitCode(), 0);
    const auto stamp = [&](const char* f) { return fs::last_write_time(dir_ / f); };

    // A new time stamp on one file: probed again, its packed file remade with the same bytes.
    const auto lists = stamp("ListaMM.lst");
    const auto index = stamp("search.sqlite");
    const auto texts = stamp("TEKSTY.BLB");
    fs::last_write_time(dir_ / "media/b.png", fs::last_write_time(dir_ / "media/b.png") + 2s);
    BuildReport r = Build();
    EXPECT_FALSE(r.upToDate);
    EXPECT_EQ(r.probed, 1u);
    EXPECT_EQ(r.probesReused, 4u);  // three other objects and the article
    EXPECT_EQ(r.packedMade, 1u);
    EXPECT_EQ(r.packedKept, 1u);
    EXPECT_EQ(r.filesReplaced, 0u);
    EXPECT_FALSE(r.indexWritten);
    EXPECT_EQ(stamp("ListaMM.lst"), lists);
    EXPECT_EQ(stamp("search.sqlite"), index);
    EXPECT_EQ(stamp("TEKSTY.BLB"), texts);

    // A new title: the lists and the index change, nothing is probed or packed.
    const std::string fingerprint = hostkit::ContentFingerprint(dir_.string());
    WriteManifest(Replaced(BaseManifest(), "\"Tekst\"", "\"Tekst o Wiśle\""));
    r = Build();
    EXPECT_EQ(r.probed, 0u);
    EXPECT_EQ(r.packedMade, 0u);
    EXPECT_EQ(r.filesReplaced, 2u);  // ListaMM.lst and search.sqlite
    EXPECT_TRUE(r.indexWritten);
    EXPECT_NE(hostkit::ContentFingerprint(dir_.string()), fingerprint);
    EXPECT_TRUE(Build().upToDate);

    // An index removed or replaced by hand is made again, though no record changed.
    for (const bool removed : {true, false}) {
        if (removed)
            fs::remove(dir_ / "search.sqlite");
        else
            WriteFile(dir_ / "search.sqlite", "not an index");
        r = Build();
        EXPECT_EQ(r.ExitCode(), 0);
        EXPECT_TRUE(r.indexWritten);
        EXPECT_EQ(r.filesReplaced, 1u);
        hostkit::SearchIndex index;
        ASSERT_TRUE(index.Open((dir_ / "search.sqlite").string())) << index.Error();
        EXPECT_EQ(index.Fingerprint(), hostkit::ContentFingerprint(dir_.string()));
    }
}

}  // namespace
}  // namespace quindel::build::test
