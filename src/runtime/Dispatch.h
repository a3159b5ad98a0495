#pragma once
// Late binding: every object the component or a host reaches by member name or dispatch
// id is a Dispatch. Arguments travel by reference, so a callee may change them.
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Variant.h"

namespace quindel {

using DispId = std::int32_t;

// Usable as bit flags: a member declares the set of kinds it supports.
enum class CallKind : std::uint8_t { Get = 1, Let = 2, Set = 4, Method = 8 };

constexpr CallKind operator|(CallKind a, CallKind b) {
    return CallKind(std::uint8_t(a) | std::uint8_t(b));
}
constexpr CallKind operator&(CallKind a, CallKind b) {
    return CallKind(std::uint8_t(a) & std::uint8_t(b));
}
// True when every kind in `kinds` is in `mask`.
constexpr bool HasKind(CallKind mask, CallKind kinds) {
    return (mask & kinds) == kinds;
}

using Args = std::vector<Variant>;

class Dispatch {
  public:
    virtual ~Dispatch() = default;
    // Case-insensitive; raises 438 for an unknown name.
    virtual DispId GetIDOfName(std::string_view name) const = 0;
    // For Let/Set the assigned value is the last element of args, after any index
    // arguments. Raises 438 for an unknown id or an unsupported kind.
    virtual Variant Invoke(DispId id, CallKind kind, Args& args) = 0;
    virtual std::string TypeName() const { return "Object"; }
};

// All helpers raise 91 on a null object.
Variant CallByName(const Object& obj, std::string_view name, CallKind kind, Args& args);
Variant GetProperty(const Object& obj, std::string_view name, Args args = {});
void LetProperty(const Object& obj, std::string_view name, Variant value, Args index = {});
void SetProperty(const Object& obj, std::string_view name, Variant value, Args index = {});
Variant CallMethod(const Object& obj, std::string_view name, Args& args);

// By-value convenience: CallMethod(obj, "Name", 1, "two"). By-ref changes are dropped.
template <std::convertible_to<Variant>... A>
Variant CallMethod(const Object& obj, std::string_view name, A&&... a) {
    Args args{Variant(std::forward<A>(a))...};
    return CallMethod(obj, name, args);
}

}  // namespace quindel
