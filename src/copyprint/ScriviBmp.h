#pragma once
// Writing a picture as a Windows bitmap (24 bits a pixel, bottom-up rows), the format other
// programs open everywhere.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Image.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

std::vector<std::uint8_t> CodificaBmp(const platform::Image& Immagine);
// Raises 76 for a missing folder, 70 without permission, 61 on a full disk, else 75, when the
// file cannot be written.
void ScriviBmp(const std::string& Percorso, const platform::Image& Immagine);

}  // namespace quindel

QUINDEL_API_END
