#pragma once
// The packed-file extractor's row (ControlloBlob).
//   BlobFile      the packed file's path
//   estrai        (entry, target) -> a whole number, kExtracted when the entry's data landed in
//                 the target file
//   packedestrai  (entry, target) -> as estrai, for a text packed twice
#include <cstdint>

#include "contract/Member.h"

namespace quindel::contract::extractor {

inline constexpr Member BlobFile{"BlobFile", kReadWrite, ParamType::String};
inline constexpr Member Estrai{"estrai", kMethod, ParamType::Long};
inline constexpr Member PackedEstrai{"packedestrai", kMethod, ParamType::Long};

inline constexpr std::int32_t kExtracted = 0;

inline constexpr Member kMembers[] = {BlobFile, Estrai, PackedEstrai};
inline constexpr Row kRow{"packed-file extractor", kMembers};

}  // namespace quindel::contract::extractor
