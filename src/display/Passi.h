#pragma once
// The statements of the object display run one after another whatever happens: a run-time error
// in one is shown in a box ("Quindel - " and the error's description, OK only, the default title)
// and the next statement runs, as the classic "resume next" handler does. Statements whose
// errors do not matter at all use IgnoraErrori instead.
#include <utility>

#include "contract/Member.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/VbError.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class Passi {
  public:
    explicit Passi(platform::Platform& p) : p_(p) {}

    // Runs one statement; false when it failed (and was reported).
    template <class F>
    bool operator()(F&& statement) {
        try {
            std::forward<F>(statement)();
            return true;
        } catch (const VbError& e) {
            p_.Box().Show("Quindel - " + e.description(), platform::mb::OKOnly,
                          p_.files().ProgramName());
            return false;
        }
    }

    void Let(const Object& o, const contract::Member& membro, Variant v) {
        (*this)([&] { contract::Let(o, membro, std::move(v)); });
    }
    // The property's value, or Empty when reading it failed.
    Variant Get(const Object& o, const contract::Member& membro) {
        Variant v;
        (*this)([&] { v = contract::Get(o, membro); });
        return v;
    }
    void Call(const Object& o, const contract::Member& membro) {
        (*this)([&] { contract::Call(o, membro); });
    }

  private:
    platform::Platform& p_;
};

// The object a property holds, or Nothing.
inline Object ComeOggetto(const Variant& v) {
    return v.isObject() ? *v.asObjectPtr() : Object();
}

// A member's value as a number.
inline double Numero(const Object& o, const contract::Member& membro) {
    return CDbl(contract::Get(o, membro));
}

}  // namespace quindel

QUINDEL_API_END
