#pragma once
// Writes the bundled sample content into one folder: ListaMM.lst, ListaLemmi.lst, Haslo.txt,
// Haslo.rtf, a README and the media of every object type. The same bytes on every run, in the
// system code page.
#include <filesystem>

namespace quindel::samplegen {

// Throws std::runtime_error when a file cannot be written or a text would not survive the
// record (too long for its field, or a character outside the code page).
void WriteSampleFiles(const std::filesystem::path& folder);

}  // namespace quindel::samplegen
