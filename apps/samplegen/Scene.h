#pragma once
// What a generated picture of an object shows, beyond its type: the light and season of a
// photograph, what stands in it, the drawing or animation a diagram is. The content tables say
// it once per object; the painters only read it.
#include <cstdint>

namespace quindel::samplegen {

enum class Mood : std::uint8_t { Day, Sunset, Fog, Winter, Spring, Autumn, Night, Flood, Aerial };
enum class Feature : std::uint8_t { None, Bridge, Town, Boat, Dam, Birds };
// Drawings (DI) and animations (AN, AI).
enum class Diagram : std::uint8_t {
    None,
    Valley,
    Boat,
    Lock,
    Dam,
    Meander,
    Fish,
    Bird,
    Beaver,
    IceFloes,
    WaterCycle,
    IceJam,
    Journey,
    Levee,
};

inline constexpr int kTributaryMap = 10;

struct Scene {
    Mood mood = Mood::Day;
    Feature feature = Feature::None;
    Diagram diagram = Diagram::None;
    // Maps: the part of the basin shown (0 whole course, 1 central Europe, 2..4 upper, middle
    // and lower river, 5 delta, 6 an old map), or the tributary highlighted (kTributaryMap +
    // its index in the river's list).
    int map = 0;
    bool large = false;  // a photograph much larger than the screen
};

}  // namespace quindel::samplegen
