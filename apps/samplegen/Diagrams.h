#pragma once
// Drawings in flat colours: cross-sections of the valley, a lock and a dam, a river boat, a
// meander, the river's animals, and the frames of the animations (the water cycle, floes, an ice
// jam, a levee against rising water). phase runs from 0 to 1 over an animation; a still drawing
// is drawn at 1.
#include "Scene.h"
#include "platform/Image.h"

namespace quindel::samplegen {

platform::Image DrawDiagram(Diagram d, int width, int height, double phase = 1.0);

}  // namespace quindel::samplegen
