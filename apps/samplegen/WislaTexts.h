#pragma once
// The texts of the sample entry ("TA" objects) as RTF documents, in the order of the list.
#include <string>

namespace quindel::samplegen {

// Throws std::out_of_range past the last text.
std::string WislaTextRtf(std::size_t index);

}  // namespace quindel::samplegen
