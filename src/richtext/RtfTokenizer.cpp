#include "richtext/RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quindel::richtext {

namespace {

// Bytes that end a run of plain text.
constexpr std::array<bool, 256> kStops = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {'\\', '{', '}', '\r', '\n'}) t[c] = true;
    return t;
}();

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

RtfToken RtfTokenizer::Next() {
    while (pos_ < in_.size()) {
        const char c = in_[pos_];
        if (c == '\r' || c == '\n') {
            ++pos_;
            continue;
        }
        RtfToken t;
        if (c == '{' || c == '}') {
            ++pos_;
            t.kind = c == '{' ? RtfToken::Kind::Open : RtfToken::Kind::Close;
            return t;
        }
        if (c == '\\') return Escape();
        const std::size_t start = pos_;
        while (pos_ < in_.size() && !kStops[static_cast<unsigned char>(in_[pos_])]) ++pos_;
        t.kind = RtfToken::Kind::Text;
        t.text = in_.substr(start, pos_ - start);
        return t;
    }
    return {};
}

RtfToken RtfTokenizer::Escape() {
    ++pos_;
    if (pos_ >= in_.size()) return {};
    const char c = in_[pos_];
    if (IsLetter(c)) return Word();
    ++pos_;
    if (c == '\'') return Hex();
    RtfToken t;
    t.kind = RtfToken::Kind::Symbol;
    t.symbol = c == '\r' ? '\n' : c;
    return t;
}

RtfToken RtfTokenizer::Word() {
    RtfToken t;
    t.kind = RtfToken::Kind::Word;
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    t.text = in_.substr(start, pos_ - start);
    const bool negative =
        pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1]);
    if (negative) ++pos_;
    std::int64_t value = 0;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
        t.hasParam = true;
        if (value <= std::numeric_limits<std::int32_t>::max())
            value = value * 10 + (in_[pos_] - '0');
        ++pos_;
    }
    if (negative) value = -value;
    t.param = std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max()));
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    if (t.text == "bin" && t.hasParam) {
        const std::size_t n =
            std::min<std::size_t>(std::size_t(std::max(t.param, 0)), in_.size() - pos_);
        t.kind = RtfToken::Kind::Binary;
        t.text = in_.substr(pos_, n);
        pos_ += n;
    }
    return t;
}

RtfToken RtfTokenizer::Hex() {
    RtfToken t;
    int value = 0, digits = 0;
    while (digits < 2 && pos_ < in_.size() && HexValue(in_[pos_]) >= 0)
        value = value * 16 + HexValue(in_[pos_++]), ++digits;
    if (digits == 0) {
        t.kind = RtfToken::Kind::Symbol;
        t.symbol = '\'';
        return t;
    }
    t.kind = RtfToken::Kind::Hex;
    t.param = value;
    return t;
}

}  // namespace quindel::richtext
