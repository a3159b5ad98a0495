#pragma once
// The playable media of the sample: a short film and a sound made by the kit's media writer,
// written into the folders the list gives their types, with the first film and the first sound
// of the list pointed at them. The other films and sounds of the list stay names only.
#include <filesystem>
#include <vector>

#include "hostkit/lists/ScrittoreLista.h"

namespace quindel::samplegen {

// Throws std::runtime_error when a file cannot be written or the list has no film or no sound.
void AddMediaSamples(const std::filesystem::path& folder, std::vector<hostkit::VoceLista>& voci);

}  // namespace quindel::samplegen
