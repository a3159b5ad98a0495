#pragma once
// The entries the sample entry about the Vistula links to.
#include <vector>

#include "hostkit/lists/ScrittoreLista.h"

namespace quindel::samplegen {

std::vector<hostkit::VoceLista> WislaLinks();

}  // namespace quindel::samplegen
