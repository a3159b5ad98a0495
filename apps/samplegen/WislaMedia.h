#pragma once
// The multimedia objects of the sample entry about the Vistula, generated from short lists of
// places, views, bridges and tributaries in the order of the river's course.
#include <string_view>
#include <vector>

#include "hostkit/ScrittoreLista.h"

namespace quindel::samplegen {

inline constexpr std::string_view kKodWisly = "E0419275";

std::vector<VoceLista> WislaMedia();

}  // namespace quindel::samplegen
