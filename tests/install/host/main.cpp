// A host that knows the control only by its program id: it places it on a form of its own,
// through the registry and the component's class factory, and talks to it by late binding.
#include <cstdio>

#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/Coercions.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/Dispatch.h"
#include "runtime/VbError.h"

int main() {
    using namespace quindel;
    try {
        headless::HeadlessPlatform platform;
        auto form = platform.NewForm();
        Object panel = component::CreateObject("OCX_Pilonda2.Quindel", {&platform, form.get()});
        LetProperty(panel, "VolumeAudio", 300);
        std::printf("%s: VolumeAudio %d, AttesaAutoplay %d\n", panel->TypeName().c_str(),
                    CLng(GetProperty(panel, "VolumeAudio")),
                    CLng(GetProperty(panel, "AttesaAutoplay")));
        // The installed library finds its catalogue in the data folder installed with it.
        std::printf("tooltip 14: %s; message boxes: %zu\n",
                    CStr(GetProperty(panel, "ToolTipPulsante", {Variant(14)})).c_str(),
                    platform.Boxes().Shown().size());
        panel.reset();
        std::printf("libraries unloaded: %d\n", component::FreeUnusedLibraries());
        component::CreateObject("No.Such.Thing", {&platform, form.get()});
    } catch (const VbError& e) {
        std::printf("run-time error %d: %s\n", e.number(), e.description().c_str());
        return e.number() == 429 ? 0 : 1;
    }
    return 1;
}
