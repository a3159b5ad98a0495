#include <cstdio>

#include "platform/headless/HeadlessPlatform.h"  // or platform/qt/QtPlatform.h
#include "runtime/Coercions.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/Dispatch.h"
#include "runtime/VbError.h"

int main() {
    quindel::headless::HeadlessPlatform platform;  // or quindel::qt::QtPlatform
    auto form = platform.NewForm();
    try {
        quindel::Object panel =
            quindel::component::CreateObject("OCX_Pilonda2.Quindel", {&platform, form.get()});
        quindel::LetProperty(panel, "VolumeAudio", 100);
        std::printf("VolumeAudio %d\n", quindel::CLng(quindel::GetProperty(panel, "VolumeAudio")));
    } catch (const quindel::VbError& e) {  // 429: the component is not registered
        std::fprintf(stderr, "run-time error %d: %s\n", e.number(), e.description().c_str());
        return 1;
    }
}
