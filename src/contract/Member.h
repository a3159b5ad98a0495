#pragma once
// The display-control contract, member by member: what the panel may ask of the host's display
// controls, and what the host kit's controls answer. Contract:
// - A Member is a name (compared without regard to case, as late binding does), the kinds of call
//   it takes (Get, Let, Set, Method), its value type (a property's type or a method's result;
//   None for a method that returns nothing) and, where callers reach it by number, its dispatch
//   id; 0 means it is reached by name and each control picks its own id.
// - A Row is the whole member list of one kind of control: a control of that kind answers exactly
//   these members, and raises 438 for any other name or for a kind of call its row does not list.
// - Get, Let, Set and Call reach a member by name. Asking a member for a kind of call its row does
//   not list is a programming error (std::logic_error), never sent; the control's own run-time
//   errors pass through.
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/DispatchTable.h"

namespace quindel::contract {

struct Member {
    std::string_view name;
    CallKind kinds = CallKind::Get;
    ParamType type = ParamType::None;
    DispId id = 0;  // 0: reached by name only

    constexpr bool Takes(CallKind kind) const { return HasKind(kinds, kind); }
};

// The kinds of the usual members.
inline constexpr CallKind kReadOnly = CallKind::Get;
inline constexpr CallKind kReadWrite = CallKind::Get | CallKind::Let;
inline constexpr CallKind kObjectReadWrite = CallKind::Get | CallKind::Set;
inline constexpr CallKind kMethod = CallKind::Method;

// Case-insensitive, as late binding compares names (member names are ASCII).
constexpr bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

struct Row {
    std::string_view name;  // the kind of control, for messages
    std::span<const Member> members;

    // The member of that name, or null.
    constexpr const Member* Find(std::string_view member) const {
        for (const Member& m : members)
            if (SameName(m.name, member)) return &m;
        return nullptr;
    }
};

namespace detail {
inline void Expect(const Member& m, CallKind kind, const char* what) {
    if (!m.Takes(kind))
        throw std::logic_error("contract: " + std::string(m.name) + " is not " + what);
}
}  // namespace detail

inline Variant Get(const Object& o, const Member& m, Args index = {}) {
    detail::Expect(m, CallKind::Get, "read");
    return GetProperty(o, m.name, std::move(index));
}

inline void Let(const Object& o, const Member& m, Variant value) {
    detail::Expect(m, CallKind::Let, "written by value");
    LetProperty(o, m.name, std::move(value));
}

inline void Set(const Object& o, const Member& m, Variant value) {
    detail::Expect(m, CallKind::Set, "set to an object");
    SetProperty(o, m.name, std::move(value));
}

inline Variant Call(const Object& o, const Member& m, Args& args) {
    detail::Expect(m, CallKind::Method, "a method");
    return CallMethod(o, m.name, args);
}

// By-value convenience: Call(obj, member, 1, "two").
template <std::convertible_to<Variant>... A>
Variant Call(const Object& o, const Member& m, A&&... a) {
    Args args{Variant(std::forward<A>(a))...};
    return Call(o, m, args);
}

}  // namespace quindel::contract
