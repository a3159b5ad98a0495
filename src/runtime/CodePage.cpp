#include "runtime/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>

#include "runtime/Text.h"
#include "runtime/VbError.h"

namespace quindel {

namespace {

constexpr const char* kDefaultCodePage = "CP1250";
constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";  // U+FFFD

class IconvHandle {
  public:
    IconvHandle() = default;
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    IconvHandle(IconvHandle&& other) noexcept : cd_(std::exchange(other.cd_, Invalid())) {}
    IconvHandle& operator=(IconvHandle&& other) noexcept {
        std::swap(cd_, other.cd_);
        return *this;
    }
    ~IconvHandle() {
        if (valid()) iconv_close(cd_);
    }

    bool valid() const { return cd_ != Invalid(); }
    iconv_t get() const { return cd_; }

  private:
    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_ = Invalid();
};

// Both directions for one code page; with neither handle valid it is Latin-1 by hand.
struct Converter {
    IconvHandle toUtf8;
    IconvHandle fromUtf8;

    bool open(const char* codePage) {
        toUtf8 = IconvHandle("UTF-8", codePage);
        fromUtf8 = IconvHandle(codePage, "UTF-8");
        if (toUtf8.valid() && fromUtf8.valid()) return true;
        toUtf8 = IconvHandle();
        fromUtf8 = IconvHandle();
        return false;
    }
};

Converter OpenConverter(const std::string& codePage) {
    Converter c;
    if (!c.open(codePage.c_str())) c.open(kDefaultCodePage);
    return c;
}

// Lists of thousands of lines convert one line at a time: descriptors are opened once per code
// page name and kept for the life of the thread. An iconv descriptor holds conversion state, so
// each thread has its own (a rich-text load on a worker thread must not share the UI's).
Converter& ConverterFor(std::string_view codePage) {
    thread_local std::map<std::string, Converter, std::less<>> cache;
    auto it = cache.find(codePage);
    if (it == cache.end()) {
        std::string name(codePage);
        it = cache.emplace(name, OpenConverter(name)).first;
    }
    return it->second;
}

// What to write for, and how many bytes to skip over, input that does not convert.
struct Substitution {
    std::string_view text;
    std::size_t skip;
};

// Converts all of `in`, handing every failing position to `substitute`. The output is
// written straight into the result, sized up front from `bytesPerInputByte`.
template <class Substitute>
std::string Convert(iconv_t cd, std::string_view in, std::size_t bytesPerInputByte,
                    Substitute substitute) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
    std::string out(in.size() * bytesPerInputByte + 8, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t used = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        used = std::size_t(outPtr - out.data());
        if (r != std::size_t(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 8);
            continue;
        }
        const Substitution sub = substitute(std::string_view(inPtr, inLeft));
        if (out.size() < used + sub.text.size()) out.resize(used + sub.text.size() + inLeft);
        std::memcpy(out.data() + used, sub.text.data(), sub.text.size());
        used += sub.text.size();
        inPtr += sub.skip;
        inLeft -= sub.skip;
    }
    out.resize(used);
    return out;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::string Utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8SequenceLength(utf8, i);
        const char32_t cp = IsBadUtf8Byte(utf8, i, n) ? U'?' : DecodeUtf8(utf8, i, n);
        out += cp <= 0xFF ? char(cp) : '?';
        i += n;
    }
    return out;
}

// Single-byte: every byte converts on its own, to a character or to nothing (EILSEQ). A byte
// that is only the start of a character (EINVAL) marks a multibyte code page.
bool EveryByteStandsAlone(iconv_t cd) {
    for (int b = 0; b < 256; ++b) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char in = char(b), out[8];
        char* ip = &in;
        char* op = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(cd, &ip, &inLeft, &op, &outLeft) == std::size_t(-1) && errno == EINVAL)
            return false;
    }
    return true;
}

}  // namespace

std::string CodePageProblem(std::string_view codePage) {
    thread_local std::map<std::string, std::string, std::less<>> checked;
    if (auto it = checked.find(codePage); it != checked.end()) return it->second;
    const std::string name(codePage);
    std::string problem;
    IconvHandle toUtf8("UTF-8", name.c_str());
    if (!toUtf8.valid())
        problem = "the code page \"" + name + "\" is not known";
    else if (!EveryByteStandsAlone(toUtf8.get()))
        problem = "the code page \"" + name + "\" is not a single-byte code page";
    checked.emplace(name, problem);
    return problem;
}

std::string SystemCodePage() {
    const char* env = std::getenv("QUINDEL_CODEPAGE");
    if (!env || !*env) return kDefaultCodePage;
    const std::string problem = CodePageProblem(env);
    if (!problem.empty())
        throw VbError(5, "Quindel",
                      "QUINDEL_CODEPAGE: " + problem +
                          "; list files, the message catalogue and the error log are single-byte "
                          "text: name one such as CP1250, CP1252 or ISO-8859-2");
    return env;
}

std::string DaCodePage(std::string_view bytes) {
    return DaCodePage(bytes, SystemCodePage());
}

std::string DaCodePage(std::string_view bytes, std::string_view codePage) {
    const Converter& c = ConverterFor(codePage);
    if (!c.toUtf8.valid()) return Latin1ToUtf8(bytes);
    return Convert(c.toUtf8.get(), bytes, 3, [](std::string_view) {
        return Substitution{kReplacementChar, 1};
    });
}

std::string ACodePage(std::string_view utf8) {
    return ACodePage(utf8, SystemCodePage());
}

std::string ACodePage(std::string_view utf8, std::string_view codePage) {
    const Converter& c = ConverterFor(codePage);
    if (!c.fromUtf8.valid()) return Utf8ToLatin1(utf8);
    return Convert(c.fromUtf8.get(), utf8, 1, [](std::string_view rest) {
        return Substitution{"?", Utf8SequenceLength(rest, 0)};
    });
}

}  // namespace quindel
