#pragma once
// The one way to declare late-bound members: one line a member, naming the member, its
// dispatch id, its type and the C++ functions it calls. The functions are member function
// pointers of the owner or plain callables; their parameter types say how the (already
// checked and coerced) arguments are converted, and their results become the Variant the
// caller gets. For a property, the getter receives the index arguments and the setter the
// index arguments followed by the value, so indexed and plain properties read the same.
//
//   Members<Quindel> m(table(), this);
//   m.Property("VolumeAudio", 0x68030062, ParamType::Long, &Quindel::VolumeAudio,
//              &Quindel::setVolumeAudio);
//   m.Method("Termina", 0x6003008B, {}, ParamType::None, &Quindel::Termina);
//   m.Field("Notify", 0x68020607, ParamType::Boolean, notify_);
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "runtime/Coercions.h"
#include "runtime/DispatchTable.h"
#include "runtime/VbError.h"

namespace quindel {

namespace members_detail {

template <class F>
struct Signature : Signature<decltype(&F::operator())> {};
template <class R, class C, class... A>
struct Signature<R (C::*)(A...)> {
    using Result = R;
    using Params = std::tuple<std::decay_t<A>...>;
};
template <class R, class C, class... A>
struct Signature<R (C::*)(A...) const> : Signature<R (C::*)(A...)> {};
template <class R, class C, class... A>
struct Signature<R (C::*)(A...) noexcept> : Signature<R (C::*)(A...)> {};
template <class R, class C, class... A>
struct Signature<R (C::*)(A...) const noexcept> : Signature<R (C::*)(A...)> {};

// A bound argument as the C++ parameter wants it.
template <class T>
T From(const Variant& v) {
    if constexpr (std::is_same_v<T, Variant>) {
        return v;
    } else if constexpr (std::is_same_v<T, bool>) {
        return CBool(v);
    } else if constexpr (std::is_same_v<T, std::uint8_t>) {
        return CByte(v);
    } else if constexpr (std::is_same_v<T, std::int16_t>) {
        return CInt(v);
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        return CLng(v);
    } else if constexpr (std::is_same_v<T, float>) {
        return CSng(v);
    } else if constexpr (std::is_same_v<T, double>) {
        return CDbl(v);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return CStr(v);
    } else if constexpr (std::is_same_v<T, Object>) {
        return v.isObject() ? *v.asObjectPtr() : Object();
    } else {
        static_assert(sizeof(T) == 0, "no conversion from Variant to this parameter type");
    }
}

template <class Params>
constexpr bool TakesArgs() {
    if constexpr (std::tuple_size_v<Params> == 1)
        return std::is_same_v<std::tuple_element_t<0, Params>, Args>;
    else
        return false;
}

template <class T>
Variant To(T&& value) {
    return Variant(std::forward<T>(value));
}

// Calls f with the arguments converted to its parameters; the whole argument list when f
// takes Args& itself (for members that write back by-reference arguments).
template <class Owner, class F>
Variant Call(Owner* self, const F& f, Args& args) {
    using Sig = Signature<F>;
    using Params = typename Sig::Params;
    constexpr std::size_t n = std::tuple_size_v<Params>;
    auto invoke = [&](auto&&... a) -> decltype(auto) {
        if constexpr (std::is_member_function_pointer_v<F>)
            return (self->*f)(std::forward<decltype(a)>(a)...);
        else
            return f(std::forward<decltype(a)>(a)...);
    };
    auto run = [&]<std::size_t... I>(std::index_sequence<I...>)->Variant {
        if constexpr (TakesArgs<Params>()) {
            if constexpr (std::is_void_v<typename Sig::Result>) {
                invoke(args);
                return {};
            } else {
                return To(invoke(args));
            }
        } else {
            if (args.size() < n) Raise(450);
            if constexpr (std::is_void_v<typename Sig::Result>) {
                invoke(From<std::tuple_element_t<I, Params>>(args[I])...);
                return {};
            } else {
                return To(invoke(From<std::tuple_element_t<I, Params>>(args[I])...));
            }
        }
    };
    return run(std::make_index_sequence<n>{});
}

inline bool IsObjectType(ParamType t) {
    return t == ParamType::Object || t == ParamType::Form;
}

}  // namespace members_detail

// Declares members of Owner into a table. Owner may be void when every function given is a
// plain callable.
template <class Owner = void>
class Members {
  public:
    Members(DispatchTable& table, Owner* self = nullptr) : table_(table), self_(self) {}

    // Read and write: Let for values, Set for objects. `index` declares the index arguments.
    template <class G, class S>
    Members& Property(std::string name, DispId id, ParamType type, G get, S set,
                      std::vector<ParamSpec> index = {}) {
        const CallKind write = members_detail::IsObjectType(type) ? CallKind::Set : CallKind::Let;
        Owner* self = self_;
        table_.member(std::move(name), id, CallKind::Get | write, std::move(index), type,
                      [self, get, set](CallKind k, Args& a) -> Variant {
                          if (k == CallKind::Get) return members_detail::Call(self, get, a);
                          members_detail::Call(self, set, a);
                          return {};
                      });
        return *this;
    }

    // A property kept in a variable that outlives the table (a field of the owner): a read gives
    // it, a write stores the value converted to its type. Let or Set as for Property.
    template <class T>
    Members& Field(std::string name, DispId id, ParamType type, T& field) {
        return Property(
            std::move(name), id, type, [&field] { return field; },
            [&field](T v) { field = std::move(v); });
    }

    template <class G>
    Members& ReadOnly(std::string name, DispId id, ParamType type, G get,
                      std::vector<ParamSpec> index = {}) {
        Owner* self = self_;
        table_.member(
            std::move(name), id, CallKind::Get, std::move(index), type,
            [self, get](CallKind, Args& a) { return members_detail::Call(self, get, a); });
        return *this;
    }

    template <class S>
    Members& WriteOnly(std::string name, DispId id, ParamType type, S set) {
        const CallKind write = members_detail::IsObjectType(type) ? CallKind::Set : CallKind::Let;
        Owner* self = self_;
        table_.member(std::move(name), id, write, {}, type, [self, set](CallKind, Args& a) {
            members_detail::Call(self, set, a);
            return Variant();
        });
        return *this;
    }

    // Accepted and ignored: writes change nothing, reads give `value`.
    Members& Inert(std::string name, DispId id, ParamType type, Variant value) {
        const CallKind write = members_detail::IsObjectType(type) ? CallKind::Set : CallKind::Let;
        table_.member(
            std::move(name), id, CallKind::Get | write, {}, type,
            [value](CallKind k, Args&) { return k == CallKind::Get ? value : Variant(); });
        return *this;
    }

    template <class F>
    Members& Method(std::string name, DispId id, std::vector<ParamSpec> params, ParamType result,
                    F f) {
        Owner* self = self_;
        table_.member(std::move(name), id, CallKind::Method, std::move(params), result,
                      [self, f](CallKind, Args& a) { return members_detail::Call(self, f, a); });
        return *this;
    }

  private:
    DispatchTable& table_;
    Owner* self_;
};

// Parameter declarations for the tables.
inline ParamSpec ByRef(const char* name, ParamType type) {
    return {name, type, false, true};
}
inline ParamSpec ByVal(const char* name, ParamType type) {
    return {name, type, false, false};
}
inline ParamSpec OptionalByRef(const char* name, ParamType type = ParamType::Variant) {
    return {name, type, true, true};
}
inline ParamSpec OptionalByVal(const char* name, ParamType type = ParamType::Variant) {
    return {name, type, true, false};
}

}  // namespace quindel
