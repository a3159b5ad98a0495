// The viewer's find-as-you-type and its memory of a reading, on the headless backend over a copy
// of the sample with a search index: a hit is shown through the list as a chosen row is (the
// chunk paged in, the host's events the same), and a reading noted, saved and restored in a new
// viewer comes back to the same object, volume and open list, and to the same view of it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "hostkit/media/MediaControl.h"
#include "hostkit/panorama/PanoramaControl.h"
#include "hostkit/picture/PictureControl.h"
#include "hostkit/search/SearchIndexWriter.h"
#include "hostkit/state/StateStore.h"
#include "lists/ClasseTLista.h"
#include "platform/headless/HeadlessPlatform.h"
#include "viewer/ListChoice.h"
#include "viewer/ViewerArgs.h"
#include "viewer/ViewerHost.h"
#include "viewer/ViewerSearch.h"
#include "viewer/ViewerState.h"

namespace quindel::test {
namespace {

namespace fs = std::filesystem;

const fs::path kSample = QUINDEL_SAMPLE_DIR;

// The sample's files linked into a folder of the test's own, with an index of its lists.
fs::path SearchableSample(const fs::path& folder) {
    const fs::path content = folder / "content";
    fs::create_directories(content);
    for (const auto& entry : fs::directory_iterator(kSample))
        if (entry.path().filename() != "search.sqlite")
            fs::create_symlink(entry.path(), content / entry.path().filename());
    EXPECT_EQ(hostkit::WriteSearchIndexForFolder(content.string()), "");
    return content;
}

bool Heard(const viewer::ViewerHost& host, const std::string& start) {
    for (const std::string& e : host.Events())
        if (e.rfind(start, 0) == 0) return true;
    return false;
}

class ViewerSearchState : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("XDG_STATE_HOME", (folder_.path() / "state").c_str(), 1);
        content_ = SearchableSample(folder_.path());
    }
    void TearDown() override { unsetenv("XDG_STATE_HOME"); }

    // A viewer on the content, started; its work folder is numbered so two can live at once.
    std::unique_ptr<viewer::ViewerHost> Open() {
        auto host = std::make_unique<viewer::ViewerHost>(
            p_, content_, folder_.path() / ("work" + std::to_string(++opened_)));
        EXPECT_TRUE(host->Start()) << host->Error();
        return host;
    }

    TestFolder folder_{"quindel_viewer_search"};
    headless::HeadlessPlatform p_;
    fs::path content_;
    int opened_ = 0;
};

TEST_F(ViewerSearchState, AHitIsShownThroughItsListAsAChosenRowIs) {
    const auto host = Open();
    viewer::ViewerSearch search(host->Panel(), host->Content(), host->Fingerprint());
    ASSERT_TRUE(search.Available()) << search.Why();
    const struct {
        const char* typed;
        const char* title;
        const char* event;      // the event the panel raises for the chosen row
        std::int32_t position;  // of the multimedia list's selection afterwards; 0 to skip
    } cases[] = {
        {"rybit", "Zwierzęta Wisły: rybitwa rzeczna", "ClickListaOggettiMM", 111},  // paged in
        {"martwa wisl", "Martwa Wisła w Gdańsku", "ClickListaOggettiMM", 101},
        {"bieg wisly zrodel", "Bieg Wisły od źródeł do ujścia", "ClickListaOggettiMM", 1},  // back
    };
    for (const auto& c : cases) {
        const auto hits = search.Find(c.typed, 5);
        ASSERT_FALSE(hits.empty()) << c.typed;
        EXPECT_EQ(hits[0].title, c.title) << c.typed;
        const std::size_t before = host->Events().size();
        ASSERT_TRUE(search.Show(hits[0])) << c.typed;
        ASSERT_GT(host->Events().size(), before) << c.typed;
        EXPECT_EQ(host->Events().back(), std::string(c.event) + "(" +
                                             std::to_string(host->Panel().ListaMM()->ListIndex()) +
                                             "): " + c.title)
            << c.typed;
        EXPECT_EQ(host->Panel().ListaMM()->PuntatoreFileLista(), c.position) << c.typed;
    }
    EXPECT_TRUE(Heard(*host, "GetChunk(")) << "record 111 lies past the first chunk";
    EXPECT_TRUE(host->ObjectShown());
}

TEST_F(ViewerSearchState, ALinkedEntryIsChosenInItsOwnList) {
    const auto host = Open();
    viewer::ViewerSearch search(host->Panel(), host->Content(), host->Fingerprint());
    const std::string last = host->Panel()
                                 .ListaLemmi()
                                 ->Record(host->Panel().ListaLemmi()->NumeroRecord())
                                 .sDescrizione();
    const auto hits = search.Find(last, 20);
    auto linked = std::find_if(hits.begin(), hits.end(), [](const hostkit::SearchHit& h) {
        return h.list == hostkit::SearchList::Linked;
    });
    ASSERT_NE(linked, hits.end()) << last;
    ASSERT_TRUE(search.Show(*linked));
    EXPECT_EQ(host->Events().back().rfind("ClickListaLemmi(", 0), 0u) << host->Events().back();
    EXPECT_EQ(host->Panel().ListaLemmi()->Descrizione(), last);
    // A record past the end of its list is refused, not shown.
    EXPECT_FALSE(search.Show({hostkit::SearchList::Multimedia, 100000, {}}));
    EXPECT_FALSE(search.Show({hostkit::SearchList::Linked, -1, {}}));
}

TEST_F(ViewerSearchState, NoSearchWithoutAnIndexOfTheseLists) {
    const auto host = Open();
    const struct {
        const char* name;
        std::function<void()> damage;
    } cases[] = {
        {"no index", [&] { fs::remove(content_ / "search.sqlite"); }},
        {"index of other lists",
         [&] {
             hostkit::WriteSearchIndex((content_ / "search.sqlite").string(),
                                       {{hostkit::SearchList::Multimedia, 0, "x", "y"}}, "other");
         }},
        {"damaged index", [&] { std::ofstream(content_ / "search.sqlite") << "not sqlite"; }},
    };
    for (const auto& c : cases) {
        c.damage();
        viewer::ViewerSearch search(host->Panel(), host->Content(), host->Fingerprint());
        EXPECT_FALSE(search.Available()) << c.name;
        EXPECT_FALSE(search.Why().empty()) << c.name;
        EXPECT_TRUE(search.Find("wis", 5).empty()) << c.name;
    }
}

TEST_F(ViewerSearchState, AReadingComesBackInANewViewer) {
    hostkit::ReadingState saved;
    {
        const auto host = Open();
        viewer::ReadingMemory memory(*host, {});
        memory.Note();
        EXPECT_FALSE(viewer::CaptureReadingState(*host).object) << "the article is no object";
        viewer::ViewerSearch search(host->Panel(), host->Content(), host->Fingerprint());
        ASSERT_TRUE(search.Show(search.Find("rybit", 1).at(0)));
        host->Panel().setVolumeAudio(37);
        host->Panel().setValorePulsante(9, -1);  // the multimedia list open
        saved = viewer::CaptureReadingState(*host);
        memory.Note();
        memory.Save();
    }
    EXPECT_EQ(saved.object, 110);
    EXPECT_EQ(saved.volume, 37);
    EXPECT_EQ(saved.multimediaListOpen, true);
    EXPECT_EQ(saved.linkedListOpen, false);

    const auto again = Open();
    std::vector<std::string> warnings;
    viewer::ReadingMemory memory(*again, [&](const std::string& w) { warnings.push_back(w); });
    memory.Restore();
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    EXPECT_TRUE(Heard(*again, "ClickListaOggettiMM")) << "restored through the list";
    const hostkit::ReadingState back = viewer::CaptureReadingState(*again);
    EXPECT_EQ(back.object, saved.object);
    EXPECT_EQ(back.volume, saved.volume);
    EXPECT_EQ(back.multimediaListOpen, saved.multimediaListOpen);
    EXPECT_EQ(back.linkedListOpen, saved.linkedListOpen);
}

// What the reader did to the object shown comes back with it: the zoom and pan of a photo, the
// view of a panorama, the time of a film or a sound.
TEST_F(ViewerSearchState, TheViewOfTheObjectComesBackWithIt) {
    const struct {
        const char* name;
        std::int64_t record;  // of the sample's multimedia list
        std::function<void(viewer::ViewerHost&)> move;
    } cases[] = {
        {"photo zoomed and panned", 7,
         [](viewer::ViewerHost& h) {
             h.Panel().setValorePulsante(16, -1);
             h.Display().Picture().setCropX(120);
             h.Display().Picture().setCropY(80);
         }},
        {"panorama turned and narrowed", 140,
         [](viewer::ViewerHost& h) {
             h.Display().Panorama().setFieldOfView(50);
             h.Display().Panorama().setPanAngle(123.5);
         }},
        {"film part way", 130,
         [](viewer::ViewerHost& h) { h.Display().Video().setPosition(1500); }},
        {"sound part way", 126,
         [](viewer::ViewerHost& h) { h.Display().Audio().setPosition(700); }},
    };
    for (const auto& c : cases) {
        hostkit::ReadingState saved;
        {
            const auto host = Open();
            viewer::ReadingMemory memory(*host, {});
            ASSERT_TRUE(
                viewer::ChooseRecord(host->Panel(), hostkit::SearchList::Multimedia, c.record))
                << c.name;
            const hostkit::ReadingState before = viewer::CaptureReadingState(*host);
            c.move(*host);
            saved = viewer::CaptureReadingState(*host);
            ASSERT_NE(saved, before) << c.name << ": the move changed nothing";
            memory.Note();
            memory.Save();
        }
        const auto again = Open();
        viewer::ReadingMemory memory(*again, {});
        memory.Restore();
        EXPECT_EQ(viewer::CaptureReadingState(*again), saved) << c.name;
    }
}

TEST_F(ViewerSearchState, UnusableStateOpensAtTheStartWithAWarning) {
    const struct {
        const char* name;
        std::string text;  // of the state file; the fingerprint is added where %s is
    } cases[] = {
        {"damaged", "quindel-reading-state 1\ncontent=%s\nobject=twelve\n"},
        {"other content", "quindel-reading-state 1\ncontent=0000\nobject=12\n"},
        {"not ours", "\x89PNG\r\n"},
    };
    for (const auto& c : cases) {
        const auto host = Open();
        std::string text = c.text;
        if (const auto at = text.find("%s"); at != std::string::npos)
            text.replace(at, 2, host->Fingerprint());
        const fs::path file = hostkit::StateFileFor(host->Content());
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        std::vector<std::string> warnings;
        viewer::ReadingMemory memory(*host, [&](const std::string& w) { warnings.push_back(w); });
        memory.Restore();
        EXPECT_EQ(warnings.size(), 1u) << c.name;
        EXPECT_FALSE(host->ObjectShown()) << c.name;
        EXPECT_FALSE(Heard(*host, "ClickListaOggettiMM")) << c.name;
    }
}

TEST(ViewerArgsFresh, FreshIsAFlag) {
    EXPECT_TRUE(viewer::ParseViewerArgs({"dir", "--fresh"}).fresh);
    EXPECT_FALSE(viewer::ParseViewerArgs({"dir"}).fresh);
    EXPECT_EQ(viewer::ParseViewerArgs({"--fresh", "dir"}).content, fs::path("dir"));
}

}  // namespace
}  // namespace quindel::test
