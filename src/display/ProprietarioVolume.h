#pragma once
// What the volume window needs of the control that owns it: the volume setting, 0..255.
#include <cstdint>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class ProprietarioVolume {
  public:
    virtual ~ProprietarioVolume() = default;
    virtual std::int32_t VolumeAudio() const = 0;
    virtual void setVolumeAudio(std::int32_t v) = 0;
};

}  // namespace quindel

QUINDEL_API_END
