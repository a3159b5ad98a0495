#include "lists/CaricaListaDaFile.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lists/ClasseRecordLista.h"
#include "lists/ClasseTLista.h"
#include "platform/FileSystem.h"
#include "runtime/CodePage.h"
#include "runtime/Coercions.h"
#include "runtime/Text.h"
#include "support/FileUtil.h"

namespace quindel {

namespace {

using Campo = ClasseRecordLista::Campo;

constexpr std::size_t kRecord = kLunghezzaRecordFileLista;
// Records read at a time: big reads, a buffer that stays in the cache.
constexpr std::size_t kRecordPerBlocco = 48;
// Chunked loads show descriptions of at most this many characters, shortened with an ellipsis.
constexpr std::int32_t kDescrizioneMassima = 60;
constexpr std::int32_t kDescrizioneAccorciata = 57;

// In the file each field is as many bytes wide as it holds characters, in record order.
constexpr std::size_t Scostamento(Campo c) {
    std::size_t inizio = 0;
    for (std::size_t i = 0; i < std::size_t(c); ++i)
        inizio += std::size_t(ClasseRecordLista::kLarghezze[i]);
    return inizio;
}
static_assert(Scostamento(Campo::Didascalia) + 1024 == kRecord);

// The file, open for reading; closed on scope exit.
class FileAperto {
  public:
    explicit FileAperto(const std::string& percorso)
        : fd_(::open(percorso.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~FileAperto() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileAperto(const FileAperto&) = delete;
    FileAperto& operator=(const FileAperto&) = delete;

    int fd() const { return fd_; }
    // The length of a regular file, or -1 when none is open (a folder opens, but is no list).
    std::int64_t Lunghezza() const {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return -1;
        return std::int64_t(st.st_size);
    }

  private:
    int fd_;
};

// Records to read: the file's length in records less one, rounded half to even, plus one. So a
// trailing part of a record counts when it is about half a record or more.
std::int64_t RecordDaLeggere(std::int64_t lunghezza) {
    const std::int64_t interi = lunghezza / std::int64_t(kRecord);
    const std::int64_t resto2 = 2 * (lunghezza % std::int64_t(kRecord));
    std::int64_t ultimo = interi - 1;
    if (resto2 > std::int64_t(kRecord) || (resto2 == std::int64_t(kRecord) && ultimo % 2 != 0))
        ++ultimo;
    return ultimo + 1;
}

// Hands out the records of a file one by one, reading them in blocks.
class LettoreRecord {
  public:
    LettoreRecord(int fd, std::int64_t quanti)
        : fd_(fd),
          blocco_(std::size_t(std::min<std::int64_t>(quanti, kRecordPerBlocco)) * kRecord) {}

    // The next record, blank-filled past the end of the file; empty when nothing is left or the
    // file cannot be read.
    std::string_view Prossimo() {
        if (pos_ == fine_ && !Riempi()) return {};
        const std::string_view record(blocco_.data() + pos_, kRecord);
        pos_ += kRecord;
        return record;
    }

  private:
    bool Riempi() {
        if (guasto_) return false;
        std::size_t letti = 0;
        while (letti < blocco_.size()) {
            const ssize_t n = ::read(fd_, blocco_.data() + letti, blocco_.size() - letti);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) guasto_ = true;
            if (n <= 0) break;
            letti += std::size_t(n);
        }
        // After a failure only the records read whole are good; at the end of the file the last
        // part of a record is completed with blanks.
        fine_ = guasto_ ? letti / kRecord * kRecord : (letti + kRecord - 1) / kRecord * kRecord;
        std::fill(blocco_.begin() + std::ptrdiff_t(letti), blocco_.begin() + std::ptrdiff_t(fine_),
                  ' ');
        pos_ = 0;
        return fine_ > 0;
    }

    int fd_;
    std::vector<char> blocco_;
    std::size_t pos_ = 0, fine_ = 0;
    bool guasto_ = false;
};

// The text without its trailing padding: blanks, and NULs too when asked. Works on code-page
// bytes and on UTF-8 alike, as neither byte occurs inside a UTF-8 sequence. Records are mostly
// padding, so it is skipped many bytes at a time: 32 with AVX2 where the processor has it,
// sixteen with SSE2; in the block where the text ends, the mask of padding bytes tells where
// at once. A NUL or'ed with a blank is a blank, and no other byte becomes one. Each step gives
// the exact length when it met the text, or the length still to look at.
struct Coda {
    std::size_t n;
    bool trovata;  // n is where the text ends
};

#if defined(__SSE2__)
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("avx2"))) inline __m256i Imbottitura32(const char* p, __m256i nul) {
    const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    return _mm256_cmpeq_epi8(_mm256_or_si256(w, nul), _mm256_set1_epi8(' '));
}

__attribute__((target("avx2"))) Coda SaltaCodaAvx2(const char* p, std::size_t n, bool ancheNul) {
    const __m256i nul = ancheNul ? _mm256_set1_epi8(' ') : _mm256_setzero_si256();
    while (n >= 128) {
        const __m256i tutto = _mm256_and_si256(
            _mm256_and_si256(Imbottitura32(p + n - 32, nul), Imbottitura32(p + n - 64, nul)),
            _mm256_and_si256(Imbottitura32(p + n - 96, nul), Imbottitura32(p + n - 128, nul)));
        if (_mm256_movemask_epi8(tutto) != -1) break;
        n -= 128;
    }
    for (; n >= 32; n -= 32) {
        const auto imbottitura = unsigned(_mm256_movemask_epi8(Imbottitura32(p + n - 32, nul)));
        if (imbottitura != ~0u) return {n - std::size_t(std::countl_one(imbottitura)), true};
    }
    return {n, false};
}

// QUINDEL_NO_AVX2 takes the SSE2 steps on a processor that has AVX2, so tests try both.
// Set while the library loads, so the processor is asked explicitly, not after the runtime did.
const bool kAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && std::getenv("QUINDEL_NO_AVX2") == nullptr;
}();
#endif

Coda SaltaCodaABlocchi(const char* p, std::size_t n, bool ancheNul) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (kAvx2) return SaltaCodaAvx2(p, n, ancheNul);
#endif
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i nul = ancheNul ? blank : _mm_setzero_si128();
    for (; n >= 16; n -= 16) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 16));
        const auto imbottitura =
            std::uint16_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(w, nul), blank)));
        if (imbottitura != 0xFFFF) return {n - std::size_t(std::countl_one(imbottitura)), true};
    }
    return {n, false};
}
#else
Coda SaltaCodaABlocchi(const char* p, std::size_t n, bool ancheNul) {
    constexpr std::uint64_t kBlanks = 0x2020202020202020ULL;
    const std::uint64_t nul = ancheNul ? kBlanks : 0;
    while (n >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p + n - 8, 8);
        if ((w | nul) != kBlanks) break;
        n -= 8;
    }
    return {n, false};
}
#endif

std::string_view SenzaCoda(std::string_view testo, bool ancheNul) {
    const char* p = testo.data();
    auto [n, trovata] = SaltaCodaABlocchi(p, testo.size(), ancheNul);
    if (!trovata)
        while (n > 0 && (p[n - 1] == ' ' || (ancheNul && p[n - 1] == '\0'))) --n;
    return testo.substr(0, n);
}

// Code-page text to UTF-8. List files hold single-byte characters, so each byte converts on its
// own: the upper half is converted once per load, and ASCII reads the same in every code page
// list files use. Each upper character is kept in a fixed slot, so converting one is a copy of
// eight bytes.
struct CarattereAlto {
    std::array<char, 7> utf8{};
    std::uint8_t n = 0;
};
using MetaAlta = std::array<CarattereAlto, 128>;

// The upper half of a code page in UTF-8, kept per thread for the last page asked for: a chunk
// load then costs no conversion set-up.
const MetaAlta& MetaAltaDi(const std::string& codePage) {
    thread_local std::string pagina;
    thread_local bool pronta = false;
    thread_local MetaAlta alto;
    if (!pronta || pagina != codePage) {
        for (std::size_t b = 0x80; b <= 0xFF; ++b) {
            std::string utf8 = DaCodePage(std::string(1, char(b)), codePage);
            if (utf8.size() > CarattereAlto{}.utf8.size()) utf8 = "?";  // no single character
            CarattereAlto& c = alto[b - 0x80];
            std::copy(utf8.begin(), utf8.end(), c.utf8.begin());
            c.n = std::uint8_t(utf8.size());
        }
        pagina = codePage;
        pronta = true;
    }
    return alto;
}

// Converts the fields of one record into one buffer, back to back; a field's view stays valid
// until the next record is begun. The buffer is sized once for the widest possible record.
class Convertitore {
  public:
    Convertitore() : alto_(MetaAltaDi(SystemCodePage())), buffer_(kRecord * 7 + 16) {}

    void NuovoRecord() { fine_ = buffer_.data(); }

    std::string_view Converti(std::string_view byte) {
        char* inizio = fine_;
        const auto* p = reinterpret_cast<const unsigned char*>(byte.data());
        const auto* const stop = p + byte.size();
        while (p < stop) {
            const std::size_t ascii = CorsaAscii(p, std::size_t(stop - p));
            std::memcpy(fine_, p, ascii);
            fine_ += ascii;
            p += ascii;
            if (p == stop) break;
            const CarattereAlto& c = alto_[*p++ - 0x80];
            std::memcpy(fine_, c.utf8.data(), c.utf8.size());  // the slack covers the full slot
            fine_ += c.n;
        }
        return {inizio, std::size_t(fine_ - inizio)};
    }

  private:
    // How many bytes from p on are ASCII, sixteen at a time where SSE2 is there.
    static std::size_t CorsaAscii(const unsigned char* p, std::size_t n) {
        std::size_t i = 0;
#if defined(__SSE2__)
        for (; i + 16 <= n; i += 16) {
            const int alti =
                _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
            if (alti != 0) return i + std::size_t(__builtin_ctz(unsigned(alti)));
        }
#endif
        while (i < n && p[i] < 0x80) ++i;
        return i;
    }

    const MetaAlta& alto_;
    std::vector<char> buffer_;
    char* fine_ = nullptr;
};

// Builds the entries of one list from its records.
class CaricatoreRecord {
  public:
    CaricatoreRecord(ClasseTLista& lista, const Variant& inizio)
        : lista_(lista), aPezzi_(!inizio.isMissing()), inizio_(aPezzi_ ? CLng(inizio) : 0) {}

    void Aggiungi(std::string_view record, std::int64_t i) {
        convertitore_.NuovoRecord();
        const std::string_view descrizione = Descrizione(record);
        const std::string_view cartella = Cartella(record);
        lista_.AddItem(Testo(record, Campo::CodiceLemma), descrizione,
                       Testo(record, Campo::TipoFile), cartella, Testo(record, Campo::NomeFileBlob),
                       Testo(record, Campo::NomeFile), Testo(record, Campo::Didascalia),
                       aPezzi_ ? Variant(std::int32_t(inizio_ + i)) : Variant::Missing());
    }

  private:
    // The field in UTF-8 without trailing blanks (padding the entry would drop anyway). The view
    // stays valid until the next record is begun.
    std::string_view Testo(std::string_view record, Campo c) {
        const std::string_view byte = SenzaCoda(
            record.substr(Scostamento(c), std::size_t(ClasseRecordLista::Larghezza(c))), false);
        return convertitore_.Converti(byte);
    }

    // The folder always ends with exactly the one backslash it is joined with.
    std::string_view Cartella(std::string_view record) {
        cartella_.assign(SenzaBarraFinale(SenzaCoda(Testo(record, Campo::PathName), true)));
        cartella_ += '\\';
        return cartella_;
    }

    std::string_view Descrizione(std::string_view record) {
        const std::string_view completa = Testo(record, Campo::Descrizione);
        if (!aPezzi_) return completa;
        const std::string_view testo = SenzaCoda(completa, true);
        // No longer in bytes than the limit means no longer in characters.
        if (testo.size() <= std::size_t(kDescrizioneMassima) || Len(testo) <= kDescrizioneMassima)
            return completa;
        descrizioneCorta_ = Left(testo, kDescrizioneAccorciata) + "...";
        return descrizioneCorta_;
    }

    ClasseTLista& lista_;
    const bool aPezzi_;
    const std::int64_t inizio_;
    Convertitore convertitore_;
    std::string cartella_, descrizioneCorta_;
};

}  // namespace

void CaricaListaDaFile(ClasseTLista& Lista, const platform::FileSystem& files,
                       std::string_view NomeFile, const Variant& Inizio) {
    const FileAperto file(files.Resolve(NomeFile));
    const std::int64_t lunghezza = file.Lunghezza();
    if (lunghezza < 0) return;
    const std::int64_t quanti = RecordDaLeggere(lunghezza);
    if (quanti <= 0) return;
    LettoreRecord lettore(file.fd(), quanti);
    CaricatoreRecord caricatore(Lista, Inizio);
    ClasseTLista::Caricamento caricamento(Lista);
    for (std::int64_t i = 0; i < quanti; ++i) {
        const std::string_view record = lettore.Prossimo();
        if (record.empty()) break;
        caricatore.Aggiungi(record, i);
    }
    caricamento.Fine();
}

void CaricaListaDaMemoria(ClasseTLista& Lista, std::string_view Contenuto, const Variant& Inizio) {
    const std::int64_t quanti = RecordDaLeggere(std::int64_t(Contenuto.size()));
    CaricatoreRecord caricatore(Lista, Inizio);
    ClasseTLista::Caricamento caricamento(Lista);
    std::string ultimo;
    for (std::int64_t i = 0; i < quanti; ++i) {
        const std::size_t da = std::size_t(i) * kRecord;
        std::string_view record = Contenuto.substr(std::min(da, Contenuto.size()), kRecord);
        if (record.size() < kRecord) {
            // The last part of a record is completed with blanks, as a file's is.
            ultimo.assign(record);
            ultimo.resize(kRecord, ' ');
            record = ultimo;
        }
        caricatore.Aggiungi(record, i);
    }
    caricamento.Fine();
}

}  // namespace quindel
