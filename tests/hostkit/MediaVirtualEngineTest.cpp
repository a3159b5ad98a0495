#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "TestFolder.h"
#include "hostkit/media/GstMediaEngine.h"
#include "hostkit/media/MediaEngineFactory.h"
#include "hostkit/media/MediaProbe.h"
#include "hostkit/media/VirtualMediaEngine.h"
#include "platform/headless/HeadlessPlatform.h"

namespace quindel::hostkit {
namespace {

std::string LittleEndian(std::uint64_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 255);
    return s;
}

std::string BigEndian(std::uint64_t v, int bytes) {
    std::string s;
    for (int i = bytes - 1; i >= 0; --i) s += char((v >> (8 * i)) & 255);
    return s;
}

// ---- WAV: 8-bit mono at 8000 Hz, so 8 bytes are one millisecond.

std::string Chunk(const std::string& id, const std::string& body, std::uint32_t declared) {
    return id + LittleEndian(declared, 4) + body + std::string(body.size() % 2, '\0');
}

std::string Wav(std::uint32_t declaredData, std::size_t presentData, bool withFormat = true,
                const std::string& before = {}) {
    const std::string format = LittleEndian(1, 2) + LittleEndian(1, 2) + LittleEndian(8000, 4) +
                               LittleEndian(8000, 4) + LittleEndian(1, 2) + LittleEndian(8, 2);
    std::string body = "WAVE" + before + (withFormat ? Chunk("fmt ", format, 16) : "");
    body += "data" + LittleEndian(declaredData, 4) + std::string(presentData, '\x80');
    return "RIFF" + LittleEndian(body.size(), 4) + body;
}

// ---- Ogg: one-segment pages.

std::string OggPage(std::uint64_t granule, std::uint32_t serial, const std::string& body) {
    return "OggS" + std::string(1, '\0') + std::string(1, '\0') + LittleEndian(granule, 8) +
           LittleEndian(serial, 4) + LittleEndian(0, 4) + LittleEndian(0, 4) + char(1) +
           char(body.size()) + body;
}

std::string VorbisId(std::uint32_t rate) {
    return std::string("\x01vorbis", 7) + LittleEndian(0, 4) + char(2) + LittleEndian(rate, 4) +
           std::string(15, '\0');
}

// ---- Matroska: every size written in eight bytes.

std::string El(std::uint32_t id, const std::string& body, bool unknownSize = false) {
    const int idBytes = id > 0xFFFFFF ? 4 : id > 0xFFFF ? 3 : id > 0xFF ? 2 : 1;
    const std::string size =
        unknownSize ? "\x01" + std::string(7, '\xFF') : "\x01" + BigEndian(body.size(), 7);
    return BigEndian(id, idBytes) + size + body;
}

std::string Uint(std::uint64_t v) {
    return BigEndian(v, 2);
}

std::string Float8(double v) {
    return BigEndian(std::bit_cast<std::uint64_t>(v), 8);
}

std::string Float4(float v) {
    return BigEndian(std::bit_cast<std::uint32_t>(v), 4);
}

std::string Track(int type, const std::string& video = {}) {
    return El(0xAE, El(0x83, Uint(type)) + (video.empty() ? "" : El(0xE0, video)));
}

std::string Matroska(const std::string& info, const std::string& tracks, bool unknownSize = false) {
    const std::string header = El(0x1A45DFA3, El(0x4282, "webm"));
    const std::string cluster = El(0x1F43B675, std::string(40, '\0'));
    return header +
           El(0x18538067, El(0x1549A966, info) + El(0x1654AE6B, tracks) + cluster, unknownSize);
}

TEST(MediaProbe, LengthAndPictureFromHeaders) {
    const std::string pixels = El(0xB0, Uint(320)) + El(0xBA, Uint(240));
    const std::string vorbis = OggPage(0, 7, VorbisId(44100));
    struct Case {
        const char* name;
        std::string file;
        std::int64_t lengthMs;
        platform::SizePx video;  // 0 x 0: no video
    };
    const Case cases[] = {
        {"wav", Wav(20000, 20000), 2500, {}},
        {"wav cut short", Wav(20000, 8000), 1000, {}},
        {"wav with an odd chunk first", Wav(800, 800, true, Chunk("LIST", "abc", 3)), 100, {}},
        {"ogg: last page of the stream", vorbis + OggPage(66150, 7, "x"), 1500, {}},
        {"ogg: other stream and open page skipped",
         vorbis + OggPage(44100, 7, "x") + OggPage(99999, 8, "y") + OggPage(~0ull, 7, "z"),
         1000,
         {}},
        {"webm with video",
         Matroska(El(0x4489, Float8(2500.0)), Track(2) + Track(1, pixels)),
         2500,
         {320, 240}},
        {"webm in microseconds, sound only",
         Matroska(El(0x2AD7B1, Uint(1000)) + El(0x4489, Float4(1500000.f)), Track(2)),
         1500,
         {}},
        {"webm display size",
         Matroska(El(0x4489, Float8(40)),
                  Track(1, pixels + El(0x54B0, Uint(400)) + El(0x54BA, Uint(240)))),
         40,
         {400, 240}},
        {"webm segment of unknown size",
         Matroska(El(0x4489, Float8(999.6)), Track(1, pixels), true),
         1000,
         {320, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MediaProbeResult r = ProbeMedia(c.file, c.file, c.file.size());
        ASSERT_EQ(r.error, "");
        EXPECT_EQ(r.facts.lengthMs, c.lengthMs);
        EXPECT_EQ(r.facts.hasVideo, c.video.width > 0);
        EXPECT_EQ(r.facts.videoSize, c.video);
    }
}

TEST(MediaProbe, BrokenHeadersAreErrors) {
    const std::string webm = Matroska(El(0x4489, Float8(2500.0)), Track(2));
    const std::string cases[] = {
        "",
        "random bytes, not media at all",
        Wav(800, 800, false),
        Wav(20000, 20000).substr(0, 30),
        OggPage(0, 7, "\x01opus"),
        OggPage(0, 7, VorbisId(0)) + OggPage(100, 7, "x"),
        Matroska(El(0x2AD7B1, Uint(1000)), Track(2)),
        Matroska(El(0x4489, Float8(-5)), Track(2)),
        webm.substr(0, 20),
    };
    for (const std::string& file : cases) {
        SCOPED_TRACE(testing::PrintToString(file));
        EXPECT_NE(ProbeMedia(file, file, file.size()).error, "");
    }
    EXPECT_NE(ProbeMediaFile("/nonexistent/quindel/film.webm").error, "");
}

// ---- The virtual engine, on the headless platform's virtual clock.

class VirtualEngine : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (folder_.path() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string Film() {  // 2 s, 320 x 240
        return Write("film.webm", Matroska(El(0x4489, Float8(2000)),
                                           Track(1, El(0xB0, Uint(320)) + El(0xBA, Uint(240)))));
    }

    test::TestFolder folder_{"quindel_media"};
    headless::HeadlessPlatform platform_;
    VirtualMediaEngine engine_{platform_};
};

TEST_F(VirtualEngine, PositionFollowsTheClockAndTheCommands) {
    enum class Act { None, Play, Pause, Stop, Seek };
    struct Step {
        std::int64_t advanceMs;  // virtual time passing before the command
        Act act;
        std::int64_t seekMs;
        std::int64_t position;
        MediaState state;
        bool atEnd;
    };
    using S = MediaState;
    const Step steps[] = {
        {0, Act::None, 0, 0, S::Paused, false},
        {500, Act::None, 0, 0, S::Paused, false},
        {0, Act::Play, 0, 0, S::Playing, false},
        {1500, Act::None, 0, 1500, S::Playing, false},
        {0, Act::Pause, 0, 1500, S::Paused, false},
        {1000, Act::None, 0, 1500, S::Paused, false},
        {0, Act::Play, 0, 1500, S::Playing, false},
        {500, Act::Seek, 3500, 3500, S::Playing, false},
        {800, Act::None, 0, 4000, S::Paused, true},  // ran into the end and stays there
        {0, Act::Play, 0, 0, S::Playing, false},     // play at the end starts again
        {250, Act::Stop, 0, 0, S::Stopped, false},
        {100, Act::None, 0, 0, S::Stopped, false},
        {0, Act::Seek, 9999, 4000, S::Paused, true},
        {0, Act::Seek, -5, 0, S::Paused, false},
    };
    ASSERT_TRUE(engine_.Open(Write("a.wav", Wav(32000, 32000))).ok());
    ASSERT_EQ(engine_.LengthMs(), 4000);
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(i++);
        platform_.RunFor(s.advanceMs);
        switch (s.act) {
            case Act::Play:
                engine_.Play();
                break;
            case Act::Pause:
                engine_.Pause();
                break;
            case Act::Stop:
                engine_.Stop();
                break;
            case Act::Seek:
                engine_.Seek(s.seekMs);
                break;
            case Act::None:
                break;
        }
        EXPECT_EQ(engine_.PositionMs(), s.position);
        EXPECT_EQ(engine_.State(), s.state);
        EXPECT_EQ(engine_.AtEnd(), s.atEnd);
    }
}

TEST_F(VirtualEngine, EndIsReportedOnceEvenAfterALaterPause) {
    ASSERT_TRUE(engine_.Open(Write("a.wav", Wav(8000, 8000))).ok());
    engine_.Play();
    platform_.RunFor(999);
    EXPECT_FALSE(engine_.Pump().ended);
    platform_.RunFor(50);
    engine_.Pause();
    EXPECT_TRUE(engine_.Pump().ended);
    EXPECT_FALSE(engine_.Pump().ended);
    EXPECT_EQ(engine_.PositionMs(), engine_.LengthMs());
    EXPECT_FALSE(engine_.Pump().newFrame);  // a sound has no pictures
    EXPECT_TRUE(engine_.Frame().empty());
}

TEST_F(VirtualEngine, PicturesAtTheFrameSizeShowTheProgress) {
    ASSERT_TRUE(engine_.Open(Film()).ok());
    EXPECT_TRUE(engine_.HasVideo());
    EXPECT_EQ(engine_.VideoSize(), (platform::SizePx{320, 240}));
    EXPECT_TRUE(engine_.Pump().newFrame);
    EXPECT_EQ(engine_.Frame().width(), 320);
    engine_.SetFrameSize({70, 30});
    EXPECT_TRUE(engine_.Pump().newFrame);
    engine_.Play();
    platform_.RunFor(1000);
    EXPECT_TRUE(engine_.Pump().newFrame);
    const platform::Image& picture = engine_.Frame();
    ASSERT_EQ(picture.width(), 70);
    ASSERT_EQ(picture.height(), 30);
    // Bars over the top 20 rows; below them the bar of progress: 1 s of 2 s is 35 of 70 pixels.
    EXPECT_EQ(picture.pixel(0, 0), platform::MakeRgb(192, 192, 192));
    EXPECT_EQ(picture.pixel(34, 21), platform::MakeRgb(255, 255, 255));
    EXPECT_NE(picture.pixel(35, 21), platform::MakeRgb(255, 255, 255));
    struct Tick {
        std::int64_t advanceMs;
        bool newFrame;
    };
    for (const Tick t : {Tick{0, false}, Tick{20, false}, Tick{20, true}, Tick{39, false}}) {
        platform_.RunFor(t.advanceMs);
        EXPECT_EQ(engine_.Pump().newFrame, t.newFrame) << engine_.PositionMs();
    }
}

TEST_F(VirtualEngine, FailuresLeaveNothingOpen) {
    ASSERT_TRUE(engine_.Open(Film()).ok());
    engine_.Play();
    for (const std::string& path : {folder_.path().string() + "/missing.wav",
                                    Write("noise.webm", "\x1A\x45 certainly not a film")}) {
        SCOPED_TRACE(path);
        EXPECT_NE(engine_.Open(path).error, "");
        EXPECT_FALSE(engine_.IsOpen());
        EXPECT_EQ(engine_.State(), MediaState::Closed);
        EXPECT_EQ(engine_.LengthMs(), 0);
        EXPECT_EQ(engine_.PositionMs(), 0);
        EXPECT_FALSE(engine_.HasVideo());
        engine_.Play();
        EXPECT_EQ(engine_.State(), MediaState::Closed);
    }
}

TEST_F(VirtualEngine, VolumeIsLinearAndClamped) {
    struct Case {
        double wave, volume;
    };
    for (const Case c : {Case{65535, 1.0}, Case{0, 0.0}, Case{32896, 32896.0 / 65535},
                         Case{-257, 0.0}, Case{70000, 1.0}}) {
        engine_.SetVolume(VolumeFromWave(c.wave));
        EXPECT_DOUBLE_EQ(engine_.Volume(), c.volume) << c.wave;
    }
}

TEST_F(VirtualEngine, FactoryChoosesByOptionThenEnvironment) {
    const auto isVirtual = [&](const MediaOptions& o) {
        return dynamic_cast<VirtualMediaEngine*>(MakeMediaEngine(platform_, o).get()) != nullptr;
    };
    setenv("QUINDEL_MEDIA_ENGINE", "virtual", 1);
    EXPECT_TRUE(isVirtual({}));
    EXPECT_FALSE(isVirtual({.backend = MediaBackend::GStreamer}));
    unsetenv("QUINDEL_MEDIA_ENGINE");
    EXPECT_FALSE(isVirtual({}));
    EXPECT_TRUE(isVirtual({.backend = MediaBackend::Virtual}));
}

}  // namespace
}  // namespace quindel::hostkit
