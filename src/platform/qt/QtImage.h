#pragma once
// Pictures between the platform layer and Qt. An Image's 0xAARRGGBB words are exactly the pixels
// of QImage's 32-bit formats, so painting needs no copy.
#include <QCursor>
#include <QImage>
#include <cstdint>

#include "platform/Image.h"

namespace quindel::qt {

// A read-only view of an opaque picture (its alpha is ignored); valid while img lives unchanged.
QImage Wrap(const platform::Image& img);
QImage Wrap(const platform::PixelsView& pixels);
// A copy of a Qt image as an opaque platform Image.
platform::Image FromQImage(const QImage& q);
// The cursor for a mouse pointer value: the classic shapes, the hourglass, and the custom pointer
// (99) drawn by icon with its hot spot in the centre (an arrow while there is no icon). The
// pointers' key colour (magenta) is transparent; above a pixel ratio of 1 the icon's denser
// drawing is taken, at the icon's size in logical pixels, its hot spot where the platform reads it.
QCursor CursorFor(std::int16_t pointer, const platform::Image& icon);

}  // namespace quindel::qt
