// The built component library through its entry points only, as a host reaches it: this program
// does not link it, so every test loads it with dlopen.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "TestFolder.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/ClassFactory.h"
#include "runtime/Coercions.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/Dispatch.h"
#include "runtime/EventSource.h"
#include "runtime/Registry.h"
#include "runtime/VbError.h"

namespace quindel::component {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgId = "OCX_Pilonda2.Quindel";
constexpr const char* kClsid = "{5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004}";

// The library's entry points, loaded for one test.
struct EntryPoints {
    Library lib{QUINDEL_LIBRARY};
    DllRegisterServerFn registerServer = lib.Symbol<DllRegisterServerFn>("DllRegisterServer");
    DllUnregisterServerFn unregisterServer =
        lib.Symbol<DllUnregisterServerFn>("DllUnregisterServer");
    DllGetClassObjectFn getClassObject = lib.Symbol<DllGetClassObjectFn>("DllGetClassObject");
    DllCanUnloadNowFn canUnloadNow = lib.Symbol<DllCanUnloadNowFn>("DllCanUnloadNow");

    ClassFactoryRef Factory() {
        void* out = nullptr;
        const Guid clsid = *Guid::Parse(kClsid);
        EXPECT_EQ(getClassObject(&clsid, &kIidClassFactory, &out), hr::S_OK);
        return ClassFactoryRef(static_cast<ClassFactory*>(out));
    }
};

class Component : public ::testing::Test {
  protected:
    void SetUp() override { SetRegistryOverride(registry_); }
    void TearDown() override {
        SetRegistryOverride(std::nullopt);
        FreeUnusedLibraries();
    }
    Site OnForm() { return {&p_, form_.get()}; }

    test::TestFolder dir_{"component"};
    fs::path registry_ = dir_.path() / "registry";
    headless::HeadlessPlatform p_;
    std::shared_ptr<platform::Form> form_ = p_.NewForm();
};

int ErrorOf(const std::function<void()>& step, std::string* description = nullptr) {
    try {
        step();
    } catch (const VbError& e) {
        if (description) *description = e.description();
        return e.number();
    }
    return 0;
}

TEST_F(Component, RegisterCreateByBothIdsUnregister) {
    EntryPoints e;
    ASSERT_TRUE(e.lib.IsOpen()) << e.lib.Error();
    ASSERT_EQ(e.registerServer(), hr::S_OK) << LastError();

    const RegistryData d = RegistryFile(registry_).Read();
    const ClassEntry* c = d.FindProgId(kProgId);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->clsid.ToString(), kClsid);
    EXPECT_TRUE(fs::path(c->library).is_absolute());
    EXPECT_TRUE(fs::equivalent(c->library, QUINDEL_LIBRARY));
    EXPECT_EQ(d.interfaces.size(), 2u);
    const TypeLibEntry* t = d.FindTypeLib(c->typeLib);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->library, c->library);
    for (const auto& i : d.interfaces) EXPECT_EQ(i.typeLib, c->typeLib) << i.name;

    for (const char* id : {kProgId, "ocx_pilonda2.QUINDEL", kClsid}) {
        Object panel = CreateObject(id, OnForm());
        ASSERT_TRUE(panel) << id;
        EXPECT_EQ(panel->TypeName(), "Quindel");
        LetProperty(panel, "VolumeAudio", 300);
        EXPECT_EQ(GetProperty(panel, "VolumeAudio"), Variant(std::int32_t(255))) << id;
        // The container's extender rides along with the control's own members.
        LetProperty(panel, "Width", 6000);
        EXPECT_EQ(GetProperty(panel, "Width"), Variant(std::int32_t(6000)));
        EXPECT_NE(p_.FindWindow(CLng(GetProperty(panel, "hWnd"))), nullptr);
    }

    // Registering twice changes nothing.
    ASSERT_EQ(e.registerServer(), hr::S_OK);
    EXPECT_EQ(RegistryFile(registry_).Read(), d);

    ASSERT_EQ(e.unregisterServer(), hr::S_OK);
    EXPECT_TRUE(RegistryFile(registry_).Read().Empty());
    std::string text;
    EXPECT_EQ(ErrorOf([&] { CreateObject(kProgId, OnForm()); }, &text), 429);
    EXPECT_EQ(text, "ActiveX component can't create object");
    EXPECT_EQ(e.unregisterServer(), hr::S_OK);
}

TEST_F(Component, CreateObjectFailsWith429ForEveryBrokenPath) {
    struct Case {
        const char* name;
        std::string registryText;  // empty: no registry file
        const char* id;
        const char* inDescription;
    };
    const std::string head = "quindel-registry\t1\n";
    const std::string tail = "\t{5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A001}\nend\t1\n";
    const Case cases[] = {
        {"no registry", "", kProgId, ""},
        {"unknown program id", head + "end\t0\n", "Nobody.Here", ""},
        {"corrupt registry", head + "class\tbroken\n", kProgId, registry_.c_str()},
        {"missing library",
         head + "class\t" + kClsid + "\tQuindel\t" + kProgId + "\t/nowhere/lib.so" + tail, kProgId,
         "/nowhere/lib.so"},
        {"library without entry points",
         head + "class\t" + kClsid + "\tQuindel\t" + kProgId + "\t" + QUINDEL_PLAIN_LIBRARY + tail,
         kProgId, "DllGetClassObject"},
    };
    for (const Case& c : cases) {
        fs::remove(registry_);
        if (!c.registryText.empty()) std::ofstream(registry_) << c.registryText;
        std::string description;
        EXPECT_EQ(ErrorOf([&] { CreateObject(c.id, OnForm()); }, &description), 429) << c.name;
        EXPECT_EQ(description.rfind("ActiveX component can't create object", 0), 0u) << c.name;
        EXPECT_NE(description.find(c.inDescription), std::string::npos)
            << c.name << ": " << description;
    }
}

TEST_F(Component, CanUnloadOnlyWithNoControlFactoryOrLock) {
    EntryPoints e;
    ASSERT_TRUE(e.lib.IsOpen()) << e.lib.Error();
    EXPECT_EQ(e.canUnloadNow(), hr::S_OK);

    Object panel;
    {
        ClassFactoryRef f = e.Factory();
        EXPECT_EQ(e.canUnloadNow(), hr::S_FALSE) << "a factory reference is alive";
        panel = f->CreateInstance(OnForm());
    }
    EXPECT_EQ(e.canUnloadNow(), hr::S_FALSE) << "a control is alive";
    panel.reset();
    EXPECT_EQ(e.canUnloadNow(), hr::S_OK);

    e.Factory()->LockServer(true);
    EXPECT_EQ(e.canUnloadNow(), hr::S_FALSE) << "the library is locked";
    {
        ClassFactoryRef f = e.Factory();
        EXPECT_EQ(f->LockServer(false), hr::S_OK);
        EXPECT_EQ(f->LockServer(false), hr::E_UNEXPECTED);
    }
    EXPECT_EQ(e.canUnloadNow(), hr::S_OK);

    // A control needs a site; the failure is a run-time error and leaves nothing alive.
    EXPECT_EQ(ErrorOf([&] { e.Factory()->CreateInstance({}); }), 5);
    EXPECT_EQ(e.canUnloadNow(), hr::S_OK);
}

TEST_F(Component, GetClassObjectAnswersWithTheClassicCodes) {
    EntryPoints e;
    ASSERT_TRUE(e.lib.IsOpen()) << e.lib.Error();
    const Guid clsid = *Guid::Parse(kClsid);
    const Guid other = *Guid::Parse("{00000000-0000-0000-0000-000000000001}");
    void* out = &out;
    struct Case {
        const Guid* clsid;
        const Guid* iid;
        void** out;
        HResult expected;
    };
    const Case cases[] = {
        {&clsid, &kIidClassFactory, nullptr, hr::E_POINTER},
        {nullptr, &kIidClassFactory, &out, hr::E_INVALIDARG},
        {&other, &kIidClassFactory, &out, hr::CLASS_E_CLASSNOTAVAILABLE},
        {&clsid, &other, &out, hr::E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        out = &out;
        EXPECT_EQ(e.getClassObject(c.clsid, c.iid, c.out), c.expected);
        if (c.out) {
            EXPECT_EQ(out, nullptr) << "a failed call leaves no pointer behind";
        }
    }
    EXPECT_EQ(e.canUnloadNow(), hr::S_OK);
}

bool Loaded(const char* library) {
    void* h = ::dlopen(library, RTLD_NOW | RTLD_NOLOAD);
    if (h) ::dlclose(h);
    return h != nullptr;
}

TEST_F(Component, FreeUnusedLibrariesUnloadsOnceNothingIsAlive) {
    {
        EntryPoints e;
        ASSERT_EQ(e.registerServer(), hr::S_OK) << LastError();
    }
    ASSERT_FALSE(Loaded(QUINDEL_LIBRARY));
    Object panel = CreateObject(kProgId, OnForm());
    EXPECT_EQ(LoadedLibraryCount(), 1u);
    Object second = CreateObject(kProgId, OnForm());
    EXPECT_EQ(LoadedLibraryCount(), 1u) << "one library, loaded once";
    EXPECT_EQ(FreeUnusedLibraries(), 0);
    panel.reset();
    EXPECT_EQ(FreeUnusedLibraries(), 0);
    second.reset();
    EXPECT_TRUE(Loaded(QUINDEL_LIBRARY));
    EXPECT_EQ(FreeUnusedLibraries(), 1);
    EXPECT_EQ(LoadedLibraryCount(), 0u);
    EXPECT_FALSE(Loaded(QUINDEL_LIBRARY)) << "the file is really unloaded";
    // Loaded again on demand.
    panel = CreateObject(kProgId, OnForm());
    EXPECT_EQ(GetProperty(panel, "AttesaAutoplay"), Variant(std::int32_t(2000)));
}

TEST_F(Component, TheControlOffersItsEventsToADispatchSink) {
    EntryPoints e;
    ASSERT_EQ(e.registerServer(), hr::S_OK) << LastError();
    Object panel = CreateObject(kProgId, OnForm());
    auto* source = dynamic_cast<EventSource*>(panel.get());
    ASSERT_NE(source, nullptr);
    const MemberSpec* click = source->EventInterface().find("ClickListaLemmi");
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->id, 3);

    struct Sink : TableDispatch {
        std::vector<std::int32_t> seen;
        Sink() {
            table().member("ClickListaLemmi", 3, CallKind::Method, {{"Indice"}}, ParamType::None,
                           [this](CallKind, Args& a) {
                               seen.push_back(CLng(a[0]));
                               return Variant();
                           });
        }
    };
    auto sink = std::make_shared<Sink>();
    const std::uint32_t cookie = source->AdviseSink(sink);
    CallMethod(panel, "CLickLista", std::int16_t(0));
    source->UnadviseSink(cookie);
    CallMethod(panel, "CLickLista", std::int16_t(0));
    EXPECT_EQ(sink->seen.size(), 1u);
}

// The registration tool, run as a program against a registry of the test's own.
TEST_F(Component, RegistrationToolExitCodes) {
    const fs::path notALibrary = dir_.path() / "notes.txt";
    std::ofstream(notALibrary) << "not a library\n";
    struct Case {
        std::string args;
        int exit;
        bool registered;
        std::string recorded = {};  // the library the registry names, when given
    };
    const std::string lib = QUINDEL_LIBRARY;
    const Case cases[] = {
        {"", 1, false},
        {"-x " + lib, 1, false},
        {notALibrary.string(), 3, false},
        {(dir_.path() / "absent.so").string(), 3, false},
        {QUINDEL_PLAIN_LIBRARY, 4, false},
        {"-s " + lib, 0, true},
        {"-u -s " + lib, 0, false},
        {"-u -s " + lib, 0, false},
        {"--registry " + registry_.string() + " -s " + lib, 0, true},
        {"-s --record-as /usr/lib/libQuindel2.so.0 " + lib, 0, true, "/usr/lib/libQuindel2.so.0"},
        {"-s --record-as ../lib/libQuindel2.so.0 " + lib, 0, true,
         (registry_.parent_path() / "../lib/libQuindel2.so.0").lexically_normal().string()},
        {"-s -u --record-as /x.so " + lib, 1, true},
        {"-s --record-as", 1, true},
    };
    for (const Case& c : cases) {
        const std::string command = "QUINDEL_REGISTRY='" + registry_.string() + "' '" +
                                    QUINDEL_REGSVR + "' " + c.args + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.args;
        EXPECT_EQ(WEXITSTATUS(status), c.exit) << c.args;
        const bool registered =
            fs::exists(registry_) && RegistryFile(registry_).Read().FindProgId(kProgId) != nullptr;
        EXPECT_EQ(registered, c.registered) << c.args;
        if (!c.recorded.empty()) {
            const RegistryData d = RegistryFile(registry_).Read();
            ASSERT_NE(d.FindProgId(kProgId), nullptr);
            EXPECT_EQ(d.FindProgId(kProgId)->library, c.recorded) << c.args;
            ASSERT_EQ(d.typeLibs.size(), 1u);
            EXPECT_EQ(d.typeLibs[0].library, c.recorded) << c.args;
        }
    }
}

}  // namespace
}  // namespace quindel::component
