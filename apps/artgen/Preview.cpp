#include "Preview.h"

namespace quindel::artgen {

platform::Image ScaleNearest(const platform::Image& image, int factor) {
    platform::Image out(image.width() * factor, image.height() * factor);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.fillRect(x * factor, y * factor, factor, factor, image.pixel(x, y));
    return out;
}

}  // namespace quindel::artgen
