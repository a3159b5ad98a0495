// The film and sound control: its commands in virtual time on the virtual engine, the end,
// AutoPlay, AutoSize, the volume scale, failures, the picture on screen, and the panel's two ways
// of loading through it; then the sample media on GStreamer with sound to a fake sink.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "DisplayKitSupport.h"
#include "TestFolder.h"
#include "control/Quindel.h"
#include "hostkit/lists/ScrittoreLista.h"
#include "hostkit/media/GstMediaEngine.h"
#include "hostkit/media/MediaControl.h"
#include "lists/ClasseTLista.h"
#include "runtime/Coercions.h"
#include "samplegen/MediaWriter.h"

namespace quindel::hostkit {
namespace {

namespace fs = std::filesystem;
using platform::MakeRgb;
using samplegen::SoundFormat;
using samplegen::WriteFilm;
using samplegen::WriteSound;
using test::kTwips;

constexpr std::int64_t kFilmMs = 2000, kSoundMs = 1500;

// One film (160 x 120), one sound and one file of noise, written once for the suite.
class MediaFiles : public ::testing::Environment {
  public:
    static fs::path Dir() { return folder_->path(); }
    static std::string Film() { return (Dir() / "film.webm").string(); }
    static std::string Sound() { return (Dir() / "sound.wav").string(); }
    static std::string Noise() { return (Dir() / "noise.webm").string(); }
    static std::string Absent() { return (Dir() / "absent.ogg").string(); }
    void SetUp() override {
        folder_ = std::make_unique<test::TestFolder>("quindel_mediacontrol");
        ASSERT_EQ(WriteFilm(Film(), {.durationMs = kFilmMs}).error, "");
        ASSERT_EQ(WriteSound(Sound(), kSoundMs, SoundFormat::Wav).error, "");
        test::WriteBytes(Noise(), std::string(4096, '\x5a'));
    }
    void TearDown() override { folder_.reset(); }

  private:
    static inline std::unique_ptr<test::TestFolder> folder_;
};
[[maybe_unused]] const auto* const kFiles = ::testing::AddGlobalTestEnvironment(new MediaFiles);

struct MediaStage : test::Stage {
    std::shared_ptr<MediaControl> media =
        p.NewChild<MediaControl>(*form, MediaOptions{.backend = MediaBackend::Virtual});
    Object obj = media;

    MediaStage() { media->Move(0, 0, 64 * kTwips, 48 * kTwips); }
    void Command(int c) { LetProperty(obj, "Command", std::int16_t(c)); }
    std::int32_t Long(const char* name) { return CLng(GetProperty(obj, name)); }
};

TEST(MediaControl, CommandsDrivePlaybackInVirtualTime) {
    MediaStage s;
    LetProperty(s.obj, "FileName", MediaFiles::Film());
    s.Command(4);
    ASSERT_EQ(s.Long("Error"), 0);
    ASSERT_EQ(s.Long("Length"), kFilmMs);
    const struct {
        int command;  // 0: none, only time passes
        int runMs;
        std::int32_t position;
        MediaState state;
    } steps[] = {
        {0, 300, 0, MediaState::Paused},     {5, 500, 500, MediaState::Playing},
        {6, 300, 500, MediaState::Paused},   {7, 200, 700, MediaState::Playing},
        {13, 100, 100, MediaState::Playing}, {11, 300, 100, MediaState::Paused},
        {5, 5000, 2000, MediaState::Paused}, {7, 500, 2000, MediaState::Paused},
        {11, 0, 2000, MediaState::Paused},   {13, 0, 0, MediaState::Paused},
        {7, 250, 250, MediaState::Playing},  {1, 0, 0, MediaState::Closed},
        {5, 100, 0, MediaState::Closed},     {4, 0, 0, MediaState::Paused},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << "command " << step.command);
        if (step.command) s.Command(step.command);
        s.p.RunFor(step.runMs);
        EXPECT_EQ(s.Long("Position"), step.position);
        EXPECT_EQ(s.media->Engine().State(), step.state);
    }
    EXPECT_EQ(s.Long("Length"), kFilmMs) << "4 opened FileName again after 1";
    for (int bad : {0, 2, 12, -4}) EXPECT_EQ(test::ErrorOf([&] { s.Command(bad); }), 380) << bad;
}

TEST(MediaControl, AutoPlayRunsASoundToItsExactEnd) {
    MediaStage s;
    LetProperty(s.obj, "AutoPlay", true);
    LetProperty(s.obj, "FileName", MediaFiles::Sound());
    s.p.RunFor(kSoundMs - 1);
    EXPECT_EQ(s.media->Engine().State(), MediaState::Playing);
    s.p.RunFor(kSoundMs);
    EXPECT_EQ(s.Long("Position"), s.Long("Length"));
    EXPECT_EQ(s.Long("Length"), kSoundMs);
}

TEST(MediaControl, AutoSizeTakesTheFilmsSize) {
    const struct {
        int autoSize;
        std::string (*file)();
        bool setAfterOpening;
        std::int32_t width, height;  // pixels
    } cases[] = {
        {1, MediaFiles::Film, false, 160, 120},
        {1, MediaFiles::Film, true, 160, 120},
        {0, MediaFiles::Film, false, 64, 48},
        {1, MediaFiles::Sound, false, 64, 48},
    };
    for (const auto& c : cases) {
        MediaStage s;
        if (!c.setAfterOpening) LetProperty(s.obj, "AutoSize", std::int16_t(c.autoSize));
        LetProperty(s.obj, "FileName", c.file());
        if (c.setAfterOpening) LetProperty(s.obj, "AutoSize", std::int16_t(c.autoSize));
        EXPECT_EQ(s.Long("Width"), c.width * kTwips);
        EXPECT_EQ(s.Long("height"), c.height * kTwips);
    }
    MediaStage s;
    EXPECT_EQ(test::ErrorOf([&] { LetProperty(s.obj, "AutoSize", std::int16_t(2)); }), 380);
}

TEST(MediaControl, WaveVolumeMapsOntoTheEngine) {
    MediaStage s;
    const struct {
        double wave, kept, volume;
    } cases[] = {{65535, 65535, 1},
                 {32896, 32896, 32896.0 / 65535},
                 {0, 0, 0},
                 {-257, 0, 0},
                 {70000, 65535, 1}};
    for (const auto& c : cases) {
        LetProperty(s.obj, "WaveVolume", c.wave);
        EXPECT_EQ(CDbl(GetProperty(s.obj, "WaveVolume")), c.kept) << c.wave;
        EXPECT_DOUBLE_EQ(s.media->Engine().Volume(), c.volume) << c.wave;
    }
    // The panel's volume reaches the control on its 0..255 scale.
    const Object panel = Quindel::Crea(s.p, *s.form);
    SetProperty(panel, "ControlloAudio", s.obj);
    for (auto [panelVolume, wave] : {std::pair{255, 65535.0}, {0, 0.0}, {-1, 0.0}}) {
        LetProperty(panel, "VolumeAudio", panelVolume);
        EXPECT_EQ(CDbl(GetProperty(s.obj, "WaveVolume")), wave) << panelVolume;
    }
}

TEST(MediaControl, FailuresGoToErrorOrAreRaisedWithAutoPlay) {
    const struct {
        std::string (*file)();
        bool autoPlay;
        int error, raised;
    } cases[] = {
        {MediaFiles::Absent, false, 53, 0},
        {MediaFiles::Noise, false, 321, 0},
        {MediaFiles::Absent, true, 53, 53},
        {MediaFiles::Noise, true, 321, 321},
    };
    for (const auto& c : cases) {
        MediaStage s;
        LetProperty(s.obj, "FileName", MediaFiles::Film());
        LetProperty(s.obj, "AutoPlay", c.autoPlay);
        EXPECT_EQ(test::ErrorOf([&] { LetProperty(s.obj, "FileName", c.file()); }), c.raised);
        EXPECT_EQ(s.Long("Error"), c.error);
        EXPECT_NE(CStr(GetProperty(s.obj, "ErrorMessage")), "");
        EXPECT_EQ(s.Long("Length"), 0) << "the previous file is closed";
        EXPECT_EQ(test::ErrorOf([&] { s.Command(4); }), 0);
        EXPECT_EQ(s.Long("Error"), c.error);
    }
}

TEST(MediaControl, PaintsTheFramesAtItsOwnSize) {
    MediaStage s;
    const platform::Rgba face = s.p.Grab(*s.form).pixel(700, 500);
    EXPECT_EQ(s.p.Grab(*s.media).pixel(30, 20), MakeRgb(0, 0, 0)) << "nothing open";
    LetProperty(s.obj, "FileName", MediaFiles::Film());
    s.Command(5);
    s.p.RunFor(kFilmMs / 2);
    for (auto [width, height] : {std::pair{64, 48}, {140, 70}}) {
        s.media->Move(0, 0, width * kTwips, height * kTwips);
        const platform::Image shot = s.p.Grab(*s.media);
        ASSERT_EQ(shot.width(), width);
        // The engine's colour bars, seven across the top two thirds; under them the progress
        // bar, white up to half the width, its edge sharp since the engine drew it at this size.
        EXPECT_EQ(shot.pixel(2, 2), MakeRgb(192, 192, 192));
        EXPECT_EQ(shot.pixel(width * 11 / 14, 2), MakeRgb(192, 0, 0));
        EXPECT_EQ(shot.pixel(width / 2 - 1, height * 2 / 3 + 2), MakeRgb(255, 255, 255));
        EXPECT_EQ(shot.pixel(width / 2, height * 2 / 3 + 2), MakeRgb(32, 32, 32));
        // The desktop draws the frame lent at the control's size: the very pixels painted.
        platform::Image lent;
        EXPECT_TRUE(s.media->LendPixels({width, height}, [&](const auto& v) { lent.assign(v); }));
        EXPECT_EQ(lent, shot);
        EXPECT_FALSE(s.media->LendPixels({width, height + 1}, [](const auto&) { ADD_FAILURE(); }));
    }
    LetProperty(s.obj, "FileName", MediaFiles::Sound());
    EXPECT_EQ(s.p.Grab(*s.media).pixel(30, 20), face) << "a sound draws nothing";
    EXPECT_FALSE(s.media->LendPixels({64, 48}, [](const auto&) { ADD_FAILURE(); }));
}

// The panel loads a film by FileName and Command 4 and reads Error; a sound by FileName alone,
// with AutoPlay on and its errors trapped. Each failure must reach the user as one message.
TEST(MediaControl, ThePanelShowsFilmsAndSoundsThroughIt) {
    MediaStage s;
    const auto audio =
        s.p.NewChild<MediaControl>(*s.form, MediaOptions{.backend = MediaBackend::Virtual});
    const std::shared_ptr<Quindel> quindel = Quindel::Crea(s.p, *s.form);
    const Object panel = quindel;
    SetProperty(panel, "ControlloVideo", s.obj);
    SetProperty(panel, "ControlloAudio", Object(audio));
    const struct {
        const char* type;
        std::string (*file)();
        const char* message;  // the box shown, or "" for none
    } cases[] = {
        {"VI", MediaFiles::Film, ""},
        {"AU", MediaFiles::Sound, ""},
        {"VI", MediaFiles::Noise, "Nie mozna uruchomic filmu:\n"},
        {"AU", MediaFiles::Noise, "Nie mozna odczytac plików audio:\n"},
    };
    for (const auto& c : cases) {
        const fs::path file = c.file();
        SCOPED_TRACE(c.type + (" " + file.filename().string()));
        const std::string folder = MediaFiles::Dir().string() + "\\";
        const std::string list = (MediaFiles::Dir() / (c.type + file.stem().string())).string();
        hostkit::ScriviListaFile(
            list, {{"C", folder, "", file.filename().string(), c.type, "Opis", "Opis"}});
        LetProperty(panel, "NomeFileListaMM", list);
        // The list is not cleared by a new file: the record just added is the last.
        quindel->ListaMM()->setListIndex(quindel->ListaMM()->ListCount() - 1);
        s.p.Boxes().ClearShown();
        CallMethod(panel, "MostraOggetto");
        const auto& shown = s.p.Boxes().Shown();
        ASSERT_EQ(shown.size(), *c.message ? 1u : 0u);
        if (*c.message) {
            EXPECT_EQ(shown[0].text, c.message + folder + file.filename().string());
            continue;
        }
        const MediaControl& player = c.type == std::string("VI") ? *s.media : *audio;
        EXPECT_EQ(player.Engine().State(), MediaState::Playing);
        s.p.RunFor(kFilmMs + 200);
        EXPECT_EQ(player.Position(), player.Length());
    }
}

// ---- GStreamer, sound to a fake sink: the sample content, found from the test data folder that
// CTest names, as the panel loads it. Each plays only its last moments.

class GstMediaControl : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* data = std::getenv("QUINDEL_TEST_DATA");
        if (!data) GTEST_SKIP() << "QUINDEL_TEST_DATA is not set";
        media_ = fs::path(data).parent_path().parent_path() / "resources" / "sample" / "media";
    }
    std::shared_ptr<MediaControl> Make() {
        return stage_.p.NewChild<MediaControl>(
            *stage_.form, MediaOptions{.backend = MediaBackend::GStreamer, .fakeAudio = true});
    }
    // Lets the control's pump run, in real time, until `done` holds or three seconds pass.
    template <class Done>
    bool RunUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            stage_.p.RunFor(MediaControl::kPumpMs);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }
    static std::int32_t Long(const Object& o, const char* name) {
        return CLng(GetProperty(o, name));
    }
    test::Stage stage_;
    fs::path media_;
};

TEST_F(GstMediaControl, TheSampleMediaOpenAndPlayToTheEnd) {
    const struct {
        const char* file;
        std::int32_t lengthMs;
        bool film;
    } samples[] = {{"filmy/FILM01.WEBM", 6000, true}, {"dzwieki/DZWIEK01.OGG", 5000, false}};
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.file);
        std::shared_ptr<MediaControl> media = Make();
        const Object obj = media;
        LetProperty(obj, "AutoSize", std::int16_t(1));
        LetProperty(obj, "AutoPlay", !sample.film);
        LetProperty(obj, "FileName", (media_ / sample.file).string());
        if (sample.film) LetProperty(obj, "Command", std::int16_t(4));
        ASSERT_EQ(Long(obj, "Error"), 0) << CStr(GetProperty(obj, "ErrorMessage"));
        const std::int32_t length = Long(obj, "Length");
        EXPECT_NEAR(length, sample.lengthMs, sample.lengthMs / 100);
        if (sample.film) {
            EXPECT_EQ(Long(obj, "Width"), 320 * kTwips);
            // The colour bars' first, light grey bar.
            EXPECT_TRUE(
                RunUntil([&] { return stage_.p.Grab(*media).pixel(8, 8) != MakeRgb(0, 0, 0); }));
            EXPECT_GT(platform::GreenOf(stage_.p.Grab(*media).pixel(8, 8)), 150);
        }
        LetProperty(obj, "Position", length - 300);
        LetProperty(obj, "Command", std::int16_t(sample.film ? 5 : 7));
        EXPECT_TRUE(RunUntil([&] { return Long(obj, "Position") == length; }));
        media->Remove();
    }
    EXPECT_EQ(GstMediaEngine::LivePipelines(), 0) << "a destroyed control lets its file go";
}

TEST_F(GstMediaControl, ABrokenFileReportsItsError) {
    test::TestFolder folder("quindel_gstmediacontrol");
    const std::string noise = (folder.path() / "noise.webm").string();
    std::string bytes(4096, '\0');
    std::mt19937 random(11);
    for (char& b : bytes) b = char(random());
    test::WriteBytes(noise, bytes);
    const Object obj = Make();
    LetProperty(obj, "FileName", noise);
    LetProperty(obj, "Command", std::int16_t(4));
    EXPECT_EQ(Long(obj, "Error"), MediaControl::kCannotPlay);
    EXPECT_NE(CStr(GetProperty(obj, "ErrorMessage")), "");
    LetProperty(obj, "AutoPlay", true);
    EXPECT_EQ(test::ErrorOf([&] { LetProperty(obj, "FileName", noise); }),
              MediaControl::kCannotPlay);
    EXPECT_EQ(GstMediaEngine::LivePipelines(), 0);
}

}  // namespace
}  // namespace quindel::hostkit
