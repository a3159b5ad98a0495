#pragma once
// Photographs of the river, painted: a sky with clouds, sun or stars, hills fading into the
// haze, fields, wooded banks and the river reflecting the sky, in the light and season of the
// scene, with what stands in it (a bridge, a town, a boat, a dam, birds); or, seen from the air,
// fields and the braided river with its sandbars. Equirectangular panoramas wrap round.
#include <cstdint>

#include "Scene.h"
#include "platform/Image.h"

namespace quindel::samplegen {

struct Canvas {
    int width, height;
    bool wrap = false;  // a 360-degree panorama: the left and right edges meet
};

platform::Image PaintLandscape(const Scene& scene, Canvas canvas, std::uint32_t seed);

}  // namespace quindel::samplegen
