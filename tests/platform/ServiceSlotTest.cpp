// Services above the platform sit one to a type: each caller gets back the service of the type it
// names, or null, and emptying or replacing one slot leaves the others alone.
#include <gtest/gtest.h>

#include <memory>

#include "platform/headless/HeadlessPlatform.h"

namespace {

struct Engine {
    int id = 0;
};
struct Mark {};
// The same shape as Engine, another service: a type, not a layout, names the slot.
struct OtherEngine {
    int id = 0;
};

TEST(ServiceSlots, EachTypeKeepsItsOwnServiceAndLetsGoOfWhatItReplaces) {
    quindel::headless::HeadlessPlatform p;
    EXPECT_EQ(p.Service<Engine>(), nullptr);

    auto first = std::make_shared<Engine>(Engine{1});
    const std::weak_ptr<Engine> firstAlive = first;
    p.setService(std::move(first));
    p.setService(std::make_shared<OtherEngine>(OtherEngine{2}));
    p.setService(std::make_shared<Mark>());
    ASSERT_NE(p.Service<Engine>(), nullptr);
    EXPECT_EQ(p.Service<Engine>()->id, 1);
    EXPECT_EQ(p.Service<OtherEngine>()->id, 2);

    p.setService(std::make_shared<Engine>(Engine{3}));
    EXPECT_TRUE(firstAlive.expired()) << "a replaced service is released";
    EXPECT_EQ(p.Service<Engine>()->id, 3);

    p.setService(std::shared_ptr<Engine>());
    EXPECT_EQ(p.Service<Engine>(), nullptr);
    EXPECT_EQ(p.Service<OtherEngine>()->id, 2);
    EXPECT_NE(p.Service<Mark>(), nullptr);
}

}  // namespace
