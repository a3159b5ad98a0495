#include "richtext/CodePageDecoder.h"

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "richtext/FontTable.h"
#include "richtext/SymbolFont.h"
#include "richtext/Utf8.h"
#include "runtime/CodePage.h"
#include "runtime/Text.h"

namespace quindel::richtext {

namespace {

using ByteTable = std::array<char32_t, 256>;

std::string IconvName(std::int32_t codePage) {
    switch (codePage) {
        case 10000:
            return "MACINTOSH";
        case 1361:
            return "JOHAB";
        case 65001:
            return "UTF-8";
        default:
            return "CP" + std::to_string(codePage);
    }
}

ByteTable BuildTable(std::int32_t codePage) {
    ByteTable t{};
    if (codePage == FontTable::kSymbolCodePage) {
        for (int b = 0; b < 256; ++b)
            t[std::size_t(b)] = b < 0x20 ? char32_t(b) : SymbolToUnicode(std::uint8_t(b));
        return t;
    }
    std::string all(256, '\0');
    for (int b = 0; b < 256; ++b) all[std::size_t(b)] = char(b);
    const std::string name = IconvName(codePage);
    std::string utf8 = DaCodePage(all, name);
    if (CountCodePoints(utf8) == 256) {
        std::size_t i = 0;
        for (char32_t& c : t) c = NextCodePoint(utf8, i);
        return t;
    }
    // A page that combines neighbouring bytes: one byte at a time.
    for (int b = 0; b < 256; ++b) {
        const std::string one = DaCodePage(std::string(1, char(b)), name);
        std::size_t i = 0;
        t[std::size_t(b)] = one.empty() ? U'\uFFFD' : NextCodePoint(one, i);
    }
    return t;
}

const ByteTable& TableFor(std::int32_t codePage) {
    static std::mutex lock;
    static std::map<std::int32_t, std::unique_ptr<ByteTable>> tables;
    std::lock_guard<std::mutex> guard(lock);
    auto& slot = tables[codePage];
    if (!slot) slot = std::make_unique<ByteTable>(BuildTable(codePage));
    return *slot;
}

using ReverseTable = std::unordered_map<char32_t, std::uint8_t>;

const ReverseTable& ReverseFor(std::int32_t codePage) {
    static std::mutex lock;
    static std::map<std::int32_t, std::unique_ptr<ReverseTable>> tables;
    const ByteTable& forward = TableFor(codePage);
    std::lock_guard<std::mutex> guard(lock);
    auto& slot = tables[codePage];
    if (!slot) {
        slot = std::make_unique<ReverseTable>();
        // Downwards, so that a character two bytes decode to keeps the lower byte.
        for (int b = 255; b >= 0x20; --b)
            if (forward[std::size_t(b)] != U'\uFFFD')
                (*slot)[forward[std::size_t(b)]] = std::uint8_t(b);
    }
    return *slot;
}

std::int32_t Normalised(std::int32_t codePage) {
    return codePage > 0 ? codePage : 1252;
}

}  // namespace

bool CodePageDecoder::IsMultiByte(std::int32_t codePage) {
    switch (codePage) {
        case 932:
        case 936:
        case 949:
        case 950:
        case 1361:
        case 65001:
            return true;
        default:
            return false;
    }
}

void CodePageDecoder::Decode(std::string_view bytes, std::int32_t codePage, std::string& out) {
    codePage = Normalised(codePage);
    if (!held_.empty() && heldPage_ != codePage) Flush(out);
    if (IsMultiByte(codePage)) {
        held_.append(bytes);
        heldPage_ = codePage;
        return;
    }
    std::size_t i = 0;
    // ASCII passes straight through, except in symbol fonts.
    if (codePage != FontTable::kSymbolCodePage) {
        while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
        out.append(bytes.substr(0, i));
        if (i == bytes.size()) return;
    }
    const ByteTable& t = TableFor(codePage);
    // Pages that are not ASCII-based (EBCDIC) decode some bytes to control characters: noise in
    // text, as control bytes are, and no writer could give them back.
    for (; i < bytes.size(); ++i) {
        const char32_t c = t[static_cast<unsigned char>(bytes[i])];
        if (c >= 0x20 || c == U'\t') AppendUtf8(out, c);
    }
}

void CodePageDecoder::Flush(std::string& out) {
    if (held_.empty()) return;
    out += DaCodePage(held_, IconvName(heldPage_));
    held_.clear();
}

int CodePageDecoder::ByteOf(char32_t cp, std::int32_t codePage) {
    codePage = Normalised(codePage);
    if (IsMultiByte(codePage) || cp < 0x20) return -1;
    const ReverseTable& t = ReverseFor(codePage);
    auto it = t.find(cp);
    return it == t.end() ? -1 : it->second;
}

std::string CodePageDecoder::DecodeAll(std::string_view bytes, std::int32_t codePage) {
    CodePageDecoder d;
    std::string out;
    d.Decode(bytes, codePage, out);
    d.Flush(out);
    return out;
}

}  // namespace quindel::richtext
