#include "runtime/Guid.h"

#include <cstdio>

namespace quindel {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at s[at]; false when any is not a hex digit.
bool ReadHex(std::string_view s, std::size_t at, int digits, std::uint64_t& out) {
    out = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = HexDigit(s[at + std::size_t(i)]);
        if (d < 0) return false;
        out = out << 4 | std::uint64_t(d);
    }
    return true;
}

}  // namespace

std::string Guid::ToString() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", data1,
                  data2, data3, data4[0], data4[1], data4[2], data4[3], data4[4], data4[5],
                  data4[6], data4[7]);
    return buf;
}

std::optional<Guid> Guid::Parse(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' ||
        text[23] != '-')
        return std::nullopt;
    Guid g;
    std::uint64_t v = 0;
    if (!ReadHex(text, 0, 8, v)) return std::nullopt;
    g.data1 = std::uint32_t(v);
    if (!ReadHex(text, 9, 4, v)) return std::nullopt;
    g.data2 = std::uint16_t(v);
    if (!ReadHex(text, 14, 4, v)) return std::nullopt;
    g.data3 = std::uint16_t(v);
    static constexpr std::size_t kBytes[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(text, kBytes[i], 2, v)) return std::nullopt;
        g.data4[std::size_t(i)] = std::uint8_t(v);
    }
    return g;
}

}  // namespace quindel
