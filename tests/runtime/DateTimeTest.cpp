#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "runtime/DateTime.h"

namespace quindel {
namespace {

// Runs the test in a fixed time zone and restores the previous one.
class TimeZone {
  public:
    explicit TimeZone(const char* tz) {
        if (const char* old = std::getenv("TZ")) saved_ = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~TimeZone() {
        saved_ ? setenv("TZ", saved_->c_str(), 1) : unsetenv("TZ");
        tzset();
    }

  private:
    std::optional<std::string> saved_;
};

TEST(DateTime, FormatDataOraUsesLocalTime) {
    struct Case {
        const char* tz;
        std::time_t t;
        const char* expected;
    };
    const Case cases[] = {
        {"UTC", 0, "01-01-1970 00:00:00"},
        {"UTC", 1700000000, "14-11-2023 22:13:20"},
        {"UTC", 951782400, "29-02-2000 00:00:00"},
        {"CET-1", 1700000000, "14-11-2023 23:13:20"},
        {"CET-1", 1703980799, "31-12-2023 00:59:59"},
    };
    for (const Case& c : cases) {
        TimeZone zone(c.tz);
        EXPECT_EQ(FormatDataOra(c.t), c.expected) << c.tz << " " << c.t;
    }
}

}  // namespace
}  // namespace quindel
