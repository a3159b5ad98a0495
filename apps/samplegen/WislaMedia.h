#pragma once
// The multimedia objects of the sample entry about the Vistula, generated from short lists of
// places, views, bridges and tributaries in the order of the river's course, each with what its
// generated file shows.
#include <string_view>
#include <vector>

#include "MediaCatalog.h"

namespace quindel::samplegen {

inline constexpr std::string_view kKodWisly = "E0419275";

std::vector<MediaObject> WislaMedia();

}  // namespace quindel::samplegen
