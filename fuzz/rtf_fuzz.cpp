// Loads any bytes into the rich-text engine, lays out and paints a small page, selects, writes
// the document back as RTF and reads it again: nothing may crash, and the written RTF must
// read back to the same plain text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/headless/HeadlessTextService.h"
#include "richtext/Engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using quindel::richtext::Engine;
    static const quindel::headless::HeadlessTextService text;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Engine engine(text);
    engine.Load(bytes);
    engine.SetWidth(3000);
    const std::int32_t length = engine.TextLength();
    engine.Select(length / 3, length / 2);
    quindel::platform::Image page(160, 120);
    engine.Paint(page, 0, 0);
    engine.HitTest(1500, 600);
    engine.Caret(length / 2);
    (void)engine.SelectedText();
    (void)engine.SelectedRtf();
    engine.layout().PageEnd(0, 1440);
    Engine again(text);
    again.Load(engine.Rtf());
    if (again.Text() != engine.Text()) __builtin_trap();
    return 0;
}
