#include "platform/Screen.h"

namespace quindel::platform {

void Screen::setMousePointer(std::int16_t p) {
    pointer_ = p;
    ++pointerChanges_;
}

}  // namespace quindel::platform
