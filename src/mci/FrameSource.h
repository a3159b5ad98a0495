#pragma once
// The frames an animation device shows: a fixed number (at least one) of equally sized pictures,
// each with its own display time. Frame(i) may compose the picture on demand, so the reference
// it returns is valid only until the next call.
#include "platform/Image.h"

namespace quindel::mci {

class FrameSource {
  public:
    virtual ~FrameSource() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual int FrameCount() const = 0;
    virtual int DelayMs(int frame) const = 0;
    virtual const platform::Image& Frame(int frame) = 0;
};

}  // namespace quindel::mci
