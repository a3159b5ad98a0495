// The font object: Bold and Weight as one setting, sizes and weights out of range refused, and the
// same members reached by name and by the usual font ids.
#include <gtest/gtest.h>

#include <memory>

#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/FontObject.h"
#include "runtime/VbError.h"

namespace quindel {
namespace {

TEST(FontObject, BoldAndWeightAreOneSettingAndBadValuesAreRefused) {
    const struct {
        const char* member;
        Variant value;
        int error;            // 0: taken
        std::int16_t weight;  // afterwards
        bool bold;
    } cases[] = {
        {"Bold", Variant(true), 0, 700, true},
        {"Bold", Variant(false), 0, 400, false},
        {"Weight", Variant(std::int16_t(600)), 0, 600, true},
        {"Weight", Variant(std::int16_t(599)), 0, 599, false},
        {"Weight", Variant(std::int16_t(1001)), 380, 400, false},
        {"Size", Variant(0.0), 380, 400, false},
        {"Size", Variant(2161.0), 380, 400, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.member));
        auto font = std::make_shared<FontObject>();
        const Object obj = font;
        try {
            LetProperty(obj, c.member, c.value);
            EXPECT_EQ(c.error, 0);
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), c.error);
        }
        EXPECT_EQ(font->fields().weight, c.weight);
        EXPECT_EQ(CBool(GetProperty(obj, "Bold")), c.bold);
        EXPECT_EQ(font->fields().size, 12);
    }
}

TEST(FontObject, NamesAndIdsReachTheSameMembers) {
    const Object obj = std::make_shared<FontObject>();
    const struct {
        const char* name;
        DispId id;
    } members[] = {{"Name", 0},      {"Size", 2},          {"Bold", 3},   {"Italic", 4},
                   {"Underline", 5}, {"Strikethrough", 6}, {"Weight", 7}, {"Charset", 8}};
    for (const auto& m : members) EXPECT_EQ(obj->GetIDOfName(m.name), m.id) << m.name;
    LetProperty(obj, "Name", Variant(std::string("Arial")));
    Args none;
    EXPECT_EQ(CStr(obj->Invoke(0, CallKind::Get, none)), "Arial");
}

}  // namespace
}  // namespace quindel
