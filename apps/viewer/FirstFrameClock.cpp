#include "viewer/FirstFrameClock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace quindel::viewer {

FirstFrameClock::FirstFrameClock(QWidget& window, Clock::time_point start,
                                 std::function<void(double)> report)
    : QObject(&window), window_(window), start_(start), report_(std::move(report)) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool FirstFrameClock::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Paint && !reported_) {
        const auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == &window_) {
            reported_ = true;
            QCoreApplication::instance()->removeEventFilter(this);
            const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start_;
            report_(elapsed.count());
        }
    }
    return QObject::eventFilter(watched, e);
}

}  // namespace quindel::viewer
