#pragma once
// The message catalogue "Quindel.bin": fixed-column text lines in the system code page, looked up
// by message code. Read afresh on every lookup; nothing is kept in memory.
#include <cstdint>
#include <string>
#include <string_view>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class FileSystem;
}

namespace quindel {

// The prepared text of message Codice from the catalogue beside the component (or in its parent
// folder), or "" when the catalogue or the code is missing.
std::string LeggiMessaggio(const platform::FileSystem& files, std::int32_t Codice);
// The language of the catalogue's texts, as a tag such as "pl" or "en": the text of its reserved
// entry 0, or "pl" when the catalogue, the entry or a readable file is missing (the component's
// fixed texts are Polish).
std::string LinguaCatalogo(const platform::FileSystem& files);
// Whether the catalogue is found, beside the component or in its parent folder.
bool CatalogoPresente(const platform::FileSystem& files);
// The same from the bytes of a catalogue held in memory.
std::string CercaMessaggio(std::string_view Contenuto, std::int32_t Codice);

// Turns a catalogue text into the text shown: the line-break marker becomes CR LF and every other
// "&" (an argument placeholder, always empty here) is removed.
std::string PreparaMessaggio(std::string text);

}  // namespace quindel

QUINDEL_API_END
