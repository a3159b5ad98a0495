// The control's costs: creation with the real catalogue, a full redraw of the strip, and one
// GetChunk / InitChunk round trip with a page of 14.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "control/Quindel.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "hostkit/lists/ScrittoreLista.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/VScrollBar.h"
#include "platform/headless/HeadlessPlatform.h"
#include "toolbar/ClasseToolbar.h"

namespace fs = std::filesystem;
using namespace quindel;

namespace {

void BM_CreateControl(benchmark::State& state) {
    headless::HeadlessPlatform p;
    auto host = p.NewForm();
    for (auto _ : state) {
        auto q = Quindel::Crea(p, *host);
        benchmark::DoNotOptimize(q.get());
        q->Termina();
    }
}
BENCHMARK(BM_CreateControl)->Unit(benchmark::kMicrosecond);

void BM_ShowAllButtons(benchmark::State& state) {
    headless::HeadlessPlatform p;
    auto host = p.NewForm();
    auto q = Quindel::Crea(p, *host);
    for (auto _ : state) q->Toolbar().ShowAllButtons();
}
BENCHMARK(BM_ShowAllButtons)->Unit(benchmark::kMicrosecond);

// A host answering GetChunk from a 1,000-record list; each iteration scrolls far enough to need
// a new chunk.
void BM_ChunkRoundTrip(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "quindel_bench_chunk";
    fs::create_directories(dir);
    std::vector<hostkit::VoceLista> voci;
    for (int i = 1; i <= 1000; ++i)
        voci.push_back({"C" + std::to_string(i), "media\\", "", "F.JPG", "FO",
                        "Opis obiektu numer " + std::to_string(i), "Podpis"});
    hostkit::ScriviListaFile((dir / "all.lst").string(), voci);
    hostkit::PaginatoreLista pager((dir / "all.lst").string(), 14);
    const std::string chunk = (dir / "chunk.lst").string();

    struct Host : QuindelEvents {
        Quindel* q;
        hostkit::PaginatoreLista* pager;
        std::string chunk;
        void GetChunk(std::uint8_t& t, std::string&, std::int32_t& pos) override {
            pager->ScriviChunk(chunk, pos);
            q->InitChunk(false, t, chunk, pager->Totale(), pos);
        }
    };
    headless::HeadlessPlatform p;
    auto host = p.NewForm();
    auto q = Quindel::Crea(p, *host);
    auto sink = std::make_shared<Host>();
    sink->q = q.get();
    sink->pager = &pager;
    sink->chunk = chunk;
    q->Advise(sink);
    q->ListaMM()->setNomeFileLista(chunk);
    pager.ScriviChunk(chunk, 1);
    q->InitChunk(true, 1, chunk, pager.Totale(), 1);
    platform::VScrollBar& sb = *q->FinestraLista(1).VScroll1();
    std::int32_t pos = 1;
    for (auto _ : state) {
        pos = pos > 900 ? 1 : pos + 50;
        sb.setValue(pos);
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_ChunkRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
