#include "support/Catalogo.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/FileSystem.h"
#include "runtime/CodePage.h"
#include "runtime/Coercions.h"
#include "runtime/Text.h"
#include "runtime/VbError.h"
#include "support/FileUtil.h"

namespace quindel {

namespace {

constexpr std::int32_t kCodeWidth = 6;
constexpr std::int32_t kTextColumn = 104;
constexpr std::int32_t kTextWidth = 350;
const std::string kLineBreakMarker = "\" & vbCrLf & \"";

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The code field (columns 1-6) of a raw line. Columns count characters of the decoded line; for
// the usual single-byte pages an ASCII field is the first six bytes, which spares decoding every
// line of the scan.
std::string CodeField(std::string_view raw) {
    const std::string_view head = raw.substr(0, kCodeWidth);
    if (IsAscii(head)) return std::string(head);
    return Left(DaCodePage(raw), kCodeWidth);
}

bool HasCode(std::string_view raw, std::int32_t codice) {
    const std::string field = Trim(CodeField(raw));
    // Plain digits are the usual case; anything else goes through the full numeric rules.
    std::int64_t value = 0;
    const bool digits =
        !field.empty() && field.size() <= 9 && std::all_of(field.begin(), field.end(), [&](char c) {
            value = value * 10 + (c - '0');
            return c >= '0' && c <= '9';
        });
    if (digits) return value == codice;
    const Variant v = field;
    return IsNumeric(v) && CDbl(v) == double(codice);
}

std::string CatalogPath(const platform::FileSystem& files) {
    for (const std::string& folder : files.DataFolders()) {
        const std::string path = TogliBarraFinale(folder) + "\\Quindel.bin";
        if (FileEsiste(files, path)) return path;
    }
    return {};
}

}  // namespace

bool CatalogoPresente(const platform::FileSystem& files) {
    return !CatalogPath(files).empty();
}

std::string PreparaMessaggio(std::string text) {
    text = Replace(text, kLineBreakMarker, "\r\n");
    return Replace(text, "&", "");
}

std::string CercaMessaggio(std::string_view Contenuto, std::int32_t Codice) {
    for (std::size_t inizio = 0; inizio < Contenuto.size();) {
        std::size_t fine = Contenuto.find('\n', inizio);
        if (fine == std::string_view::npos) fine = Contenuto.size();
        std::string_view raw = Contenuto.substr(inizio, fine - inizio);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        if (HasCode(raw, Codice))
            return PreparaMessaggio(Trim(Mid(DaCodePage(raw), kTextColumn, kTextWidth)));
        inizio = fine + 1;
    }
    return {};
}

std::string LinguaCatalogo(const platform::FileSystem& files) {
    constexpr std::int32_t kCodiceLingua = 0;
    std::string lingua;
    try {
        lingua = Trim(LeggiMessaggio(files, kCodiceLingua));
    } catch (const VbError&) {
        // An unreadable catalogue speaks no language: the fixed texts' one stands.
    }
    return lingua.empty() ? "pl" : lingua;
}

std::string LeggiMessaggio(const platform::FileSystem& files, std::int32_t Codice) {
    const std::string path = CatalogPath(files);
    if (path.empty()) return {};
    std::ifstream in(files.Resolve(path), std::ios::binary);
    if (!in) Raise(75);
    std::ostringstream contenuto;
    contenuto << in.rdbuf();
    if (in.bad()) Raise(57);
    return CercaMessaggio(contenuto.view(), Codice);
}

}  // namespace quindel
