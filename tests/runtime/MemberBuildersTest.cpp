// A member kept in a field: what a caller writes is converted to the field's type and stored
// there, what it reads is the field; objects go by Set, values by Let.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/Coercions.h"
#include "runtime/MemberBuilders.h"
#include "runtime/TestSupport.h"

namespace quindel {
namespace {

using test::ErrorNumberOf;
using PT = ParamType;

class Kept : public TableDispatch {
  public:
    Kept() {
        Members<Kept> m(table(), this);
        m.Field("Flag", 1, PT::Boolean, flag);
        m.Field("Small", 2, PT::Integer, small);
        m.Field("Text", 3, PT::String, text);
        m.Field("Child", 4, PT::Object, child);
    }
    std::string TypeName() const override { return "Kept"; }

    bool flag = false;
    std::int16_t small = 1;
    std::string text;
    Object child;
};

TEST(MembersField, WritesLandInTheFieldConvertedAndReadsGiveItBack) {
    const auto k = std::make_shared<Kept>();
    const Object o = k;
    const struct {
        const char* name;
        Variant written;
        Variant read;
    } cases[] = {
        {"Flag", Variant(std::int32_t(-1)), Variant(true)},
        {"Small", Variant(std::string("7.5")), Variant(std::int16_t(8))},
        {"Text", Variant(std::int32_t(42)), Variant(std::string("42"))},
    };
    for (const auto& c : cases) {
        LetProperty(o, c.name, c.written);
        const Variant back = GetProperty(o, c.name);
        EXPECT_EQ(back.type(), c.read.type()) << c.name;
        EXPECT_EQ(CStr(back), CStr(c.read)) << c.name;
    }
    EXPECT_TRUE(k->flag);
    EXPECT_EQ(k->small, 8);
    EXPECT_EQ(k->text, "42");

    // A value out of the field's range is refused and the field keeps what it held.
    EXPECT_EQ(ErrorNumberOf([&] { LetProperty(o, "Small", std::int32_t(40000)); }), 6);
    EXPECT_EQ(k->small, 8);

    // An object field takes Set, not Let.
    SetProperty(o, "Child", Variant(o));
    EXPECT_EQ(k->child.get(), k.get());
    EXPECT_EQ(ErrorNumberOf([&] { LetProperty(o, "Child", Variant(o)); }), 438);
    k->child.reset();
}

}  // namespace
}  // namespace quindel
