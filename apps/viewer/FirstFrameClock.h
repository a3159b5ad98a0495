#pragma once
// Reports, once, how long after a start time a widget was first painted: the viewer's start-up
// measure (process start to first painted frame of its main window).
#include <QObject>
#include <chrono>
#include <functional>

namespace quindel::viewer {

class FirstFrameClock : public QObject {
  public:
    using Clock = std::chrono::steady_clock;
    FirstFrameClock(QObject& watched, Clock::time_point start,
                    std::function<void(double ms)> report);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    Clock::time_point start_;
    std::function<void(double)> report_;
    bool reported_ = false;
};

}  // namespace quindel::viewer
