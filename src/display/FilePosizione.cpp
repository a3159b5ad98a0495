#include "display/FilePosizione.h"

#include "platform/Platform.h"
#include "platform/RegularFile.h"
#include "runtime/CodePage.h"
#include "runtime/Coercions.h"
#include "runtime/Text.h"
#include "support/FileUtil.h"

namespace quindel {

namespace {

constexpr std::int32_t kColonneNome = 13;
// A position file holds one short line a media file: a megabyte is tens of thousands of them.
constexpr std::int64_t kMassimoFilePosizioni = 1024 * 1024;

// The numbers of a matching line: a blank or non-numeric field is a type mismatch, as the
// conversion of the text would be.
std::int32_t Campo(std::string_view riga, std::int32_t da, std::int32_t quanti) {
    return CLng(Variant(Trim(Mid(riga, da, quanti))));
}

PosizioneFinestra Leggi(platform::Platform& p, const std::string& percorso, const char* file,
                        bool conLunghezza) {
    PosizioneFinestra risultato;
    if (!FileEsiste(p.files(), percorso)) return risultato;
    const std::size_t barra = percorso.rfind('\\');
    const std::string cartella =
        UCase(Trim(barra == std::string::npos ? "" : percorso.substr(0, barra + 1)));
    const std::string nome =
        UCase(Trim(barra == std::string::npos ? percorso : percorso.substr(barra + 1)));
    const std::string posizioni = cartella + file;
    if (!FileEsiste(p.files(), posizioni)) return risultato;
    const platform::ReadResult contenuto =
        platform::ReadRegularFile(p.files().Resolve(posizioni), kMassimoFilePosizioni);
    if (!contenuto.bytes) return risultato;
    const std::optional<RigaPosizione> riga = CercaPosizione(*contenuto.bytes, nome, conLunghezza);
    if (!riga) return risultato;
    // A few bytes may ask for any size: the window stays within what a screen can show.
    const platform::Screen& s = p.screen();
    const platform::SizePx px = s.Bounded({riga->LarghezzaPx, riga->AltezzaPx});
    risultato.Altezza = px.height * s.TwipsPerPixelY();
    risultato.Larghezza = px.width * s.TwipsPerPixelX();
    risultato.Lunghezza = riga->Lunghezza;
    return risultato;
}

}  // namespace

std::optional<RigaPosizione> CercaPosizione(std::string_view contenuto, std::string_view nome,
                                            bool conLunghezza) {
    const std::string cercato = UCase(Trim(nome));
    for (std::size_t inizio = 0; inizio < contenuto.size();) {
        std::size_t fine = contenuto.find('\n', inizio);
        if (fine == std::string_view::npos) fine = contenuto.size();
        std::string_view grezza = contenuto.substr(inizio, fine - inizio);
        if (!grezza.empty() && grezza.back() == '\r') grezza.remove_suffix(1);
        inizio = fine + 1;
        const std::string riga = UCase(Trim(DaCodePage(grezza)));
        if (riga.empty() || Trim(Left(riga, kColonneNome)) != cercato) continue;
        RigaPosizione r;
        r.AltezzaPx = Campo(riga, 14, 5);
        r.LarghezzaPx = Campo(riga, 19, 5);
        if (conLunghezza) r.Lunghezza = CLng(Variant(Trim(Mid(riga, 24))));
        return r;
    }
    return std::nullopt;
}

PosizioneFinestra LeggiPosizione3D(platform::Platform& p, const std::string& Percorso) {
    return Leggi(p, Percorso, "PosQTVR.bin", false);
}

PosizioneFinestra LeggiPosizioneShockwave(platform::Platform& p, const std::string& Percorso) {
    return Leggi(p, Percorso, "PosDCR.bin", true);
}

}  // namespace quindel
