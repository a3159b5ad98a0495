#pragma once
// Reports, once, how long after a start time a window was first painted: the viewer's start-up
// measure (process start to first painted frame of its main window). Any widget of the window
// counts, as docked forms may cover its whole client area and leave it nothing to paint itself.
#include <QObject>
#include <chrono>
#include <functional>

class QWidget;

namespace quindel::viewer {

class FirstFrameClock : public QObject {
  public:
    using Clock = std::chrono::steady_clock;
    // Lives as long as window, or until it reported.
    FirstFrameClock(QWidget& window, Clock::time_point start,
                    std::function<void(double ms)> report);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    QWidget& window_;
    Clock::time_point start_;
    std::function<void(double)> report_;
    bool reported_ = false;
};

}  // namespace quindel::viewer
