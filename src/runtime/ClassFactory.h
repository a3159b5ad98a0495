#pragma once
// The object a component library hands out from DllGetClassObject: it makes instances of one
// class on a host's site. Contract:
// - DllGetClassObject(&clsid, &kIidClassFactory, &out) stores a new reference in out; the
//   holder gives it back with Release() exactly once and must not use it afterwards
//   (ClassFactoryRef does both).
// - CreateInstance makes an instance on the site and returns it as a Dispatch; failures are
//   VbErrors (never anything else), so a host traps them like any late-bound call.
// - LockServer(true) keeps the library loaded with no instance alive, until LockServer(false).
// - A live factory reference, a lock or a live instance all make DllCanUnloadNow answer S_FALSE.
// The runtime carries the site through without looking into it; only the component uses the
// platform and the form.
#include <memory>

#include "runtime/Guid.h"
#include "runtime/HResult.h"
#include "runtime/Variant.h"

namespace quindel::platform {
class Platform;
class Form;
}  // namespace quindel::platform

namespace quindel {

// Where a windowed control is placed: the host's platform and the form it goes on.
struct Site {
    platform::Platform* platform = nullptr;
    platform::Form* form = nullptr;
};

class ClassFactory {
  public:
    virtual Object CreateInstance(const Site& site) = 0;
    virtual HResult LockServer(bool lock) = 0;
    virtual void Release() = 0;

  protected:
    ~ClassFactory() = default;
};

// The interface id DllGetClassObject is asked for.
constexpr Guid kIidClassFactory{
    0x3C0E9B52, 0x14A7, 0x4D6B, {0x8E, 0x21, 0x5F, 0x90, 0xC4, 0x7A, 0x1D, 0x01}};

struct ClassFactoryRelease {
    void operator()(ClassFactory* f) const {
        if (f) f->Release();
    }
};
using ClassFactoryRef = std::unique_ptr<ClassFactory, ClassFactoryRelease>;

// The four entry points of a component library, as C functions.
extern "C" {
using DllRegisterServerFn = HResult (*)();
using DllUnregisterServerFn = HResult (*)();
using DllGetClassObjectFn = HResult (*)(const Guid* clsid, const Guid* iid, void** out);
using DllCanUnloadNowFn = HResult (*)();
}

}  // namespace quindel
