// The clipboard service alike on every backend: each put replaces what was there, text and RTF
// travel together or text alone, pictures keep their size and colours, Clear leaves nothing; the
// selection buffer, where there is one, lives beside the clipboard without touching it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/Clipboard.h"
#include "qt/Backend.h"

namespace quindel::test {
namespace {

using namespace quindel::platform;

class ClipboardConformance : public ::testing::TestWithParam<BackendMaker> {
  protected:
    std::unique_ptr<Backend> backend = GetParam().make();
    Clipboard* clip = backend->P().clipboard();
};

Image Checkered() {
    Image img(7, 5, MakeRgb(10, 20, 30));
    for (int y = 0; y < 5; ++y)
        for (int x = (y & 1); x < 7; x += 2) img.setPixel(x, y, MakeRgb(250, 128, 3));
    return img;
}

TEST_P(ClipboardConformance, EachPutReplacesWhatWasThere) {
    ASSERT_NE(clip, nullptr) << "the backend offers a clipboard";
    const std::string rtf =
        "{\\rtf1\\ansi Za\\u380?\\'f3\\u322?\\'b3 \\b g\\b0 \\u281?\\'eal\\par}";
    const auto text = std::uint8_t(ClipFormat::Text), picture = std::uint8_t(ClipFormat::Picture);
    const auto both = std::uint8_t(text | std::uint8_t(ClipFormat::Rtf));
    struct Step {
        const char* what;
        std::function<void()> put;
        std::uint8_t formats;
        std::optional<std::string> text, rtf;
    } steps[] = {
        {"text and RTF", [&] { clip->SetTextAndRtf("Zażół gęśl", rtf); }, both, "Zażół gęśl", rtf},
        {"text alone", [&] { clip->SetText("tylko tekst\r\ndwa"); }, text, "tylko tekst\r\ndwa",
         std::nullopt},
        {"a picture", [&] { clip->SetPicture(Checkered()); }, picture, std::nullopt, std::nullopt},
        {"clear", [&] { clip->Clear(); }, 0, std::nullopt, std::nullopt},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.put();
        EXPECT_EQ(clip->Formats(), s.formats);
        EXPECT_EQ(clip->Has(ClipFormat::Rtf), s.rtf.has_value());
        EXPECT_EQ(clip->Text(), s.text);
        EXPECT_EQ(clip->Rtf(), s.rtf);
        EXPECT_EQ(clip->Picture().has_value(), (s.formats & picture) != 0);
    }
}

TEST_P(ClipboardConformance, APictureComesBackPixelForPixel) {
    ASSERT_NE(clip, nullptr);
    clip->SetPicture(Checkered());
    const std::optional<Image> back = clip->Picture();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, Checkered());
}

TEST_P(ClipboardConformance, TheSelectionBufferLeavesTheClipboardAlone) {
    ASSERT_NE(clip, nullptr);
    clip->SetText("na schowku");
    clip->SetSelection("zaznaczone słowo");
    EXPECT_EQ(clip->Text(), "na schowku");
    EXPECT_EQ(clip->Formats(), std::uint8_t(ClipFormat::Text));
    const std::optional<std::string> expected =
        clip->HasSelectionBuffer() ? std::optional<std::string>("zaznaczone słowo") : std::nullopt;
    EXPECT_EQ(clip->Selection(), expected);
    clip->Clear();
    EXPECT_EQ(clip->Selection(), expected) << "clearing the clipboard keeps the selection";
}

INSTANTIATE_TEST_SUITE_P(Backends, ClipboardConformance,
                         ::testing::Values(BackendMaker{"Headless", MakeHeadlessBackend},
                                           BackendMaker{"Qt", MakeQtBackend}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quindel::test
