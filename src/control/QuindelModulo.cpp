// The library's four entry points and its class factory. Registration and creation by program id
// go through the component runtime; the factory places the control on the host's site and hands
// it out as a Dispatch that also carries the container's extender (hWnd, Left, Top, Width, Height,
// Visible, Move) and the control's event interface, so a late-bound host needs nothing else.
#include <algorithm>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "control/Quindel.h"
#include "control/QuindelIdentificativi.h"
#include "platform/PictureBox.h"
#include "platform/WindowObject.h"
#include "runtime/ClassFactory.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/EventSource.h"
#include "runtime/VbError.h"

#define QUINDEL_ENTRY extern "C" __attribute__((visibility("default")))

namespace quindel {

namespace {

namespace id = identificativi;

// What keeps the library loaded: live controls, factory references and factory locks.
struct StatoModulo {
    std::mutex mutex;
    std::vector<std::weak_ptr<void>> vivi;
    int fabbriche = 0;
    int blocchi = 0;

    bool Scaricabile() {
        std::lock_guard lock(mutex);
        std::erase_if(vivi, [](const std::weak_ptr<void>& w) { return w.expired(); });
        return vivi.empty() && fabbriche == 0 && blocchi == 0;
    }
};

StatoModulo& Modulo() {
    static StatoModulo s;
    return s;
}

// The control as a host holds it: its own members first, then the extender's.
class ControlloOspitato final : public Dispatch, public MemberInfo, public EventSource {
  public:
    explicit ControlloOspitato(std::shared_ptr<Quindel> q)
        : q_(std::move(q)),
          extender_(platform::MakeWindowObject(q_->Finestra().shared_from_this())),
          tabellaExtender_(static_cast<TableDispatch&>(*extender_).dispatchTable()) {
        for (const MemberSpec& m : tabellaExtender_.members())
            if (!q_->dispatchTable().find(m.id)) idExtender_.push_back(m.id);
    }

    DispId GetIDOfName(std::string_view name) const override {
        if (const MemberSpec* m = q_->dispatchTable().find(name)) return m->id;
        return extender_->GetIDOfName(name);
    }
    // The extender's few ids are looked for first: every other call goes straight to the control.
    Variant Invoke(DispId dispid, CallKind kind, Args& args) override {
        for (DispId e : idExtender_)
            if (e == dispid) return extender_->Invoke(dispid, kind, args);
        return q_->Invoke(dispid, kind, args);
    }
    std::string TypeName() const override { return std::string(id::kNomeClasse); }

    const MemberSpec* DescribeMember(DispId dispid) const override {
        if (const MemberSpec* m = q_->dispatchTable().find(dispid)) return m;
        return tabellaExtender_.find(dispid);
    }

    const DispatchTable& EventInterface() const override { return Quindel::TabellaEventi(); }
    std::uint32_t AdviseSink(Object sink) override { return q_->Advise(std::move(sink)); }
    void UnadviseSink(std::uint32_t cookie) override { q_->Unadvise(cookie); }

  private:
    std::shared_ptr<Quindel> q_;
    Object extender_;
    const DispatchTable& tabellaExtender_;
    std::vector<DispId> idExtender_;
};

class Fabbrica final : public ClassFactory {
  public:
    Fabbrica() {
        std::lock_guard lock(Modulo().mutex);
        ++Modulo().fabbriche;
    }

    Object CreateInstance(const Site& site) override {
        if (!site.platform || !site.form)
            throw VbError(5, std::string(id::kProgId),
                          "The control needs a site: the host's platform and form");
        std::shared_ptr<Quindel> q = Quindel::Crea(*site.platform, *site.form);
        auto ospitato = std::make_shared<ControlloOspitato>(q);
        std::lock_guard lock(Modulo().mutex);
        Modulo().vivi.push_back(q);
        Modulo().vivi.push_back(ospitato);
        return ospitato;
    }

    HResult LockServer(bool lock) override {
        std::lock_guard guard(Modulo().mutex);
        if (lock) {
            ++Modulo().blocchi;
        } else {
            if (Modulo().blocchi == 0) return hr::E_UNEXPECTED;
            --Modulo().blocchi;
        }
        return hr::S_OK;
    }

    void Release() override {
        {
            std::lock_guard lock(Modulo().mutex);
            --Modulo().fabbriche;
        }
        delete this;
    }

  private:
    ~Fabbrica() = default;
};

component::ClassRegistration Registrazione() {
    return {id::kClasse,
            std::string(id::kNomeClasse),
            std::string(id::kProgId),
            id::kLibreria,
            std::string(id::kNomeLibreria),
            std::string(id::kVersioneLibreria),
            {{id::kInterfaccia, "_Quindel"}, {id::kEventi, "__Quindel"}}};
}

}  // namespace

}  // namespace quindel

using quindel::HResult;
namespace hr = quindel::hr;

QUINDEL_ENTRY HResult DllRegisterServer() {
    try {
        const std::string path =
            quindel::component::ModulePath(reinterpret_cast<const void*>(&DllRegisterServer));
        if (path.empty()) return hr::SELFREG_E_CLASS;
        return quindel::component::RegisterServer(quindel::Registrazione(), path);
    } catch (const std::bad_alloc&) {
        return hr::E_OUTOFMEMORY;
    } catch (...) {
        return hr::E_FAIL;
    }
}

QUINDEL_ENTRY HResult DllUnregisterServer() {
    try {
        return quindel::component::UnregisterServer(quindel::Registrazione());
    } catch (const std::bad_alloc&) {
        return hr::E_OUTOFMEMORY;
    } catch (...) {
        return hr::E_FAIL;
    }
}

QUINDEL_ENTRY HResult DllGetClassObject(const quindel::Guid* clsid, const quindel::Guid* iid,
                                        void** out) {
    if (!out) return hr::E_POINTER;
    *out = nullptr;
    if (!clsid || !iid) return hr::E_INVALIDARG;
    if (*clsid != quindel::identificativi::kClasse) return hr::CLASS_E_CLASSNOTAVAILABLE;
    if (*iid != quindel::kIidClassFactory) return hr::E_NOINTERFACE;
    try {
        *out = static_cast<quindel::ClassFactory*>(new quindel::Fabbrica());
        return hr::S_OK;
    } catch (const std::bad_alloc&) {
        return hr::E_OUTOFMEMORY;
    } catch (...) {
        return hr::E_FAIL;
    }
}

QUINDEL_ENTRY HResult DllCanUnloadNow() {
    try {
        return quindel::Modulo().Scaricabile() ? hr::S_OK : hr::S_FALSE;
    } catch (...) {
        return hr::S_FALSE;
    }
}
