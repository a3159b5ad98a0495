#pragma once
// The artwork built into the library (the button strip, the viewer's pointers and the copy and
// print dialogs' pictures), so the panel never depends on files that an installation might lose.
#include <string_view>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

// The bytes of a built-in resource ("toolbar.bmp", "zoomin.bmp", "zoomout.bmp", "pointers.bmp",
// "copia.bmp", "stampa.bmp", "opzione.bmp", "spunta.bmp"), or an empty view for an unknown name.
std::string_view RisorsaIncorporata(std::string_view nome);

}  // namespace quindel

QUINDEL_API_END
