#pragma once
// Writes the bundled sample's sources into one folder: the media of every object type, the
// manifest quindel-build makes the lists and the rest from (quindel.toml), Haslo.txt, Haslo.rtf
// and a README. The same bytes on every run.
#include <filesystem>

namespace quindel::samplegen {

// Throws std::runtime_error when a file cannot be written.
void WriteSampleFiles(const std::filesystem::path& folder);

}  // namespace quindel::samplegen
