// The Lua bridge against a recording fake object: conversions both ways, by-reference arguments
// of methods and events, run-time errors as Lua errors, releasing objects, and no reference left
// behind by a call that fails.
#include <gtest/gtest.h>

#include <map>

#include "HeadlessBackend.h"
#include "LuaHost.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/ConnectionPoint.h"
#include "runtime/EventSource.h"
#include "runtime/MemberBuilders.h"
#include "runtime/VbError.h"

namespace quindel::lua {
namespace {

using PT = ParamType;

class Fake final : public TableDispatch, public EventSource {
  public:
    explicit Fake(platform::Platform& p) {
        DispatchTable& t = table();
        // A message box, as a component shows one.
        t.member("Ask", 10, CallKind::Method, {ByVal("text", PT::String)}, PT::Integer,
                 [&p](CallKind, Args& a) {
                     return Variant(p.Box().Show(CStr(a[0]), platform::mb::RetryCancel, "Fake"));
                 });
        t.member("Swap", 1, CallKind::Method, {ByRef("a", PT::Variant), ByRef("b", PT::Variant)},
                 PT::None, [](CallKind, Args& a) {
                     std::swap(a[0], a[1]);
                     return Variant();
                 });
        t.member("Echo", 2, CallKind::Method, {OptionalByVal("v")}, PT::Variant,
                 [this](CallKind, Args& a) {
                     last_ = a[0];
                     return a[0];
                 });
        t.member("Value", 3, CallKind::Get | CallKind::Let | CallKind::Set, {}, PT::Variant,
                 [this](CallKind k, Args& a) {
                     if (k == CallKind::Get) return last_;
                     last_ = a.back();
                     return Variant();
                 });
        t.member("LastType", 4, CallKind::Get, {}, PT::String,
                 [this](CallKind, Args&) { return Variant(last_.TypeName()); });
        t.member("Item", 5, CallKind::Get | CallKind::Let, {ByVal("i", PT::Long)}, PT::String,
                 [this](CallKind k, Args& a) {
                     if (k == CallKind::Get) return Variant(items_[CLng(a[0])]);
                     items_[CLng(a[0])] = CStr(a[1]);
                     return Variant();
                 });
        t.member("Fire", 6, CallKind::Method, {}, PT::None, [this](CallKind, Args&) {
            Args a{Variant(std::int16_t(7)), Variant("s")};
            events_.Fire(1, a);
            fired_ = a;
            return Variant();
        });
        t.member("Fired", 7, CallKind::Get, {ByVal("i", PT::Long)}, PT::Variant,
                 [this](CallKind, Args& a) { return fired_.at(std::size_t(CLng(a[0]))); });
        t.member("Fail", 8, CallKind::Method, {ByVal("n", PT::Long)}, PT::None,
                 [](CallKind, Args& a) -> Variant { Raise(CLng(a[0]), "Fake"); });
        t.member("Child", 9, CallKind::Get | CallKind::Set, {}, PT::Object,
                 [this](CallKind k, Args& a) {
                     if (k == CallKind::Get) return Variant(child_);
                     last_ = a.back();
                     child_ = a.back().isObject() ? *a.back().asObjectPtr() : Object();
                     return Variant();
                 });
        eventTable_.member("Changed", 1, CallKind::Method,
                           {ByRef("x", PT::Integer), ByRef("s", PT::String)}, PT::None,
                           [](CallKind, Args&) { return Variant(); });
    }
    std::string TypeName() const override { return "Fake"; }
    const DispatchTable& EventInterface() const override { return eventTable_; }
    std::uint32_t AdviseSink(Object sink) override { return events_.Advise(std::move(sink)); }
    void UnadviseSink(std::uint32_t cookie) override { events_.Unadvise(cookie); }

  private:
    Variant last_;
    std::map<std::int32_t, std::string> items_;
    Args fired_;
    Object child_;
    ConnectionPoint events_;
    DispatchTable eventTable_;
};

class Bridge : public ::testing::Test {
  protected:
    Bridge() { host_.SetGlobal("fake", fake_); }
    ~Bridge() override { host_.RunString("fake = nil", "=test"); }
    // Runs a chunk; true when it ran to its end.
    bool Run(const std::string& code) { return host_.RunString(code, "=test") == 0; }

    HeadlessBackend backend_;
    LuaHost host_{backend_};
    std::shared_ptr<Fake> fake_ = std::make_shared<Fake>(backend_.P());
};

TEST_F(Bridge, ValuesConvertBothWaysAsTheTableSays) {
    EXPECT_TRUE(Run(R"(
        -- value sent, TypeName the object sees, value that comes back
        local cases = {
          {1, "Long", 1}, {-2147483648, "Long", -2147483648}, {2^31, "Double", 2147483648.0},
          {1.5, "Double", 1.5}, {"x", "String", "x"}, {"", "String", ""},
          {true, "Boolean", true}, {false, "Boolean", false}, {Null, "Null", Null},
          {fake, "Fake", fake}, {Nothing, "Nothing", nil},
        }
        for i, c in ipairs(cases) do
          local back = fake:Echo(c[1])
          assert(fake.LastType == c[2], i .. ": " .. fake.LastType)
          assert(back == c[3], i)
          assert(math.type(back) == math.type(c[3]), i)
        end
        assert(fake:Echo() == nil and fake.LastType == "Error", "an omitted argument is Missing")
        assert(fake:Echo(nil) == nil and fake.LastType == "Error", "nil as an argument is Missing")
        fake.Value = nil
        assert(fake.LastType == "Empty", "nil as a property value is Empty")
        fake.Child = fake
        assert(fake.Child == fake and rawequal(fake.Child, fake), "one userdata per object")
        fake.Child = nil
        assert(fake.LastType == "Nothing" and fake.Child == nil, "nil set to an object is Nothing")
        local ok, e = pcall(function() fake:Echo({}) end)
        assert(not ok and e.number == 13, "a table has no Variant form")
    )"));
}

TEST_F(Bridge, MethodsReturnTheirByReferenceArgumentsAfterTheResult) {
    EXPECT_TRUE(Run(R"(
        local r, a, b = fake:Swap(1, "two")
        assert(r == nil and a == "two" and b == 1)
        local n = select("#", fake:Echo(5))
        assert(n == 1, "a by-value argument adds no result")
        fake.Item[3] = "three"
        assert(fake.Item[3] == "three" and fake:Item(3) == "three" and fake.Item(3) == "three")
        local ok, e = pcall(function() fake.Swap = 1 end)
        assert(not ok and e.number == 450, "a method is not assignable")
        ok, e = pcall(function() return fake.Echo.x end)
        assert(not ok)
    )"));
}

TEST_F(Bridge, EventHandlersChangeByReferenceArgumentsByReturningValues) {
    EXPECT_TRUE(Run(R"(
        local seen = {}
        fake.events.Changed = function(x, s) seen = {x, s}; return x + 1, s .. "!" end
        fake:Fire()
        assert(seen[1] == 7 and seen[2] == "s")
        assert(fake.Fired[0] == 8 and fake.Fired[1] == "s!")
        assert(math.type(fake.Fired[0]) == "integer")
        fake.events.Changed = function(x) return nil, "only the second" end
        fake:Fire()
        assert(fake.Fired[0] == 7 and fake.Fired[1] == "only the second")
        fake.events.Changed = nil
        fake:Fire()
        assert(fake.Fired[1] == "s", "no handler, nothing changed")
        assert(#host.errors() == 0)
    )"));
}

TEST_F(Bridge, AFailingHandlerIsReportedAndTheCallerGoesOn) {
    EXPECT_TRUE(Run(R"(
        fake.events.Changed = function() error("handler broke") end
        fake:Fire()
        fake.events.Changed = function() return "not a number" end
        fake:Fire()
        fake.events.Changed = function() fake:Fail(5) end
        fake:Fire()
        local errors = host.errors()
        assert(#errors == 3, #errors)
        assert(errors[1]:find("Changed") and errors[1]:find("test:2: handler broke"), errors[1])
        assert(errors[2]:find("Type mismatch"), errors[2])
        assert(errors[3]:find("run%-time error 5"), errors[3])
        assert(fake.Fired[0] == 7, "a value that does not convert changes nothing")
    )"));
}

TEST_F(Bridge, RunTimeErrorsAreCatchableObjectsNamingTheLine) {
    EXPECT_TRUE(Run(R"(
        local ok, e = pcall(function() fake:Fail(53) end)
        assert(not ok and e.number == 53 and e.description == "File not found")
        assert(e.source == "Fake")
        assert(tostring(e) == "test:2: run-time error 53: File not found", tostring(e))
        ok, e = pcall(function() return fake.NoSuchMember end)
        assert(not ok and e.number == 438)
        ok, e = pcall(function() return fake.Swap(1, 2) end)
        assert(not ok and type(e) == "string" and e:find("':'"), tostring(e))
    )"));
}

TEST_F(Bridge, AReleasedObjectRaisesInsteadOfCrashing) {
    EXPECT_TRUE(Run(R"(
        local same = fake
        Release(fake)
        local ok, e = pcall(function() return same.Value end)
        assert(not ok and e.number == 91, tostring(e))
        ok, e = pcall(function() same:Echo(1) end)
        assert(not ok and e.number == 91)
        Release(same)
        Release(nil)
    )"));
    EXPECT_EQ(fake_.use_count(), 1);
}

TEST_F(Bridge, FailedCallsLeaveNoReferenceBehind) {
    ASSERT_TRUE(Run("collectgarbage()"));
    const long before = fake_.use_count();
    EXPECT_TRUE(Run(R"(
        for i = 1, 200 do
          pcall(function() fake:Fail(5) end)
          pcall(function() return fake.Missing end)
          pcall(function() fake:Echo({}) end)
          pcall(function() fake.Child = 3 end)
        end
        collectgarbage()
    )"));
    EXPECT_EQ(fake_.use_count(), before);
    EXPECT_TRUE(Run("fake = nil; collectgarbage(); collectgarbage()"));
    EXPECT_EQ(fake_.use_count(), 1) << "the collected userdata lets the object go";
}

TEST_F(Bridge, MessageBoxesTakeQueuedAnswersAndAreRecorded) {
    EXPECT_TRUE(Run(R"(
        host.answer(vbRetry, vbCancel)
        assert(fake:Ask("first") == vbRetry)
        assert(fake:Ask("second") == vbCancel)
        assert(fake:Ask("third") == vbCancel, "with the queue empty, as Escape")
        local boxes = host.boxes()
        assert(#boxes == 3)
        assert(boxes[1].text == "first" and boxes[1].title == "Fake" and boxes[1].answer == 4)
        assert(boxes[1].style == 5)
        host.clearboxes()
        assert(#host.boxes() == 0)
    )"));
}

}  // namespace
}  // namespace quindel::lua
