// The picture viewer's pan zones: where the pointer is, how deep, and how corners give way when a
// direction is closed.
#include <gtest/gtest.h>

#include "display/ZoomImmagine.h"

using namespace quindel;
using Z = ZoomImmagine;

TEST(ZoomImmagine, ZonesDepthsAndCornersGivingWay) {
    constexpr int kTutte = Z::kSu | Z::kGiu | Z::kSinistra | Z::kDestra;
    struct Case {
        float x, y;
        int direzioni;
        int zona;
        float profondita;
    } cases[] = {
        {2000, 5000, kTutte, 4, 2000},  // left edge, 2000 twips in
        {200, 5000, kTutte, 4, 3800},
        {9000, 5000, kTutte, 0, 0},  // the middle
        {9000, 1000, kTutte, 1, 2000},
        {9000, 9500, kTutte, 3, 500},
        {16500, 5000, kTutte, 2, 500},
        {1000, 1000, kTutte, 5, 3000},
        {1000, 9500, kTutte, 6, 3000},
        {17000, 1000, kTutte, 7, 1000},
        {17000, 9500, kTutte, 8, 1000},
        // Corners collapse, in order: without down, left, up, right.
        {1000, 9500, kTutte & ~Z::kGiu, 4, 3000},
        {17000, 9500, kTutte & ~Z::kGiu, 2, 1000},
        {1000, 1000, kTutte & ~Z::kSinistra, 1, 3000},
        {1000, 9500, kTutte & ~Z::kSinistra, 3, 3000},
        {17000, 1000, kTutte & ~Z::kSu, 2, 1000},  // top-right with the picture at its top
        {1000, 1000, kTutte & ~Z::kSu, 4, 3000},
        {17000, 9500, kTutte & ~Z::kDestra, 3, 1000},
        {17000, 1000, kTutte & ~Z::kDestra, 1, 1000},
        {1000, 9500, Z::kSu | Z::kDestra, 4, 3000},  // down and left closed: 6 -> 4 stays
    };
    for (const Case& c : cases) {
        const Z::Zona z = Z::CalcolaZona(c.x, c.y, 20000, 12000, c.direzioni);
        EXPECT_EQ(z.zona, c.zona) << c.x << "," << c.y << " dirs " << c.direzioni;
        EXPECT_FLOAT_EQ(z.profondita, c.profondita) << c.x << "," << c.y;
    }
}
