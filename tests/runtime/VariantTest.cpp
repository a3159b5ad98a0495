#include <gtest/gtest.h>

#include "runtime/Dispatch.h"
#include "runtime/Variant.h"

namespace quindel {
namespace {

class Named : public Dispatch {
  public:
    DispId GetIDOfName(std::string_view) const override { return 0; }
    Variant Invoke(DispId, CallKind, Args&) override { return {}; }
    std::string TypeName() const override { return "Named"; }
};

TEST(Variant, TypesAndTypeNames) {
    struct Case {
        Variant v;
        VarType type;
        const char* name;
        bool numeric;
    };
    const Case cases[] = {
        {Variant(), VarType::Empty, "Empty", false},
        {Variant::Null(), VarType::Null, "Null", false},
        {Variant::Missing(), VarType::Missing, "Error", false},
        {true, VarType::Boolean, "Boolean", true},
        {std::uint8_t(1), VarType::Byte, "Byte", true},
        {std::int16_t(1), VarType::Integer, "Integer", true},
        {1, VarType::Long, "Long", true},
        {1.0f, VarType::Single, "Single", true},
        {1.0, VarType::Double, "Double", true},
        {"x", VarType::String, "String", false},
        {std::string_view("x"), VarType::String, "String", false},
        {nullptr, VarType::Object, "Nothing", false},
        {std::make_shared<Named>(), VarType::Object, "Named", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.v.type(), c.type) << c.name;
        EXPECT_EQ(c.v.TypeName(), c.name);
        EXPECT_EQ(c.v.isNumeric(), c.numeric) << c.name;
    }
}

TEST(Variant, EqualityComparesTypeAndValue) {
    auto obj = std::make_shared<Named>();
    EXPECT_EQ(Variant(std::int16_t(1)), Variant(std::int16_t(1)));
    EXPECT_NE(Variant(std::int16_t(1)), Variant(1));
    EXPECT_NE(Variant(), Variant::Null());
    EXPECT_NE(Variant::Null(), Variant::Missing());
    EXPECT_EQ(Variant(obj), Variant(Object(obj)));
    EXPECT_NE(Variant(obj), Variant(std::make_shared<Named>()));
    EXPECT_EQ(Variant("a"), Variant(std::string("a")));
}

TEST(Variant, AccessorsMatchOnlyTheStoredType) {
    const Variant v(std::int16_t(7));
    ASSERT_NE(v.asIntegerPtr(), nullptr);
    EXPECT_EQ(*v.asIntegerPtr(), 7);
    EXPECT_EQ(v.asLongPtr(), nullptr);
    EXPECT_EQ(v.asStringPtr(), nullptr);
}

TEST(Variant, BooleansCrossAsSixteenBits) {
    EXPECT_EQ(ToVbBool(true), -1);
    EXPECT_EQ(ToVbBool(false), 0);
    EXPECT_TRUE(FromVbBool(1));
    EXPECT_TRUE(FromVbBool(-1));
    EXPECT_FALSE(FromVbBool(0));
}

}  // namespace
}  // namespace quindel
