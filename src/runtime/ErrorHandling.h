#pragma once
// "Ignore errors around one statement": the step runs, a run-time error it raises is
// dropped and reported as the result. Anything that is not a VbError is a programming
// error and keeps propagating.
#include <utility>

#include "runtime/VbError.h"

namespace quindel {

// Returns true when the step failed with a VbError.
template <class F>
bool IgnoraErrori(F&& step) {
    try {
        std::forward<F>(step)();
        return false;
    } catch (const VbError&) {
        return true;
    }
}

}  // namespace quindel
