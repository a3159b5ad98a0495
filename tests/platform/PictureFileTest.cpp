// Picture files: the format is told by the bytes, each decoder is reached, cut and garbage
// inputs fail cleanly or keep what was decoded, budgets hold for every format.
#include <gtest/gtest.h>

#include <fstream>

#include "BmpWriter.h"
#include "GifWriter.h"
#include "JpegWriter.h"
#include "PngWriter.h"
#include "TestFolder.h"
#include "platform/PictureFile.h"

using namespace quindel::platform;
using namespace quindel::test;

namespace {

constexpr Rgba kBlue = MakeRgb(10, 20, 200), kYellow = MakeRgb(250, 220, 10);

// 24 x 16: blue, with a yellow 8 x 8 square at (8, 8).
Image Sample() {
    Image img(24, 16, kBlue);
    img.fillRect(8, 8, 8, 8, kYellow);
    return img;
}

std::vector<std::uint8_t> SampleGif() {
    GifFrameSpec first, second;
    first.width = 24, first.height = 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) first.indices.push_back(x >= 8 && x < 16 && y >= 8 ? 1 : 0);
    second.left = 0, second.top = 0, second.width = 1, second.height = 1, second.indices = {1};
    return GifWriter(24, 16, {{10, 20, 200}, {250, 220, 10}}).Add(first).Add(second).Bytes();
}

std::vector<std::uint8_t> SamplePng() {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("quindel_picture_" + std::to_string(::getpid()) + ".png"))
                                 .string();
    EXPECT_TRUE(Sample().savePng(path));
    const auto bytes = ReadPictureFile(path);
    std::filesystem::remove(path);
    return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end())
                 : std::vector<std::uint8_t>();
}

struct Sampled {
    PictureFormat format;
    std::vector<std::uint8_t> bytes;
    int tolerance;
};

std::vector<Sampled> EveryFormat() {
    return {{PictureFormat::Png, SamplePng(), 0},
            {PictureFormat::Jpeg, WriteJpeg(Sample(), {95}), 8},
            {PictureFormat::Gif, SampleGif(), 0},
            {PictureFormat::Bmp, WriteBmp24(Sample()), 0}};
}

bool Near(Rgba a, Rgba b, int tolerance) {
    return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
           std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
           std::abs(BlueOf(a) - BlueOf(b)) <= tolerance && AlphaOf(a) == AlphaOf(b);
}

}  // namespace

TEST(PictureFile, TheBytesChooseTheDecoder) {
    for (const Sampled& s : EveryFormat()) {
        SCOPED_TRACE(int(s.format));
        EXPECT_EQ(SniffPictureFormat(s.bytes), s.format);
        const auto size = ReadPictureSize(s.bytes);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->width, 24);
        EXPECT_EQ(size->height, 16);
        std::string error;
        const auto img = DecodePicture(s.bytes, {}, &error);
        ASSERT_TRUE(img) << error;
        ASSERT_EQ(img->width(), 24);
        ASSERT_EQ(img->height(), 16);
        EXPECT_TRUE(Near(img->pixel(2, 2), kBlue, s.tolerance)) << std::hex << img->pixel(2, 2);
        EXPECT_TRUE(Near(img->pixel(11, 11), kYellow, s.tolerance))
            << std::hex << img->pixel(11, 11);
        EXPECT_TRUE(Near(img->pixel(0, 0), kBlue, s.tolerance)) << "a GIF shows its first frame";
    }
}

TEST(PictureFile, AFileNameSaysNothingAboutTheFormat) {
    TestFolder folder;
    const auto png = SamplePng();
    const std::string path = (folder.path() / "photo.jpg").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    const auto bytes = ReadPictureFile(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(SniffPictureFormat(BytesOf(*bytes)), PictureFormat::Png);
    EXPECT_EQ(DecodePicture(BytesOf(*bytes)), Sample());
    std::string error;
    EXPECT_FALSE(ReadPictureFile((folder.path() / "missing.png").string(), &error));
    EXPECT_NE(error.find("missing.png"), std::string::npos);
}

// A fitted view needs a fraction of a large picture: JPEG and plain PNG decode only that much
// (a PNG's blocks averaged), an interlaced PNG and the other formats decode whole.
TEST(PictureFile, JpegAndPlainPngDecodeSmallerForAFittedView) {
    Image big(160, 96, kBlue);
    PngLayout grey;
    grey.width = 161, grey.height = 97, grey.colourType = 0;  // blocks cut at the right and bottom
    for (int y = 0; y < 97; ++y)
        for (int x = 0; x < 161; ++x) grey.samples.push_back(std::uint8_t((x + y) % 2 ? 200 : 100));
    PngLayout interlaced = grey;
    interlaced.interlaced = true;
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool reduced;
        int width, height;
    } cases[] = {
        {"JPEG", WriteJpeg(big, {80}), true, 40, 24},
        {"plain PNG", PngWriter::Write(grey), true, 41, 25},
        {"interlaced PNG", PngWriter::Write(interlaced), false, 161, 97},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DecodesReduced(c.bytes), c.reduced);
        const auto fitted = DecodePictureAtLeast(c.bytes, 40, 20);
        ASSERT_TRUE(fitted);
        EXPECT_EQ(fitted->width(), c.width);
        EXPECT_EQ(fitted->height(), c.height);
    }
    // A checkerboard of 100 and 200 averages to 150 in whole blocks; the last column's blocks
    // hold one pixel across.
    const auto png = DecodePictureAtLeast(PngWriter::Write(grey), 40, 20);
    EXPECT_EQ(RedOf(png->pixel(3, 3)), 150);
    EXPECT_EQ(AlphaOf(png->pixel(3, 3)), 255);
    EXPECT_NEAR(RedOf(png->pixel(40, 3)), 150, 1);
}

// A few hundred bytes may declare a huge picture: an interlaced PNG needing more than the work
// budget, or a progressive JPEG whose coefficients would, is refused before the memory exists.
TEST(PictureFile, WorkBudgetRefusesHugeInterlacedAndProgressiveFilesUpFront) {
    PngLayout tall;
    tall.width = 64, tall.height = 64, tall.colourType = 0, tall.interlaced = true;
    tall.samples.assign(64 * 64, 7);
    PictureLimits tight;
    tight.maxWorkBytes = 64 * 64 * 4 - 1;
    std::string error;
    EXPECT_FALSE(DecodePicture(PngWriter::Write(tall), tight, &error));
    EXPECT_NE(error.find("budget"), std::string::npos) << error;
    tight.maxWorkBytes = 64 * 64 * 4;
    EXPECT_TRUE(DecodePicture(PngWriter::Write(tall), tight, &error)) << error;
    // A progressive JPEG keeps 2 bytes a sample of coefficients: 96 x 96 x 3 x 2 bytes here.
    const auto progressive = WriteJpeg(Image(96, 96, kBlue), {80, JpegKind::Colour, true});
    PictureLimits small;
    small.maxWorkBytes = 20000;
    EXPECT_FALSE(DecodePicture(progressive, small, &error));
    small.maxWorkBytes = 200000;
    EXPECT_TRUE(DecodePicture(progressive, small, &error)) << error;
}

TEST(PictureFile, CutAndGarbageInputsFailWithAReasonOrKeepWhatWasDecoded) {
    for (const Sampled& s : EveryFormat()) {
        SCOPED_TRACE(int(s.format));
        const std::size_t n = s.bytes.size();
        struct Cut {
            std::size_t length;
            bool decodes;
        } cuts[] = {{0, false}, {1, false}, {8, false}, {n - 1, s.format != PictureFormat::Bmp}};
        for (const Cut& c : cuts) {
            std::string error;
            const auto img = DecodePicture(std::span(s.bytes.data(), c.length), {}, &error);
            EXPECT_EQ(bool(img), c.decodes) << c.length << " of " << n << ": " << error;
            EXPECT_EQ(error.empty(), c.decodes) << c.length;
            EXPECT_EQ(img ? img->width() : 24, 24);
        }
        auto noisy = s.bytes;
        for (std::size_t i = 20; i < noisy.size(); i += 7)
            noisy[i] = std::uint8_t(noisy[i] * 31 + 7);
        DecodePicture(noisy);  // damaged anywhere after the signature: anything but a crash
    }
    const std::string garbage[] = {"",
                                   "GIF89a",
                                   "\x89PNG\r\n\x1a\n",
                                   "\xFF\xD8\xFF",
                                   "BM",
                                   "BM" + std::string(60, '\xFF'),
                                   "hello, world"};
    for (const std::string& g : garbage) {
        std::string error;
        EXPECT_FALSE(DecodePicture(BytesOf(g), {}, &error)) << g;
        EXPECT_FALSE(error.empty()) << g;
        EXPECT_FALSE(ReadPictureSize(BytesOf(g))) << g;
    }
}

TEST(PictureFile, TheBudgetHoldsForEveryFormat) {
    for (const Sampled& s : EveryFormat()) {
        SCOPED_TRACE(int(s.format));
        for (PictureLimits tight : {PictureLimits{23, 1000}, PictureLimits{100, 24 * 16 - 1}}) {
            std::string error;
            EXPECT_FALSE(DecodePicture(s.bytes, tight, &error));
            EXPECT_FALSE(error.empty());
        }
        EXPECT_TRUE(DecodePicture(s.bytes, {24, 24 * 16}));
    }
}
