#pragma once
// The files of the sample's objects: photographs (JPEG, one of them much larger than the
// screen), maps (bitmaps), drawings (PNG), texts (RTF), animations and interactive movies
// (animated GIF), panoramas (equirectangular JPEG), each at SourceFile's path, packed or not
// (quindel-build makes the packed files and the position files). Films and sounds are written by
// WriteMediaSamples; the types nothing shows name no file, and the second film is missing on
// purpose.
#include <filesystem>
#include <vector>

#include "MediaCatalog.h"

namespace quindel::samplegen {

inline constexpr int kPhotoWidth = 720, kPhotoHeight = 480;
inline constexpr int kLargeWidth = 6000, kLargeHeight = 4000;
// Windows in pixels, as the position files give them.
inline constexpr int kPanoramaWindowW = 720, kPanoramaWindowH = 420;
inline constexpr int kMovieWindowW = 480, kMovieWindowH = 360;

// Whether the object's record names a file that the sample holds.
bool HasFile(const MediaObject& o);

// Throws std::runtime_error when a file cannot be written.
void WriteContentFiles(const std::filesystem::path& folder,
                       const std::vector<MediaObject>& objects);

}  // namespace quindel::samplegen
