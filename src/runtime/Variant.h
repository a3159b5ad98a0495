#pragma once
// The one value type of the late-binding world: every argument, property value and
// result that crosses a Dispatch boundary is a Variant.
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace quindel {

class Dispatch;
using Object = std::shared_ptr<Dispatch>;

// Declared in the same order as the alternatives held by Variant, so type() is an index.
enum class VarType {
    Empty,
    Null,
    Missing,
    Boolean,
    Byte,
    Integer,
    Long,
    Single,
    Double,
    String,
    Object
};

// Booleans travel as 16-bit -1/0 across the late-binding boundary.
constexpr std::int16_t kVbTrue = -1;
constexpr std::int16_t kVbFalse = 0;
constexpr std::int16_t ToVbBool(bool b) {
    return b ? kVbTrue : kVbFalse;
}
// Any non-zero value received counts as True, not just -1.
constexpr bool FromVbBool(std::int32_t v) {
    return v != 0;
}

class Variant {
  public:
    Variant() = default;
    Variant(bool v) : value_(std::in_place_type<bool>, v) {}
    Variant(std::uint8_t v) : value_(std::in_place_type<std::uint8_t>, v) {}
    Variant(std::int16_t v) : value_(std::in_place_type<std::int16_t>, v) {}
    Variant(std::int32_t v) : value_(std::in_place_type<std::int32_t>, v) {}
    Variant(float v) : value_(std::in_place_type<float>, v) {}
    Variant(double v) : value_(std::in_place_type<double>, v) {}
    Variant(std::string v) : value_(std::in_place_type<std::string>, std::move(v)) {}
    Variant(const char* v) : value_(std::in_place_type<std::string>, v) {}
    Variant(std::string_view v) : value_(std::in_place_type<std::string>, v) {}
    Variant(Object v) : value_(std::in_place_type<Object>, std::move(v)) {}
    Variant(std::nullptr_t) : value_(std::in_place_type<Object>) {}
    // Lets a shared_ptr to any concrete Dispatch class be passed where a Variant is wanted.
    template <std::derived_from<Dispatch> T>
    Variant(std::shared_ptr<T> v) : value_(std::in_place_type<Object>, std::move(v)) {}
    // Any other pointer would silently become a Boolean.
    Variant(const void*) = delete;

    static Variant Null();
    static Variant Missing();

    VarType type() const { return static_cast<VarType>(value_.index()); }
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isMissing() const { return type() == VarType::Missing; }
    bool isNumeric() const;
    bool isObject() const { return type() == VarType::Object; }
    bool isString() const { return type() == VarType::String; }

    // The stored value when the type matches, else nullptr.
    const bool* asBoolPtr() const { return std::get_if<bool>(&value_); }
    const std::uint8_t* asBytePtr() const { return std::get_if<std::uint8_t>(&value_); }
    const std::int16_t* asIntegerPtr() const { return std::get_if<std::int16_t>(&value_); }
    const std::int32_t* asLongPtr() const { return std::get_if<std::int32_t>(&value_); }
    const float* asSinglePtr() const { return std::get_if<float>(&value_); }
    const double* asDoublePtr() const { return std::get_if<double>(&value_); }
    const std::string* asStringPtr() const { return std::get_if<std::string>(&value_); }
    const Object* asObjectPtr() const { return std::get_if<Object>(&value_); }

    // The classic TypeName: "Error" for Missing, "Nothing" for a null object.
    std::string TypeName() const;

    bool operator==(const Variant& other) const = default;

  private:
    struct EmptyTag {
        bool operator==(const EmptyTag&) const = default;
    };
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    struct MissingTag {
        bool operator==(const MissingTag&) const = default;
    };
    using Storage = std::variant<EmptyTag, NullTag, MissingTag, bool, std::uint8_t, std::int16_t,
                                 std::int32_t, float, double, std::string, Object>;
    Storage value_;
};

}  // namespace quindel
