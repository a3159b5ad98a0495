#pragma once
// The entries the sample entry about the Vistula links to.
#include <vector>

#include "hostkit/ScrittoreLista.h"

namespace quindel::samplegen {

std::vector<VoceLista> WislaLinks();

}  // namespace quindel::samplegen
