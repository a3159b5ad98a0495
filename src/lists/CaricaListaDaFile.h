#pragma once
// Loads a list file (fixed-length records written by the host) into a list controller.
#include <string_view>

#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class FileSystem;
}

namespace quindel {

class ClasseTLista;

// Size of one record of a list file, in bytes.
inline constexpr std::size_t kLunghezzaRecordFileLista = 1578;

// Adds every record of the file to Lista (which is not cleared first). With Inizio the file is a
// chunk of a long list starting at position Inizio: records get their positions and long
// descriptions are shortened for the list box. A file that cannot be opened adds nothing.
void CaricaListaDaFile(ClasseTLista& Lista, const platform::FileSystem& files,
                       std::string_view NomeFile, const Variant& Inizio = Variant::Missing());
// The same from the bytes of a list file held in memory.
void CaricaListaDaMemoria(ClasseTLista& Lista, std::string_view Contenuto,
                          const Variant& Inizio = Variant::Missing());

}  // namespace quindel

QUINDEL_API_END
