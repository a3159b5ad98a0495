#include "runtime/Text.h"

#include "runtime/VbError.h"

namespace quindel {

namespace {

constexpr int kErrInvalidCall = 5;

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Allowed range of the second byte for a lead byte, per the well-formed UTF-8 table.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    if (lead == 0xE0) return second >= 0xA0 && second <= 0xBF;
    if (lead == 0xED) return second >= 0x80 && second <= 0x9F;
    if (lead == 0xF0) return second >= 0x90 && second <= 0xBF;
    if (lead == 0xF4) return second >= 0x80 && second <= 0x8F;
    return IsContinuation(second);
}

std::size_t ExpectedLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Latin Extended-A runs where an upper-case letter at an even distance from `first` is
// followed by its lower-case partner.
struct CasePairRun {
    char32_t first;
    char32_t last;
};
constexpr CasePairRun kPairRuns[] = {
    {0x100, 0x12F}, {0x132, 0x137}, {0x139, 0x148}, {0x14A, 0x177}, {0x179, 0x17E}};

const CasePairRun* PairRunOf(char32_t c) {
    for (const auto& run : kPairRuns) {
        if (c >= run.first && c <= run.last) return &run;
    }
    return nullptr;
}

char32_t ToLowerCp(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c == 0x178) return 0xFF;
    const CasePairRun* run = PairRunOf(c);
    return run && (c - run->first) % 2 == 0 ? c + 1 : c;
}

char32_t ToUpperCp(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
    if (c == 0xFF) return 0x178;
    const CasePairRun* run = PairRunOf(c);
    return run && (c - run->first) % 2 == 1 ? c - 1 : c;
}

// A bad byte folds to a value outside Unicode, so it only ever equals itself.
char32_t FoldedAt(std::string_view s, std::size_t i, std::size_t n) {
    if (IsBadUtf8Byte(s, i, n)) return 0x110000 + static_cast<unsigned char>(s[i]);
    return ToLowerCp(DecodeUtf8(s, i, n));
}

// Applies `map` to every well-formed code point; bad bytes pass through untouched.
template <class Map>
std::string MapCodePoints(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8SequenceLength(s, i);
        if (IsBadUtf8Byte(s, i, n)) {
            out += s[i];
        } else {
            AppendUtf8(out, map(DecodeUtf8(s, i, n)));
        }
        i += n;
    }
    return out;
}

// Byte offset of the code point with 0-based index `count`, or s.size() past the end.
std::size_t ByteOffset(std::string_view s, int32_t count) {
    std::size_t i = 0;
    for (; count > 0 && i < s.size(); --count) i += Utf8SequenceLength(s, i);
    return i;
}

void CheckNonNegative(int32_t n) {
    if (n < 0) Raise(kErrInvalidCall);
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const std::size_t n = ExpectedLength(lead);
    if (n <= 1 || i + n > s.size()) return 1;
    if (!SecondByteFits(lead, static_cast<unsigned char>(s[i + 1]))) return 1;
    for (std::size_t k = 2; k < n; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(s[i + k]))) return 1;
    }
    return n;
}

char32_t DecodeUtf8(std::string_view s, std::size_t i, std::size_t n) {
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t cp = static_cast<unsigned char>(s[i]) & kLeadMask[n];
    for (std::size_t k = 1; k < n; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

bool IsBadUtf8Byte(std::string_view s, std::size_t i, std::size_t n) {
    return n == 1 && static_cast<unsigned char>(s[i]) >= 0x80;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

int32_t Len(std::string_view s) {
    int32_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += Utf8SequenceLength(s, i)) ++n;
    return n;
}

std::string Left(std::string_view s, int32_t n) {
    CheckNonNegative(n);
    return std::string(s.substr(0, ByteOffset(s, n)));
}

std::string Right(std::string_view s, int32_t n) {
    CheckNonNegative(n);
    const int32_t skip = Len(s) - n;
    return std::string(skip <= 0 ? s : s.substr(ByteOffset(s, skip)));
}

std::string Mid(std::string_view s, int32_t start1, int32_t length) {
    if (start1 < 1 || length < -1) Raise(kErrInvalidCall);
    const std::string_view tail = s.substr(ByteOffset(s, start1 - 1));
    return length == -1 ? std::string(tail) : std::string(tail.substr(0, ByteOffset(tail, length)));
}

std::string LTrim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string RTrim(std::string_view s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string Trim(std::string_view s) {
    return LTrim(RTrim(s));
}

std::string UCase(std::string_view s) {
    return MapCodePoints(s, ToUpperCp);
}

std::string LCase(std::string_view s) {
    return MapCodePoints(s, ToLowerCp);
}

std::string FixedWidth(std::string_view s, int32_t width) {
    if (width <= 0) return {};
    std::string out = Left(s, width);
    const int32_t len = Len(out);
    if (len < width) out.append(std::size_t(width - len), ' ');
    return out;
}

int32_t InStr(std::string_view hay, std::string_view needle, int32_t start1) {
    if (start1 < 1) Raise(kErrInvalidCall);
    if (hay.empty() || start1 > Len(hay)) return 0;
    if (needle.empty()) return start1;
    std::size_t pos = ByteOffset(hay, start1 - 1);
    int32_t cp = start1;
    // A byte match inside a code point (possible only around bad bytes) is skipped.
    for (;;) {
        const std::size_t found = hay.find(needle, pos);
        if (found == std::string_view::npos) return 0;
        for (; pos < found; ++cp) pos += Utf8SequenceLength(hay, pos);
        if (pos == found) return cp;
    }
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with) {
    if (find.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    for (std::size_t hit; (hit = s.find(find, pos)) != std::string_view::npos;
         pos = hit + find.size()) {
        out.append(s.substr(pos, hit - pos));
        out.append(with);
    }
    out.append(s.substr(pos));
    return out;
}

std::u32string FoldedCodePoints(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8SequenceLength(s, i);
        out += FoldedAt(s, i, n);
        i += n;
    }
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const std::size_t n = Utf8SequenceLength(a, i);
        const std::size_t m = Utf8SequenceLength(b, j);
        if (FoldedAt(a, i, n) != FoldedAt(b, j, m)) return false;
        i += n;
        j += m;
    }
    return i == a.size() && j == b.size();
}

}  // namespace quindel
