// Looking up the last code of a 1,000-line catalogue, against one plain sequential read of the
// same file. Target: the lookup costs no more than 3 plain reads.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/FileSystem.h"
#include "runtime/CodePage.h"
#include "support/Catalogo.h"

namespace {

namespace fs = std::filesystem;

struct Catalogue {
    fs::path folder = fs::temp_directory_path() / "quindel_bench_catalogue";
    quindel::platform::FileSystem files;
    Catalogue() {
        fs::create_directories(folder);
        std::ofstream out(folder / "Quindel.bin", std::ios::binary);
        for (int code = 1; code <= 1000; ++code) {
            std::string line = std::to_string(code);
            line.resize(6, ' ');
            line += "PL" + std::string(65, ' ') + std::string(30, 'x');
            line +=
                quindel::ACodePage("Komunikat numer " + std::to_string(code) +
                                   ": tekst przykładowy o zwykłej długości, z polskimi znakami.");
            out << line << "\r\n";
        }
        files.setComponentFolder(folder.string());
    }
    ~Catalogue() { fs::remove_all(folder); }
};

Catalogue& Shared() {
    static Catalogue c;
    return c;
}

std::size_t PlainRead(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::string line;
    std::size_t n = 0;
    while (std::getline(in, line)) n += line.size();
    return n;
}

void BM_PlainRead(benchmark::State& state) {
    const fs::path p = Shared().folder / "Quindel.bin";
    for (auto _ : state) benchmark::DoNotOptimize(PlainRead(p));
}
BENCHMARK(BM_PlainRead);

void BM_LookupLastCode(benchmark::State& state) {
    auto& c = Shared();
    for (auto _ : state) benchmark::DoNotOptimize(quindel::LeggiMessaggio(c.files, 1000));
}
BENCHMARK(BM_LookupLastCode);

// Both measured in one run, so the ratio is reported directly.
void BM_LookupToPlainReadRatio(benchmark::State& state) {
    auto& c = Shared();
    const fs::path p = c.folder / "Quindel.bin";
    using Clock = std::chrono::steady_clock;
    double lookup = 0, plain = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(PlainRead(p));
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(quindel::LeggiMessaggio(c.files, 1000));
        auto t2 = Clock::now();
        plain += std::chrono::duration<double>(t1 - t0).count();
        lookup += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["ratio"] = lookup / plain;
}
BENCHMARK(BM_LookupToPlainReadRatio);

}  // namespace

BENCHMARK_MAIN();
