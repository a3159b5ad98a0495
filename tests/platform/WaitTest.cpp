// A wait that names its wake-up time looks again when something happens or that time comes, on
// the headless clock, and no more often.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Timer.h"
#include "platform/Wait.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel::platform;
using quindel::headless::HeadlessPlatform;

namespace {

// A timer that fires once, `ms` from now, and sets `flag`.
std::shared_ptr<Timer> OnceAfter(HeadlessPlatform& p, std::int64_t ms, bool& flag) {
    auto t = p.NewTimer();
    t->OnTimer = [t = t.get(), &flag] {
        t->setEnabled(false);
        flag = true;
    };
    t->setInterval(std::int32_t(ms));
    return t;
}

}  // namespace

TEST(Wait, AWaitOnEventsLooksWhenSomethingHappensOrAtItsTime) {
    struct Case {
        const char* name;
        std::int64_t wakeAfter;  // from the start; 0: no time of its own
        std::vector<std::int64_t> looks;
    } cases[] = {
        {"the time comes first", 100, {100, 300}},
        {"the event comes first", 500, {300}},
        {"no time of its own", 0, {300}},
        {"a time gone by asks for nothing", -50, {300}},
    };
    for (const Case& c : cases) {
        HeadlessPlatform p;
        bool fired = false;
        const auto timer = OnceAfter(p, 300, fired);
        const std::int64_t start = p.NowMs();
        std::vector<std::int64_t> looks;
        const bool done = WaitForEvents(
            p, nullptr, [] { return true; },
            [&] {
                looks.push_back(p.NowMs() - start);
                return fired;
            },
            [&] { return c.wakeAfter ? start + c.wakeAfter : Platform::kNoWake; });
        EXPECT_TRUE(done) << c.name;
        EXPECT_EQ(looks, c.looks) << c.name;
    }
}
