#pragma once
// The names a copy to a file is written under, from the control's FilePerCopia.
#include <string>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

struct NomiCopia {
    std::string NomeFileCopia;  // FilePerCopia without a three-letter extension
    std::string CartellaCopia;  // NomeFileCopia's folder, with its final separator
    std::string NomeCopia;      // and the rest, without a trailing ".RTF" (any case)

    static NomiCopia Da(const std::string& FilePerCopia);
    // The RTF file the text and caption copies go to: NomeFileCopia, ".rtf" added when it has no
    // extension (as the engine's save adds it).
    std::string FileRtf() const;
    // The picture copy: folder, name and ".bmp".
    std::string FileBmp() const { return CartellaCopia + NomeCopia + ".bmp"; }
};

}  // namespace quindel

QUINDEL_API_END
