// The standard interpreter on real GIF files, as the panel sends its commands.
#include <fstream>

#include "GifWriter.h"
#include "MciTestKit.h"

namespace quindel::mci::test {
namespace {

constexpr std::uint8_t kPalette[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};

class GifPlayback : public MciHost {
  protected:
    GifPlayback() : standard(NewInterpreter(p)) {}

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::filesystem::path file = folder.path() / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

    // Three 6x4 frames in palette colours 0, 1, 2, shown for 100, 200 and 100 ms (the last
    // asks for 0, which players show for 100 ms); pixel (0, 0) of the middle one is transparent.
    std::string ThreeFrames() {
        std::vector<GifFrame> frames;
        for (int i = 0; i < 3; ++i)
            frames.push_back({i == 1   ? 20
                              : i == 2 ? 0
                                       : 10,
                              std::vector<std::uint8_t>(24, std::uint8_t(i))});
        frames[1].indices[0] = 3;
        frames[1].transparent = 3;
        return WriteGif(6, 4, kPalette, frames);
    }

    std::uint32_t Do(const std::string& command, std::string* reply = nullptr) {
        return standard->SendString(command, reply, reply ? 80 : 0);
    }

    platform::Rgba Shown(int x, int y) {
        const auto& child = static_cast<platform::PictureBox&>(*surface->Children().at(0));
        return child.Surface().pixel(x, y);
    }

    std::unique_ptr<CommandInterpreter> standard;
};

TEST_F(GifPlayback, PlaysTheFramesOfAFileWithBlanksAndPolishLettersInItsName) {
    const std::string file = WriteFile("Źdźbło  w oku.gif", ThreeFrames());
    ASSERT_EQ(Do(OpenCommand(file)), err::None);
    std::string reply;
    ASSERT_EQ(Do("status mmmMAT length", &reply), err::None);
    EXPECT_EQ(reply, "3");
    ASSERT_EQ(Do("status mmmMAT window handle", &reply), err::None);
    platform::RectPx r;
    ASSERT_TRUE(p.api().GetWindowRect(std::stoi(reply), r));
    EXPECT_EQ(r.width(), 6);
    EXPECT_EQ(r.height(), 4);

    struct Step {
        int afterMs;
        std::string position;
        platform::Rgba corner, inside;
    };
    const platform::Rgba red = platform::MakeRgb(255, 0, 0), green = platform::MakeRgb(0, 255, 0),
                         blue = platform::MakeRgb(0, 0, 255);
    ASSERT_EQ(Do("play mmmMAT"), err::None);
    int now = 0;
    for (const Step& s : std::vector<Step>{{0, "0", red, red},
                                           {100, "1", surface->BackColor(), green},
                                           {299, "1", surface->BackColor(), green},
                                           {300, "2", blue, blue},
                                           {400, "3", blue, blue}}) {
        p.RunFor(s.afterMs - now);
        now = s.afterMs;
        EXPECT_EQ(Shown(0, 0), s.corner) << s.afterMs;
        EXPECT_EQ(Shown(3, 2), s.inside) << s.afterMs;
        ASSERT_EQ(Do("status mmmMAT position", &reply), err::None);
        EXPECT_EQ(reply, s.position) << s.afterMs;
    }
    EXPECT_EQ(Do("close mmmMAT"), err::None);
}

TEST_F(GifPlayback, FilesThatCannotPlay) {
    const std::string gif = ThreeFrames();
    const std::string hwnd = std::to_string(surface->hWnd());
    struct Case {
        std::string name, bytes;
        std::uint32_t result;
    };
    for (const Case& c : std::vector<Case>{
             {"cut.gif", gif.substr(0, 20), err::InvalidFile},
             {"text.gif", "GIF? no, just text", err::InvalidFile},
             {"empty.gif", "", err::InvalidFile},
             {"good.gif", gif, err::None},
         }) {
        const std::string file = WriteFile(c.name, c.bytes);
        EXPECT_EQ(Do("open \"" + file + "\" alias x parent " + hwnd), c.result) << c.name;
        Do("close x");
    }
    EXPECT_EQ(Do(OpenCommand(folder.path().string() + "/absent.gif")), err::FileNotFound);
    EXPECT_EQ(Do(OpenCommand(folder.path().string())), err::FileNotFound);
    EXPECT_TRUE(surface->Children().empty());
}

}  // namespace
}  // namespace quindel::mci::test
