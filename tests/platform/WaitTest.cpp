// The wait helpers on the headless clock: when a wait looks again, and that a wait that names
// its wake-up time is asked no more often than something happens or that time comes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Timer.h"
#include "platform/Wait.h"
#include "platform/headless/HarnessError.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel::platform;
using quindel::headless::HarnessError;
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

TEST(Wait, ATimeAlreadyPastAsksForNothing) {
    HeadlessPlatform p;
    bool fired = false;
    const auto timer = OnceAfter(p, 300, fired);
    const std::int64_t start = p.NowMs();
    int looks = 0;
    WaitForEvents(
        p, nullptr, [] { return true; },
        [&] {
            ++looks;
            return fired;
        },
        [&] { return start - 50; });
    EXPECT_EQ(looks, 1) << "straight to the timer, not stuck at a time gone by";
    EXPECT_EQ(p.NowMs() - start, 300);
}

TEST(Wait, AWaitOnEventsThatNothingCanEndStillMeetsTheStallLimit) {
    HeadlessPlatform p;
    EXPECT_THROW(WaitForEvents(
                     p, nullptr, [] { return true; }, [] { return false; },
                     [] { return Platform::kNoWake; }),
                 HarnessError);
}
