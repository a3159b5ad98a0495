#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>

#include "runtime/Coercions.h"
#include "runtime/DispatchTable.h"
#include "runtime/TestSupport.h"

namespace quindel {
namespace {

using test::ErrorNumberOf;
using enum CallKind;
using PT = ParamType;

// A small object declaring its members in its constructor, as the controls do.
class Sample : public TableDispatch {
  public:
    Sample() {
        table()
            .member("Caption", 1, Get | Let, {}, PT::String,
                    [this](CallKind k, Args& a) { return Property(caption, k, a); })
            .member("ToolTipPulsante", 2, Get | Let, {{"Indice", PT::Integer}}, PT::String,
                    [this](CallKind k, Args& a) { return Property(tips[CInt(a[0])], k, a); })
            .member("Raddoppia", 3, Method, {{"Valore", PT::Long, false, true}}, PT::None,
                    [this](CallKind, Args& a) {
                        ++calls;
                        a[0] = CLng(a[0]) * 2;
                        return Variant("ignored");
                    })
            .member("Somma", 4, Method, {{"A", PT::Integer}, {"B", PT::Integer, true}}, PT::Long,
                    [this](CallKind, Args& a) {
                        ++calls;
                        lastBMissing = a[1].isMissing();
                        const auto sum = std::int16_t(CInt(a[0]) + (lastBMissing ? 0 : CInt(a[1])));
                        a[0] = std::int16_t(0);  // by value: the caller must not see this
                        return Variant(sum);
                    })
            .member("Figlio", 5, Get | Set, {}, PT::Object,
                    [this](CallKind k, Args& a) { return Property(child, k, a); })
            .member("Attivo", 6, Get | Let, {}, PT::Boolean,
                    [this](CallKind k, Args& a) { return Property(active, k, a); });
    }
    std::string TypeName() const override { return "Sample"; }

    Variant caption = "";
    std::map<int, Variant> tips;
    Variant child = nullptr;
    Variant active = false;
    int calls = 0;
    bool lastBMissing = false;

  private:
    static Variant Property(Variant& field, CallKind k, Args& a) {
        if (k == Get) return field;
        field = a.back();
        return {};
    }
};

class DispatchTest : public ::testing::Test {
  protected:
    std::shared_ptr<Sample> sample = std::make_shared<Sample>();
    Object obj = sample;
};

TEST_F(DispatchTest, NamesAreCaseInsensitive) {
    EXPECT_EQ(obj->GetIDOfName("caption"), 1);
    EXPECT_EQ(obj->GetIDOfName("TOOLTIPPULSANTE"), 2);
    LetProperty(obj, "CAPTION", "Ciao");
    EXPECT_EQ(GetProperty(obj, "Caption"), Variant("Ciao"));
    EXPECT_EQ(Variant(obj).TypeName(), "Sample");
}

TEST_F(DispatchTest, ErrorsAreRaisedBeforeTheHandlerRuns) {
    struct Case {
        const char* what;
        std::function<void(const Object&)> step;
        int error;
    };
    const Case cases[] = {
        {"unknown name", [](const Object& o) { GetProperty(o, "Nessuno"); }, 438},
        {"unknown id",
         [](const Object& o) {
             Args a;
             o->Invoke(99, Method, a);
         },
         438},
        {"unsupported kind", [](const Object& o) { SetProperty(o, "Caption", nullptr); }, 438},
        {"let on a method", [](const Object& o) { LetProperty(o, "Somma", 1); }, 438},
        {"combined kinds",
         [](const Object& o) {
             Args a;
             o->Invoke(1, Get | Let, a);
         },
         438},
        {"Nothing", [](const Object&) { CallMethod(Object{}, "Somma", 1); }, 91},
        {"no arguments", [](const Object& o) { CallMethod(o, "Somma"); }, 449},
        {"required left out",
         [](const Object& o) { CallMethod(o, "Somma", Variant::Missing(), 1); }, 449},
        {"missing index", [](const Object& o) { GetProperty(o, "ToolTipPulsante"); }, 449},
        {"too many", [](const Object& o) { CallMethod(o, "Somma", 1, 2, 3); }, 450},
        {"let without value",
         [](const Object& o) {
             Args a;
             o->Invoke(1, Let, a);
         },
         450},
        {"mismatch", [](const Object& o) { CallMethod(o, "Somma", "abc"); }, 13},
        {"overflow", [](const Object& o) { CallMethod(o, "Somma", 40000); }, 6},
        {"object expected", [](const Object& o) { SetProperty(o, "Figlio", 5); }, 13},
        {"empty for object", [](const Object& o) { SetProperty(o, "Figlio", Variant()); }, 13},
        {"bad let value", [](const Object& o) { LetProperty(o, "Attivo", "forse"); }, 13},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorNumberOf([&] { c.step(obj); }), c.error) << c.what;
    }
    EXPECT_EQ(sample->calls, 0);
}

TEST_F(DispatchTest, ByRefArgumentsAreWrittenBack) {
    Args args{21};
    CallMethod(obj, "Raddoppia", args);
    EXPECT_EQ(args[0], Variant(42));

    // The caller's by-ref slot receives the declared type.
    Args small{std::int16_t(5)};
    EXPECT_EQ(CallMethod(obj, "raddoppia", small), Variant());  // a Sub returns Empty
    EXPECT_EQ(small[0], Variant(10));

    Args byValue{"7", std::int16_t(1)};
    EXPECT_EQ(CallMethod(obj, "Somma", byValue), Variant(8));
    EXPECT_EQ(byValue[0], Variant("7"));
}

TEST_F(DispatchTest, OmittedOptionalsArriveAsMissing) {
    EXPECT_EQ(CallMethod(obj, "Somma", 5), Variant(5));  // result coerced to Long
    EXPECT_TRUE(sample->lastBMissing);
    EXPECT_EQ(CallMethod(obj, "Somma", 5, Variant::Missing()), Variant(5));
    EXPECT_TRUE(sample->lastBMissing);
    EXPECT_EQ(CallMethod(obj, "Somma", 5, 2.5), Variant(7));  // 2.5 rounds to 2
    EXPECT_FALSE(sample->lastBMissing);
}

TEST_F(DispatchTest, ValuesAreCoercedToDeclaredTypes) {
    LetProperty(obj, "ToolTipPulsante", 123, {"3"});
    EXPECT_EQ(GetProperty(obj, "ToolTipPulsante", {3.0}), Variant("123"));

    LetProperty(obj, "Attivo", std::int16_t(1));  // any non-zero is True
    EXPECT_EQ(GetProperty(obj, "Attivo"), Variant(true));

    auto other = std::make_shared<Sample>();
    SetProperty(obj, "Figlio", other);
    EXPECT_EQ(GetProperty(obj, "Figlio"), Variant(other));
    SetProperty(obj, "Figlio", nullptr);
    EXPECT_EQ(GetProperty(obj, "Figlio"), Variant(nullptr));
}

TEST(DispatchTable, DescribeInterfaceListsEveryKind) {
    const auto none = [](CallKind, Args&) { return Variant(); };
    DispatchTable t;
    t.member("Controllo3DFoto360", 0x68030093, Get | Set, {}, PT::Object, none)
        .member("CLickLista", 0x6003006e, Method, {{"IndiceLista", PT::Integer, false, true}},
                PT::None, none)
        .member("ToolTipPulsante", 0x6803004F, Get | Let, {{"Indice", PT::Integer}}, PT::String,
                none)
        .member("Trova", 7, Method, {{"Testo", PT::String}, {"Da", PT::Long, true}}, PT::Boolean,
                none);
    EXPECT_EQ(DescribeInterface(t, "_Quindel", false),
              "dispinterface _Quindel {\n"
              "    [id(0x68030093), propget] Object Controllo3DFoto360();\n"
              "    [id(0x68030093), propputref] void Controllo3DFoto360([in] Object value);\n"
              "    [id(0x6003006e)] void CLickLista([in, out] Integer* IndiceLista);\n"
              "    [id(0x6803004f), propget] String ToolTipPulsante([in] Integer Indice);\n"
              "    [id(0x6803004f), propput] void ToolTipPulsante([in] Integer Indice, "
              "[in] String value);\n"
              "    [id(0x00000007)] Boolean Trova([in] String Testo, [in, optional] Long Da);\n"
              "};\n");

    DispatchTable events;
    events.member("Click", 1, Method, {{"Cancel", PT::Boolean, false, true}}, PT::None, none);
    EXPECT_EQ(DescribeInterface(events, "__Quindel", true),
              "dispinterface __Quindel {\n"
              "    [id(0x00000001)] void Click([in, out] Boolean* Cancel);\n"
              "};\n");
}

TEST(DispatchTable, DeclaringAMemberTwiceIsAProgrammingError) {
    const auto none = [](CallKind, Args&) { return Variant(); };
    DispatchTable t;
    t.member("Uno", 1, Get, {}, PT::Long, none);
    EXPECT_THROW(t.member("Due", 1, Get, {}, PT::Long, none), std::invalid_argument);
    EXPECT_THROW(t.member("UNO", 2, Get, {}, PT::Long, none), std::invalid_argument);
    EXPECT_THROW(t.member("Tre", 3, Get, {}, PT::Long, nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace quindel
