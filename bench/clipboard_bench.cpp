// Copying a megabyte of RTF to the clipboard the way the copy dialog asks a hidden rich-text box
// to (the whole text selected, then 118 = 2: RTF and plain text; 118 = 1: plain text alone), on
// the headless clipboard. What is measured is the box's work: cutting the selection out as RTF
// and as text.
#include <benchmark/benchmark.h>

#include <string>

#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

using namespace quindel;

// Formatted prose of about `bytes` bytes: bold and italic words, Polish letters as \u escapes,
// a second font every few paragraphs.
std::string Prose(std::size_t bytes) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}"
        "{\\f1\\fswiss Arial;}}\n";
    for (int n = 0; rtf.size() < bytes; ++n) {
        rtf +=
            "\\pard\\sa120 Wis\\u322\\'b3a p\\u322\\'b3ynie {\\b na p\\u243\\'f3\\u322\\'b3noc} "
            "przez {\\i Krak\\u243\\'f3w} i Warszaw\\u281\\'ea, a paragraf " +
            std::to_string(n) + (n % 7 == 0 ? " ma {\\f1 inn\\u261\\'b9 czcionk\\u281\\'ea}" : "") +
            " ko\\u324\\'f1czy si\\u281\\'ea tutaj.\\par\n";
    }
    return rtf + "}";
}

void CopyMegabyte(benchmark::State& state) {
    static const std::string rtf = Prose(1 << 20);
    headless::HeadlessPlatform p;
    auto form = p.NewForm();
    form->Move(600, 600, 9000, 6000);
    auto box = p.NewChild<hostkit::RichTextBox>(*form);
    const Object obj = box;
    Args text{Variant(rtf)}, start{Variant(std::int32_t(0))}, none;
    obj->Invoke(42, CallKind::Let, text);
    obj->Invoke(90, CallKind::Let, start);
    Args length{obj->Invoke(144, CallKind::Get, none)};
    obj->Invoke(89, CallKind::Let, length);
    const auto mode = std::int16_t(state.range(0));
    for (auto _ : state) {
        Args copy{Variant(mode)};
        obj->Invoke(118, CallKind::Let, copy);
    }
    const auto& clip = *p.clipboard();
    state.SetBytesProcessed(std::int64_t(state.iterations() * rtf.size()));
    state.counters["rtf_bytes"] = double(clip.Rtf() ? clip.Rtf()->size() : 0);
    state.counters["text_bytes"] = double(clip.Text() ? clip.Text()->size() : 0);
    form->Unload();
}
BENCHMARK(CopyMegabyte)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
