#pragma once
// Scaling pictures for display. Contract:
// - ScalePicture gives exactly width x height pixels (nothing when either is not positive or
//   the source is empty). Shrinking by more than half first averages 2 x 2 blocks until each
//   side is within twice its target, so fine detail does not alias; the last step is bilinear.
// - ResizeBilinear: the source stretched to width x height in one bilinear step, sampled at
//   pixel centres with the edges clamped (nothing when either side is not positive; transparent
//   when the source is empty). A plain scaler, and the yardstick for the panorama's speed.
// - ResizeBilinearPart: only the part `part` (clipped by nothing: rows and columns beyond the
//   stretched picture repeat its edge) of that same stretched picture, pixel for pixel as
//   ResizeBilinear gives it there; for showing a rectangle of a small picture at a larger size.
// - FitInside: the largest rectangle of the picture's shape inside a box, centred in it.
// - Composite: a picture drawn opaque onto a background colour (its alpha respected).
// - CopyPixels: a rectangle of one picture copied into another row by row, clipped to both.
#include "platform/Geometry.h"
#include "platform/Image.h"

namespace quindel::hostkit {

platform::Image ScalePicture(const platform::Image& source, int width, int height);

platform::Image ResizeBilinear(const platform::Image& source, int width, int height);

platform::Image ResizeBilinearPart(const platform::Image& source, int width, int height,
                                   platform::RectPx part);

platform::RectPx FitInside(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

// Copies the w x h pixels of src from (srcX, srcY) to dst at (dstX, dstY), without blending.
void CopyPixels(platform::Image& dst, int dstX, int dstY, const platform::Image& src, int srcX,
                int srcY, int w, int h);

// Blends src over dst at (x, y), clipped; src pixels with alpha 255 are copied as they are.
void Composite(platform::Image& dst, const platform::Image& src, int x, int y);

}  // namespace quindel::hostkit
