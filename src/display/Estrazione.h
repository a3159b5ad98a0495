#pragma once
// Objects stored inside a packed file are extracted by the host's extractor (members BlobFile,
// estrai and packedestrai, 0 = extracted) into one temporary file in the temporary folder
// (FileSystem::TemporaryFolder: this process's private folder, or the component's folder where
// the host keeps files beside it), which is what the display control then loads. The previous
// temporary file is removed first, so a failed extraction can never show a stale or unrelated
// file as the object. With no temporary folder at all it raises error 75.
#include <string>

#include "runtime/Variant.h"
#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
}

namespace quindel {

inline constexpr const char* kFileTemporaneo = "$$tmp$$.$$$";

struct FileDaMostrare {
    std::string FileTemporaneo;  // the path to load; "" when the packed file could not be opened
    bool EstrazioneFallita = false;  // a picture entry could not be extracted: load nothing
};

// The file to hand the display control for the record (Directory, NomeFile, NomeFileBlob).
// Pictures extract with estrai, or packedestrai when BlobPacked; texts always with packedestrai,
// whose result is not examined. A picture that fails to extract is reported here.
FileDaMostrare RisolviFileTemporaneo(platform::Platform& p, const Object& ControlloBlob,
                                     bool BlobPacked, bool Testo, const std::string& Directory,
                                     const std::string& NomeFile, const std::string& NomeFileBlob);

}  // namespace quindel

QUINDEL_API_END
