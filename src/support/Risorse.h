#pragma once
// The artwork built into the library (the button strip, the viewer's pointers and the copy and
// print dialogs' pictures), so the panel never depends on files that an installation might lose.
// Each picture is built in at its own size (NAME.bmp) and at twice it (NAME@2x.bmp) for dense
// screens.
#include <string_view>

#include "platform/Image.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

// The bytes of a built-in resource ("toolbar.bmp", "zoomin.bmp", "zoomout.bmp", "pointers.bmp",
// "copia.bmp", "stampa.bmp", "opzione.bmp", "spunta.bmp", each also as "NAME@2x.bmp"), or an
// empty view for an unknown name.
std::string_view RisorsaIncorporata(std::string_view nome);

// The built-in picture "NAME.bmp" carrying its drawing at twice the size as its denser drawing,
// so a dense screen paints it sharp. An empty picture when it is missing or damaged; a damaged
// or misfit twice-size drawing is left out.
platform::Image ImmagineIncorporata(std::string_view nome);

}  // namespace quindel

QUINDEL_API_END
