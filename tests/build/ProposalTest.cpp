// A proposed manifest: types from the files' content (not their names), titles from their names,
// and text the builder itself reads without a fault.
#include <gtest/gtest.h>

#include "BuildFixture.h"
#include "build/Manifest.h"
#include "build/Proposal.h"

namespace quindel::build::test {
namespace {

TEST_F(ContentFolder, ProposesTypesFromContentAndParsesBack) {
    WriteFile(dir_ / "pano/wide_view.dat", samplegen::EncodeJpeg(platform::Image(80, 40)));
    WriteFile(dir_ / "photo.png", samplegen::EncodeJpeg(platform::Image(60, 40)));  // misnamed
    WriteFile(dir_ / "maps/river-map.bmp", samplegen::EncodeBmp(platform::Image(10, 10)));
    WriteFile(dir_ / "notes.bin", "nothing the viewer opens");
    WriteFile(dir_ / ".hidden/x.png", Png(4, 4));
    WriteFile(dir_ / "ListaMM.lst", std::string(1578, ' '));
    const std::string text = ProposeManifest(dir_, 2);
    Diagnostics d;
    const Manifest m = ParseManifest(text, dir_ / kManifestName, d);
    ASSERT_FALSE(d.HasErrors()) << d.Items().front().Text() << "\n" << text;
    std::map<std::string, std::string> types;
    for (const ManifestObject& o : m.objects) types[o.file] = std::string(o.type.code);
    const std::map<std::string, std::string> expected{
        {"maps/river-map.bmp", "MA"}, {"media/a.png", "DI"},        {"media/anim.gif", "AN"},
        {"media/b.png", "DI"},        {"pano/wide_view.dat", "F3"}, {"photo.png", "FO"},
        {"texts/t1.rtf", "TA"}};
    EXPECT_EQ(types, expected);
    EXPECT_EQ(m.articles, std::vector<std::string>{"Haslo.txt"});
    EXPECT_NE(text.find("#   notes.bin"), std::string::npos);
}

TEST(Proposal, TitlesFromFileNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"river_bank-02.jpg", "River bank 02"},
        {"__a__b.png", "A b"},
        {"Wisła.gif", "Wisła"},
        {"noext", "Noext"},
    };
    for (const auto& [name, title] : cases) EXPECT_EQ(TitleFromFileName(name), title) << name;
}

TEST(Proposal, TomlStringsSurviveQuotesBackslashesAndControls) {
    const std::string nasty = "a \"b\" c:\\d\te\x01";
    Diagnostics d;
    const Manifest m =
        ParseManifest("[entry]\ncode = " + TomlString(nasty) + "\n", "quindel.toml", d);
    ASSERT_FALSE(d.HasErrors());
    EXPECT_EQ(m.code, nasty);
}

}  // namespace
}  // namespace quindel::build::test
