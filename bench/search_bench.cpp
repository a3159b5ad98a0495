// Find-as-you-type over an index of 1,000,000 records: the time of each keystroke's query while a
// person types a few words (target: every keystroke under 50 ms), the list never loaded. The
// index is written once with the same writer the content builder uses and kept in the temporary
// folder between runs. Counters: keystroke_ms (the slowest keystroke of a typed phrase, wall
// time, after one untimed typing that reads the index's pages in), keystroke_mean_ms,
// keystroke_cpu_ms (the slowest keystroke's CPU time: on a shared machine the wall time also holds
// the waits for a core), and build_s (the index's writing time, when this run wrote it).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "hostkit/search/SearchIndex.h"
#include "hostkit/search/SearchIndexWriter.h"

namespace fs = std::filesystem;
using namespace quindel;

namespace {

constexpr std::int64_t kRecords = 1000000;
const std::string kFingerprint = "bench-" + std::to_string(kRecords) + "-4";

// Words drawn from a fixed vocabulary by a fixed generator: the same index every run, with
// common and rare words, Polish letters included.
const char* const kWords[] = {
    "Wisła",      "Kraków",  "Gdańsk",    "Toruń",    "Warszawa", "most",    "brzeg", "rzeka",
    "zamek",      "katedra", "ujście",    "źródło",   "dopływ",   "łąka",    "las",   "miasto",
    "widok",      "mapa",    "zdjęcie",   "panorama", "film",     "dźwięk",  "tekst", "Płock",
    "Sandomierz", "Tczew",   "Włocławek", "Puławy",   "Dęblin",   "Baranią", "Góra",  "Wawel",
    "bulwar",     "port",    "statek",    "żuraw",    "śluza",    "tama",    "wyspa", "mierzeja",
};
constexpr std::uint64_t kWordCount = std::size(kWords);

struct Rng {
    std::uint64_t s;
    std::uint64_t Next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
};

std::string Phrase(Rng& rng, int words, std::int64_t number) {
    std::string out;
    for (int i = 0; i < words; ++i) out += std::string(kWords[rng.Next() % kWordCount]) + " ";
    return out + std::to_string(number);
}

const std::string& IndexPath(benchmark::State& state) {
    static std::string path;
    if (!path.empty()) return path;
    const fs::path dir = fs::temp_directory_path() / "quindel_bench_search";
    fs::create_directories(dir);
    path = (dir / "search.sqlite").string();
    hostkit::SearchIndex existing;
    if (existing.Open(path) && existing.Fingerprint() == kFingerprint) return path;
    const auto start = std::chrono::steady_clock::now();
    hostkit::SearchIndexWriter writer(path);
    Rng rng{0x9e3779b97f4a7c15ULL};
    for (std::int64_t i = 0; i < kRecords; ++i) {
        const auto list =
            i % 10 == 9 ? hostkit::SearchList::Linked : hostkit::SearchList::Multimedia;
        writer.Add({list, i, Phrase(rng, 4, i), Phrase(rng, 14, i)});
    }
    if (!writer.Commit(kFingerprint)) state.SkipWithError(writer.Error().c_str());
    state.counters["build_s"] =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return path;
}

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Types `phrase` a letter at a time, as the viewer's field queries on every change.
void TypePhrase(benchmark::State& state, const std::string& phrase) {
    const std::string& path = IndexPath(state);
    hostkit::SearchIndex index;
    if (!index.Open(path)) {
        state.SkipWithError(index.Error().c_str());
        return;
    }
    // Once untimed: the first queries after opening read the index's pages from the disk.
    for (std::size_t n = 1; n <= phrase.size(); ++n) index.Find(phrase.substr(0, n), 20);
    double slowest = 0, total = 0, slowestCpu = 0;
    std::int64_t keystrokes = 0;
    std::size_t hits = 0;
    for (auto _ : state) {
        for (std::size_t n = 1; n <= phrase.size(); ++n) {
            if ((phrase[n - 1] & 0xC0) == 0x80) continue;  // the middle of a letter is no keystroke
            const auto t0 = std::chrono::steady_clock::now();
            const double cpu0 = ThreadCpuMs();
            hits = index.Find(phrase.substr(0, n), 20).size();
            benchmark::DoNotOptimize(hits);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count();
            slowest = std::max(slowest, ms);
            slowestCpu = std::max(slowestCpu, ThreadCpuMs() - cpu0);
            total += ms;
            ++keystrokes;
        }
    }
    state.counters["keystroke_ms"] = slowest;
    state.counters["keystroke_cpu_ms"] = slowestCpu;
    state.counters["keystroke_mean_ms"] = keystrokes ? total / double(keystrokes) : 0;
    state.counters["last_hits"] = double(hits);
}

void BM_TypeCommonWords(benchmark::State& state) {
    TypePhrase(state, "wisła kraków most");
}
void BM_TypeRareNumber(benchmark::State& state) {
    TypePhrase(state, "zamek 123456");
}
void BM_TypeNothingFound(benchmark::State& state) {
    TypePhrase(state, "xylofon");
}

}  // namespace

BENCHMARK(BM_TypeCommonWords)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeRareNumber)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeNothingFound)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
