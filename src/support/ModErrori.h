#pragma once
// The shared error report: one dated line in the component's log, one message box naming the
// failed procedure, the error number and an explanation, and the user's answer back. Also the one
// report of a missing message catalogue, without which every tooltip and explanation is empty.
#include <cstdint>
#include <string>
#include <string_view>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
}

namespace quindel {

// Logs and shows the failure; returns the button pressed (1 OK, 2 Cancel, 4 Retry).
std::int16_t GestioneErrore(platform::Platform& p, std::string_view NomeProcedura,
                            std::int32_t NumeroErrore);
// Appends one dated line to the log; a log that cannot be written is skipped silently.
void ScriviLog(platform::Platform& p, std::string_view Testo);

// When the message catalogue is missing, says so once per platform: a log line and a box naming
// the folder it was looked for in, in the component's own Polish (no catalogue to translate it).
// Nothing when the catalogue is there.
void SegnalaCatalogoMancante(platform::Platform& p);

// The log file's path: the log's folder (FileSystem::LogFolder), one "\" and the program name
// with ".LOG"; empty when there is no folder for it.
std::string PercorsoLog(platform::Platform& p);

}  // namespace quindel

QUINDEL_API_END
