// Loading a 100,000-record list file, against one plain read of the same file (target: within
// 3 times), and the memory each loaded record takes (target: under 2 x 1578 bytes).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

#include "hostkit/lists/ScrittoreLista.h"
#include "lists/CaricaListaDaFile.h"
#include "lists/ClasseTLista.h"
#include "lists/frm_Lista.h"
#include "platform/ListBox.h"
#include "platform/headless/HeadlessPlatform.h"

namespace fs = std::filesystem;
using namespace quindel;

namespace {

constexpr int kRecords = 100000;

const fs::path& ListFile() {
    static const fs::path file = [] {
        const fs::path dir = fs::temp_directory_path() / "quindel_bench_lists";
        fs::create_directories(dir);
        std::vector<hostkit::VoceLista> voci;
        voci.reserve(kRecords);
        for (int i = 1; i <= kRecords; ++i)
            voci.push_back({"L" + std::to_string(i), "media\\zdjęcia\\", "ZDJECIA.BLB",
                            "Z" + std::to_string(i) + ".JPG", "FO",
                            "Widok Wisły w miejscowości numer " + std::to_string(i),
                            "Podpis zdjęcia: brzeg rzeki, łąki i zabudowa nad Wisłą."});
        hostkit::ScriviListaFile((dir / "big.lst").string(), voci);
        return dir / "big.lst";
    }();
    return file;
}

std::size_t PlainRead(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::vector<char> buf(1 << 20);
    std::size_t n = 0;
    while (in.read(buf.data(), std::streamsize(buf.size())) || in.gcount() > 0)
        n += std::size_t(in.gcount());
    return n;
}

struct Loaded {
    headless::HeadlessPlatform p;
    frm_Lista window{p};
    ClasseTLista lista;
    Loaded() { lista.setObjTList(window.TList1()); }
};

double Seconds(const std::function<void()>& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_LoadVsPlainRead(benchmark::State& state) {
    const fs::path& file = ListFile();
    double load = 0, plain = 0;
    for (auto _ : state) {
        plain += Seconds([&] { benchmark::DoNotOptimize(PlainRead(file)); });
        Loaded l;
        load += Seconds([&] { CaricaListaDaFile(l.lista, l.p.files(), file.string()); });
    }
    state.counters["ratio"] = load / plain;
    state.counters["plain_ms"] = 1000 * plain / double(state.iterations());
    state.counters["load_ms"] = 1000 * load / double(state.iterations());
}
BENCHMARK(BM_LoadVsPlainRead)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MemoryPerRecord(benchmark::State& state) {
    const fs::path& file = ListFile();
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto l = std::make_unique<Loaded>();
        CaricaListaDaFile(l->lista, l->p.files(), file.string());
        const std::size_t after = mallinfo2().uordblks;
        state.counters["bytes_per_record"] = double(after - before) / kRecords;
    }
}
BENCHMARK(BM_MemoryPerRecord)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
