#pragma once
// The playable media of the sample: a short film and a sound made by the kit's media writer,
// written into the folders the list gives their types, with the first film and the first sound
// of the list pointed at them. The other films and sounds of the list stay names only.
#include <filesystem>
#include <vector>

#include "hostkit/lists/ScrittoreLista.h"

namespace quindel::samplegen {

// Points the first film and the first sound of the list at the sample's files. Throws
// std::runtime_error when the list has no film or no sound.
void NameMediaSamples(std::vector<hostkit::VoceLista>& voci);

// Whether the record names one of the sample's films or sounds.
bool IsMediaSample(const hostkit::VoceLista& v);

// Writes the files NameMediaSamples named, under the folders their records give. Throws
// std::runtime_error when a file cannot be written.
void WriteMediaSamples(const std::filesystem::path& folder,
                       const std::vector<hostkit::VoceLista>& voci);

}  // namespace quindel::samplegen
