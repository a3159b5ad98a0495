#pragma once
// Where Qt calls into the model (input, timers, syncing), failures stop: a C++ exception must
// never unwind through Qt's frames. A run-time error the component left unhandled is reported
// and the event ends, as the classic runtime reports an untrapped error in an event handler;
// anything else is a programming error and ends the program with a clear message.
#include <QtGlobal>
#include <exception>

#include "runtime/VbError.h"

namespace quindel::qt {

template <class F>
void AtQtBoundary(const char* where, F&& f) noexcept {
    try {
        f();
    } catch (const VbError& e) {
        qCritical("Run-time error %d in %s: %s", e.number(), where, e.what());
    } catch (const std::exception& e) {
        qFatal("Quindel: unexpected failure in %s: %s", where, e.what());
    } catch (...) {
        qFatal("Quindel: unexpected failure in %s", where);
    }
}

}  // namespace quindel::qt
