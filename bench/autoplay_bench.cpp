// Autoplay (button 15) over the whole bundled sample on the headless backend, the kit's display
// controls on a virtual media engine: every picture waits its pause, every film and sound plays
// to its end and every panorama turns once, on the virtual clock (target: under 2 s of real time
// for the 145 objects).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "control/Quindel.h"
#include "hostkit/richtextbox/HostEngineServices.h"
#include "hostkit/stage/DisplayStage.h"
#include "lists/ClasseTLista.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace quindel;
namespace fs = std::filesystem;

namespace {

void BM_AutoplaySample(benchmark::State& state) {
    const fs::path sample = QUINDEL_SAMPLE_DIR;
    const fs::path before = fs::current_path();
    fs::current_path(sample);  // object paths in the list are relative to the sample
    std::int64_t objects = 0, virtualMs = 0;
    for (auto _ : state) {
        headless::HeadlessPlatform p;
        hostkit::InstallHostEngineServices(p);
        auto host = p.NewForm();
        auto q = Quindel::Crea(p, *host);
        host->Show();
        auto form = p.NewForm();
        form->Move(0, 0, p.screen().WidthTwips(), p.screen().HeightTwips());
        hostkit::DisplayStage stage(
            p, std::move(form), hostkit::MediaOptions{.backend = hostkit::MediaBackend::Virtual});
        stage.HandTo(q);
        ClasseTLista& mm = *q->ListaMM();
        q->setNomeFileListaMM((sample / "ListaMM.lst").string());
        mm.setListIndex(0);
        const std::int64_t start = p.NowMs();
        q->setValorePulsante(15, -1);
        virtualMs = p.NowMs() - start;
        objects = mm.ListIndex() + 1;
        q->SpegniTutteLeVisualizzazioni();
    }
    fs::current_path(before);
    state.counters["objects"] = double(objects);
    state.counters["virtual_s"] = double(virtualMs) / 1000;
}
BENCHMARK(BM_AutoplaySample)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
