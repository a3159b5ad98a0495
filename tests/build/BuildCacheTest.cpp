// The cache only ever saves work: what it stores comes back the same, and a damaged cache reads
// as empty rather than as wrong facts.
#include <gtest/gtest.h>

#include "BuildFixture.h"
#include "build/BuildCache.h"

namespace quindel::build::test {
namespace {

TEST_F(ContentFolder, CacheRoundTripAndDamage) {
    BuildCache c;
    c.buildStamp = 0xfedcba9876543210ULL;
    c.watched = {"ListaMM.lst", "media/with space.png"};
    c.packed["media/FOTO.BLB"] = 42;
    c.records["ListaMM.lst"] = 0x0123456789abcdefULL;
    c.index = {true, 73728, 1700000000123456789};
    c.probes["1:media/with space.png"] = {{true, 123, 456789},
                                          {FileKind::Picture, 6000, 4000, 0, 0, ""}};
    c.probes["3:f.webm"] = {{true, 9, 1},
                            {FileKind::Film, 0, 0, 0, 0, "GStreamer cannot play it: x y"}};
    const fs::path file = dir_ / "cache";
    ASSERT_TRUE(c.Save(file));
    const BuildCache back = BuildCache::Load(file);
    EXPECT_EQ(back.buildStamp, c.buildStamp);
    EXPECT_EQ(back.watched, c.watched);
    EXPECT_EQ(back.packed, c.packed);
    EXPECT_EQ(back.records, c.records);
    EXPECT_EQ(back.index, c.index);
    ASSERT_EQ(back.probes.size(), 2u);
    const CachedProbe& p = back.probes.at("1:media/with space.png");
    EXPECT_EQ(p.stamp, (FileStamp{true, 123, 456789}));
    EXPECT_EQ(p.probe.width, 6000);
    EXPECT_EQ(back.probes.at("3:f.webm").probe.error, "GStreamer cannot play it: x y");

    const std::string good = ReadFile(file);
    for (const std::string& damaged :
         {std::string(), good.substr(0, good.size() / 2) + "zz\n",
          "quindel-build-cache 2\n" + good.substr(good.find('\n') + 1), good + "probe 1 2\n",
          good + "index 1 2 3\n", good + "stamp 12zz\n"}) {
        WriteFile(file, damaged);
        const BuildCache empty = BuildCache::Load(file);
        EXPECT_EQ(empty.buildStamp, 0u);
        EXPECT_TRUE(empty.probes.empty() && empty.watched.empty());
    }
}

}  // namespace
}  // namespace quindel::build::test
