#pragma once
// Maps of the Vistula basin: shaded relief from the lowlands to the mountains, the sea, the
// river and its tributaries, towns as squares and a grid of meridians and parallels. A map shows
// one part of the basin or one tributary; an old map is drawn in sepia. The interactive journey
// moves a traveller along the river on the whole-course map.
#include <optional>

#include "platform/Image.h"

namespace quindel::samplegen {

// map: as Scene::map. traveller: how far along the river, 0 at the source, 1 at the mouth.
platform::Image PaintMap(int map, int width, int height, std::optional<double> traveller = {});

}  // namespace quindel::samplegen
