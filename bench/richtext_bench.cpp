// The rich-text engine's costs: reading a megabyte of RTF against only tokenizing it, the first
// paint of a long document against a short one, and the model's memory for the megabyte.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/headless/HeadlessTextService.h"
#include "richtext/Engine.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfTokenizer.h"

namespace {

using namespace quindel;

// A document of ordinary formatted prose: Polish letters as \u escapes, bold and italic
// groups, font and colour changes, and a small table every fifty paragraphs.
std::string Document(std::size_t bytes) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\froman\\fcharset238 Times New Roman;}"
        "{\\f1\\fswiss\\fcharset238 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}\\fs22\n";
    for (int n = 0; rtf.size() < bytes; ++n) {
        rtf += "\\pard\\qj\\sa120 Akapit " + std::to_string(n) +
               ": {\\b pogrubiony tekst} oraz {\\i pochy\\u322\\'b3y}, zwyk\\u322\\'b3e "
               "s\\u322\\'b3owa "
               "z polskimi literami \\u261\\'b9\\u281\\'ea\\u380\\'bf\\u378\\'9f, {\\f1\\cf1 inna "
               "czcionka} i dalszy ci\\u261\\'b9g zdania, kt\\u243\\'f3re zawija si\\u281\\'ea w "
               "wielu wierszach tekstu na stronie.\\par\n";
        if (n % 50 == 49)
            rtf +=
                "\\trowd\\trgaph108\\cellx3000\\cellx6000\\pard\\intbl kom\\u243\\'f3rka\\cell "
                "druga\\cell\\row\n";
    }
    return rtf + "}";
}

const std::string& Megabyte() {
    static const std::string doc = Document(1 << 20);
    return doc;
}

void ReadRtf(benchmark::State& state) {
    const std::string& rtf = Megabyte();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const richtext::Document d = richtext::RtfReader::Read(rtf);
        bytes = d.MemoryBytes();
        benchmark::DoNotOptimize(d.Length());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * rtf.size()));
    state.counters["model_bytes"] = double(bytes);
    state.counters["rtf_bytes"] = double(rtf.size());
}
BENCHMARK(ReadRtf)->Unit(benchmark::kMillisecond);

void TokenizeRtf(benchmark::State& state) {
    const std::string& rtf = Megabyte();
    for (auto _ : state) {
        richtext::RtfTokenizer t(rtf);
        std::size_t tokens = 0;
        while (t.Next().kind != richtext::RtfToken::Kind::End) ++tokens;
        benchmark::DoNotOptimize(tokens);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * rtf.size()));
}
BENCHMARK(TokenizeRtf)->Unit(benchmark::kMillisecond);

// A page is about 3 kB of this prose at 6.5 inches.
void FirstPaint(benchmark::State& state) {
    static const headless::HeadlessTextService text;
    richtext::Engine engine(text);
    engine.Load(Document(std::size_t(state.range(0)) * 3000));
    platform::Image screen(640, 480);
    for (auto _ : state) {
        engine.SetWidth(9000);  // drops the layout: each paint is a first paint
        engine.Paint(screen, 0, 0);
        benchmark::DoNotOptimize(screen.pixel(10, 10));
    }
    state.counters["pages"] = double(state.range(0));
    state.counters["laid_out_blocks"] = double(engine.layout().LaidOut());
}
BENCHMARK(FirstPaint)->Arg(2)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
