#pragma once
// The few multimedia commands the panel sends to the animation device, always under the alias
// "mmmMAT" and the device type "mmmovie", through the platform's command-string interpreter (one
// is made and hung on the platform the first time a control needs it). Every function reports an
// unexpected run-time error through the error report under its own name.
#include <cstdint>
#include <string>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class MultimediaCommands;
}  // namespace quindel::platform

namespace quindel {

// The interpreter of platform p, made on first use.
platform::MultimediaCommands& InterpreteMultimediale(platform::Platform& p);

// Opens NomeFile as the animation in a child window of hWndParent; true when it opened.
bool OpenMMM(platform::Platform& p, std::int32_t hWndParent, const std::string& NomeFile);
// Sends Comando & " mmmMAT"; false only when MostraErrore and the device reported an error.
bool CommandMMM(platform::Platform& p, const std::string& Comando, bool MostraErrore);
// The animation window's size in pixels; false (arguments unchanged) on a device error.
bool DimensioniAnimazione(platform::Platform& p, std::int32_t& Larghezza, std::int32_t& Altezza);
// Length and position in the device's units; 0 on a device error.
std::int32_t LunghezzaAnimazione(platform::Platform& p);
std::int32_t PosizioneAnimazione(platform::Platform& p);
// Back to the start; the device's answer is ignored.
void RicominciaAnimazione(platform::Platform& p);

}  // namespace quindel

QUINDEL_API_END
