// The sample's manifest, as its generator writes it, builds the very lists that are committed:
// the builder reproduces them byte for byte, so every test that runs on the sample means what it
// meant when the generator wrote the lists itself.
#include <gtest/gtest.h>

#include "BuildFixture.h"
#include "MediaSamples.h"
#include "SampleManifest.h"
#include "WislaLinks.h"
#include "WislaMedia.h"
#include "build/ContentPlan.h"
#include "build/Manifest.h"

namespace quindel::build::test {
namespace {

class SampleRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("QUINDEL_CODEPAGE", "CP1250", 1);
        objects_ = samplegen::WislaMedia();
        media_ = samplegen::Records(objects_);
        samplegen::NameMediaSamples(media_);
        links_ = samplegen::WislaLinks();
        Diagnostics d;
        const fs::path file = fs::path(QUINDEL_SAMPLE_DIR) / kManifestName;
        manifest_ = ParseManifest(samplegen::SampleManifest(objects_, media_, links_), file, d);
        ASSERT_FALSE(d.HasErrors()) << d.Items().front().Text();
        plan_ = PlanContent(manifest_);
    }
    static std::string Bytes(const std::vector<hostkit::VoceLista>& records) {
        std::string bytes;
        for (const auto& v : records) bytes += hostkit::RecordLista(v);
        return bytes;
    }

    std::vector<samplegen::MediaObject> objects_;
    std::vector<hostkit::VoceLista> media_, links_;
    Manifest manifest_;
    ContentPlan plan_;
};

TEST_F(SampleRoundTrip, BuildsTheCommittedListsByteForByte) {
    const struct {
        const char* file;
        const std::vector<hostkit::VoceLista>& built;
        const std::vector<hostkit::VoceLista>& generated;
    } lists[] = {{"ListaMM.lst", plan_.media, media_}, {"ListaLemmi.lst", plan_.links, links_}};
    for (const auto& l : lists) {
        const std::string committed = ReadFile(fs::path(QUINDEL_SAMPLE_DIR) / l.file);
        ASSERT_FALSE(committed.empty()) << l.file;
        EXPECT_EQ(Bytes(l.built), Bytes(l.generated)) << l.file;
        EXPECT_TRUE(Bytes(l.built) == committed) << l.file << " differs from the committed list";
    }
}

TEST_F(SampleRoundTrip, PositionAndPackedFilesAreWhereTheRecordsSay) {
    EXPECT_EQ(plan_.positionFiles.at("media/panoramy/PosQTVR.bin").substr(0, 25),
              "PANO01.JPG     420  720\r\n");
    EXPECT_EQ(plan_.positionFiles.at("media/interakt/PosDCR.bin").substr(0, 27),
              "INTER01.GIF    360  48036\r\n");
    ASSERT_EQ(plan_.packedFiles.size(), 2u);
    const auto& photos = plan_.packedFiles.at("media/FOTO.BLB");
    ASSERT_FALSE(photos.empty());
    EXPECT_EQ(photos.front().source, "media/packed/FOTO/" + photos.front().name);
}

}  // namespace
}  // namespace quindel::build::test
