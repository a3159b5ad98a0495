#pragma once
// What the volume window needs of the control that owns it: the volume setting, 0..255, and
// closing the window as its button does.
#include <cstdint>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel {

class ProprietarioVolume {
  public:
    virtual ~ProprietarioVolume() = default;
    virtual std::int32_t VolumeAudio() const = 0;
    virtual void setVolumeAudio(std::int32_t v) = 0;
    // Closes the volume window as its button does: the button comes up, the host hears of it.
    virtual void ChiudiVolume() = 0;
};

}  // namespace quindel

QUINDEL_API_END
