#include "platform/MessageBox.h"

namespace quindel::platform::mb {

std::int16_t EscapeAnswer(std::int32_t style) {
    switch (style & 7) {
        case OKCancel:
        case YesNoCancel:
        case RetryCancel:
            return Cancel;
        case AbortRetryIgnore:
            return Abort;
        case YesNo:
            return No;
        default:
            return OK;
    }
}

bool Offers(std::int32_t style, std::int16_t answer) {
    switch (style & 7) {
        case OKCancel:
            return answer == OK || answer == Cancel;
        case AbortRetryIgnore:
            return answer == Abort || answer == Retry || answer == Ignore;
        case YesNoCancel:
            return answer == Yes || answer == No || answer == Cancel;
        case YesNo:
            return answer == Yes || answer == No;
        case RetryCancel:
            return answer == Retry || answer == Cancel;
        default:
            return answer == OK;
    }
}

}  // namespace quindel::platform::mb
