#include "viewer/FirstFrameClock.h"

#include <QEvent>

namespace quindel::viewer {

FirstFrameClock::FirstFrameClock(QObject& watched, Clock::time_point start,
                                 std::function<void(double)> report)
    : QObject(&watched), start_(start), report_(std::move(report)) {
    watched.installEventFilter(this);
}

bool FirstFrameClock::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Paint && !reported_) {
        reported_ = true;
        const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start_;
        report_(elapsed.count());
    }
    return QObject::eventFilter(watched, e);
}

}  // namespace quindel::viewer
