// The content builder on 100,000 objects (10,000 distinct picture files, each shown by ten
// objects, 1,000 linked entries), against writing the same two list files with the list writer
// alone. Counters: `ratio`, a build after a change that alters the lists (the media probed by an
// earlier run) over the list writing alone; `build_ms` and `lists_ms`, those two times;
// `parse_ms`, the part of build_ms spent reading the manifest; `index_ms`, the search index's
// records on their own thread (overlapping the lists and the other files); and `rerun_ms`, a
// second run on the unchanged folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "PictureFiles.h"
#include "build/ContentBuilder.h"
#include "build/ContentPlan.h"
#include "build/Diagnostics.h"
#include "build/Manifest.h"
#include "hostkit/lists/ScrittoreLista.h"

namespace {

namespace fs = std::filesystem;
using namespace quindel;
using Clock = std::chrono::steady_clock;

constexpr int kObjects = 100000, kFiles = 10000, kLinks = 1000;

std::string ObjectText(int i, int generation) {
    const std::string n = std::to_string(i);
    const int f = i % kFiles;
    return "[[object]]\ntype = \"DI\"\nfile = \"media/d" + std::to_string(f / 1000) + "/p" +
           std::to_string(f) + ".png\"\ntitle = \"Rysunek nr " + n +
           (i == 0 ? " wersja " + std::to_string(generation) : "") +
           ": przekrój doliny Wisły\"\ncaption = \"Przekrój doliny w miejscu " + n +
           ", od źródeł do ujścia, z zaznaczonym korytem rzeki i terasami zalewowymi.\"\n";
}

// A content folder of kObjects objects; Write(generation) changes the first title.
class BigContent {
  public:
    BigContent()
        : dir_(fs::temp_directory_path() / ("quindel-build-bench-" + std::to_string(::getpid()))) {
        fs::remove_all(dir_);
        const std::string png = samplegen::EncodePng(platform::Image(4, 3));
        for (int f = 0; f < kFiles; ++f) {
            const fs::path file =
                dir_ / ("media/d" + std::to_string(f / 1000)) / ("p" + std::to_string(f) + ".png");
            fs::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary) << png;
        }
        Write(0);
    }
    ~BigContent() { fs::remove_all(dir_); }

    void Write(int generation) const {
        std::string text = "[entry]\ncode = \"BIG\"\ncodepage = \"CP1250\"\n";
        for (int i = 0; i < kObjects; ++i) text += ObjectText(i, generation);
        for (int i = 0; i < kLinks; ++i)
            text += "[[link]]\ncode = \"E" + std::to_string(1000000 + i) +
                    "\"\ntitle = \"Hasło powiązane numer " + std::to_string(i) + "\"\n";
        std::ofstream(dir_ / build::kManifestName, std::ios::binary) << text;
    }
    const fs::path& Dir() const { return dir_; }

  private:
    fs::path dir_;
};

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void BM_Build100k(benchmark::State& state) {
    setenv("QUINDEL_CODEPAGE", "CP1250", 1);
    const BigContent content;
    if (const build::BuildReport first = build::BuildContent({content.Dir()});
        first.ExitCode() != 0) {
        const std::string why =
            first.failure.empty() && !first.diagnostics.Items().empty()
                ? std::find_if(first.diagnostics.Items().begin(), first.diagnostics.Items().end(),
                               [](const build::Diagnostic& d) {
                                   return d.severity == build::Severity::Error;
                               })
                      ->Text()
                : first.failure;
        return state.SkipWithError(("the first build failed: " + why).c_str());
    }
    // The same records for the list writer alone, from the builder's own plan.
    build::Diagnostics d;
    const build::ContentPlan plan =
        build::PlanContent(build::ReadManifest(content.Dir() / build::kManifestName, d));
    const fs::path alone = content.Dir() / "alone";
    fs::create_directories(alone);
    double buildMs = 0, listsMs = 0, parseMs = 0, indexMs = 0;
    int generation = 0;
    for (auto _ : state) {
        state.PauseTiming();
        content.Write(++generation);
        state.ResumeTiming();
        const auto t0 = Clock::now();
        hostkit::ScriviListaFile((alone / "ListaMM.lst").string(), plan.media);
        hostkit::ScriviListaFile((alone / "ListaLemmi.lst").string(), plan.links);
        const auto t1 = Clock::now();
        const build::BuildReport r = build::BuildContent({content.Dir()});
        const auto t2 = Clock::now();
        if (r.ExitCode() != 0 || r.probed != 0)
            return state.SkipWithError("rebuild probed or failed");
        listsMs += Ms(t1 - t0);
        parseMs += r.parseMs;
        indexMs += r.indexMs;
        buildMs += Ms(t2 - t1);
    }
    const double n = double(state.iterations());
    state.counters["lists_ms"] = listsMs / n;
    state.counters["build_ms"] = buildMs / n;
    state.counters["ratio"] = buildMs / listsMs;
    state.counters["parse_ms"] = parseMs / n;
    state.counters["index_ms"] = indexMs / n;
    double rerunMs = 0;
    for (int i = 0; i < 3; ++i) {
        const auto t0 = Clock::now();
        const build::BuildReport r = build::BuildContent({content.Dir()});
        rerunMs += Ms(Clock::now() - t0);
        if (!r.upToDate) return state.SkipWithError("the rerun was not up to date");
    }
    state.counters["rerun_ms"] = rerunMs / 3;
}
BENCHMARK(BM_Build100k)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
