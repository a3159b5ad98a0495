#include <gtest/gtest.h>

#include <string>

#include "runtime/Coercions.h"
#include "runtime/ConnectionPoint.h"
#include "runtime/DispatchTable.h"
#include "runtime/TestSupport.h"

namespace quindel {
namespace {

using test::ErrorNumberOf;

// A late-bound host sink that handles only event 2.
class HostSink : public TableDispatch {
  public:
    explicit HostSink(std::string& log) {
        table().member("Click", 2, CallKind::Method, {{"Cancel", ParamType::Boolean, false, true}},
                       ParamType::None, [&log](CallKind, Args& a) {
                           log += "host ";
                           a[0] = true;
                           return Variant();
                       });
    }
};

class ConnectionPointTest : public ::testing::Test {
  protected:
    ConnectionPoint::TypedSink Logger(std::string name) {
        return [this, name](DispId id, Args&) { log += name + std::to_string(id) + " "; };
    }

    ConnectionPoint cp;
    std::string log;
};

TEST_F(ConnectionPointTest, SinksRunInConnectionOrderAndShareByRefArgs) {
    cp.Advise([this](DispId, Args& a) {
        log += "first ";
        a[0] = CInt(a[0]) + 1;
    });
    cp.Advise(Object(std::make_shared<HostSink>(log)));
    cp.Advise([this](DispId, Args& a) { log += "last:" + CStr(a[0]) + " "; });
    EXPECT_EQ(cp.Count(), 3);

    Args args{std::int16_t(0)};
    cp.Fire(2, args);
    EXPECT_EQ(log, "first host last:True ");
    EXPECT_EQ(args[0], Variant(true));

    // The host sink has no event 1: it is skipped, the others still run.
    log.clear();
    Args again{std::int16_t(0)};
    cp.Fire(1, again);
    EXPECT_EQ(log, "first last:1 ");
}

TEST_F(ConnectionPointTest, SinksMayDisconnectDuringFire) {
    std::uint32_t a = 0;
    std::uint32_t c = 0;
    a = cp.Advise([&](DispId, Args&) {
        log += "a ";
        cp.Unadvise(a);
        cp.Unadvise(c);
        cp.Advise(Logger("late"));  // joins after this Fire
    });
    cp.Advise(Logger("b"));
    c = cp.Advise(Logger("c"));

    Args args;
    cp.Fire(4, args);
    EXPECT_EQ(log, "a b4 ");
    EXPECT_EQ(cp.Count(), 2);

    log.clear();
    cp.Fire(3, args);
    EXPECT_EQ(log, "b3 late3 ");

    cp.Unadvise(a);  // already gone: harmless
    EXPECT_EQ(cp.Count(), 2);
}

TEST_F(ConnectionPointTest, SinkErrorsReachTheRaiser) {
    cp.Advise([](DispId, Args&) { Raise(380); });
    cp.Advise(Logger("never"));
    Args args;
    EXPECT_EQ(ErrorNumberOf([&] { cp.Fire(1, args); }), 380);
    EXPECT_EQ(log, "");
    EXPECT_EQ(ErrorNumberOf([&] { cp.Advise(Object{}); }), 91);
}

}  // namespace
}  // namespace quindel
