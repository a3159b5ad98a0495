#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Collection.h"
#include "runtime/TestSupport.h"

namespace quindel {
namespace {

using test::ErrorNumberOf;

Collection<std::string> Abc() {
    Collection<std::string> c;
    c.Add("a", "Alfa");
    c.Add("b", "Beta");
    c.Add("c");
    c.Add("d", "Żółw");
    return c;
}

TEST(Collection, ErrorsByNumber) {
    struct Case {
        const char* what;
        void (*step)(Collection<std::string>&);
        int error;
    };
    const Case cases[] = {
        {"index 0", [](auto& c) { c.Item(0); }, 9},
        {"index past end", [](auto& c) { c.Item(5); }, 9},
        {"missing key", [](auto& c) { c.Item("Gamma"); }, 5},
        {"empty key", [](auto& c) { c.Item(""); }, 5},
        {"remove index", [](auto& c) { c.Remove(-1); }, 9},
        {"remove key", [](auto& c) { c.Remove("Gamma"); }, 5},
        {"duplicate key", [](auto& c) { c.Add("x", "ALFA"); }, 457},
        {"duplicate folded key", [](auto& c) { c.Add("x", "żÓŁW"); }, 457},
        {"two items without key", [](auto& c) { c.Add("x"); }, 0},
    };
    for (const Case& k : cases) {
        auto c = Abc();
        EXPECT_EQ(ErrorNumberOf([&] { k.step(c); }), k.error) << k.what;
    }
}

TEST(Collection, KeysAreCaseInsensitiveAndFollowRemovals) {
    auto c = Abc();
    EXPECT_EQ(c.Item("alfa"), "a");
    EXPECT_EQ(c.Item("ŻÓŁW"), "d");
    EXPECT_TRUE(c.Exists("BETA"));
    EXPECT_FALSE(c.Exists(""));

    c.Remove("beta");
    EXPECT_EQ(c.Count(), 3);
    EXPECT_FALSE(c.Exists("Beta"));
    EXPECT_EQ(c.Item(2), "c");
    EXPECT_EQ(c.Item("żółw"), "d");

    c.Remove(1);
    EXPECT_EQ(c.Item("Żółw"), "d");
    c.Add("b2", "Beta");  // a removed key is free again
    EXPECT_EQ(c.Item(c.Count()), "b2");

    std::vector<std::string> order;
    for (const auto& s : c) order.push_back(s);
    EXPECT_EQ(order, (std::vector<std::string>{"c", "d", "b2"}));

    c.Item("beta") = "changed";
    EXPECT_EQ(c.Item(3), "changed");
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_FALSE(c.Exists("Beta"));
}

TEST(Collection, LargeCollectionEmptiedFromTheFront) {
    constexpr int kCount = 100000;
    Collection<int> c;
    for (int i = 1; i <= kCount; ++i) c.Add(i, "k" + std::to_string(i));
    EXPECT_EQ(c.Item("K99999"), 99999);
    c.Remove(kCount / 2);
    EXPECT_EQ(c.Item("k99999"), 99999);
    EXPECT_EQ(c.Item(kCount / 2), kCount / 2 + 1);
    while (c.Count() > 1) c.Remove(1);
    EXPECT_EQ(c.Item(1), kCount);
    EXPECT_EQ(c.Item("k100000"), kCount);
}

}  // namespace
}  // namespace quindel
