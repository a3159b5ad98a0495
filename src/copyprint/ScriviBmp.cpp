#include "copyprint/ScriviBmp.h"

#include <cerrno>
#include <fstream>

#include "runtime/VbError.h"

namespace quindel {

namespace {

constexpr std::uint32_t kIntestazioni = 14 + 40;
constexpr std::int32_t kPixelPerMetro = 3780;  // 96 dpi

void Aggiungi(std::vector<std::uint8_t>& out, std::uint32_t v, int byte) {
    for (int i = 0; i < byte; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> CodificaBmp(const platform::Image& Immagine) {
    const int w = Immagine.width(), h = Immagine.height();
    const std::uint32_t riga = (std::uint32_t(w) * 3 + 3) & ~3u;
    const std::uint32_t dati = riga * std::uint32_t(h);
    std::vector<std::uint8_t> out;
    out.reserve(kIntestazioni + dati);
    out.push_back('B');
    out.push_back('M');
    Aggiungi(out, kIntestazioni + dati, 4);
    Aggiungi(out, 0, 4);
    Aggiungi(out, kIntestazioni, 4);
    Aggiungi(out, 40, 4);
    Aggiungi(out, std::uint32_t(w), 4);
    Aggiungi(out, std::uint32_t(h), 4);
    Aggiungi(out, 1, 2);   // planes
    Aggiungi(out, 24, 2);  // bits a pixel
    Aggiungi(out, 0, 4);   // BI_RGB
    Aggiungi(out, dati, 4);
    Aggiungi(out, kPixelPerMetro, 4);
    Aggiungi(out, kPixelPerMetro, 4);
    Aggiungi(out, 0, 4);
    Aggiungi(out, 0, 4);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const platform::Rgba c = Immagine.pixel(x, y);
            out.push_back(std::uint8_t(platform::BlueOf(c)));
            out.push_back(std::uint8_t(platform::GreenOf(c)));
            out.push_back(std::uint8_t(platform::RedOf(c)));
        }
        for (std::uint32_t k = std::uint32_t(w) * 3; k < riga; ++k) out.push_back(0);
    }
    return out;
}

// The classic numbers, so the error report can offer Retry where it helps.
[[noreturn]] void Fallito(int errore) {
    switch (errore) {
        case EACCES:
        case EPERM:
        case EROFS:
            Raise(70);  // permission denied
        case ENOENT:
        case ENOTDIR:
            Raise(76);  // path not found
        case ENOSPC:
            Raise(61);  // disk full
        default:
            Raise(75);
    }
}

void ScriviBmp(const std::string& Percorso, const platform::Image& Immagine) {
    const std::vector<std::uint8_t> bytes = CodificaBmp(Immagine);
    errno = 0;
    std::ofstream out(Percorso, std::ios::binary | std::ios::trunc);
    if (!out) Fallito(errno);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush()) Fallito(errno);
}

}  // namespace quindel
