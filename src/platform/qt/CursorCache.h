#pragma once
// The cursor position as the window system last gave it. A live read is a round trip to the
// display server; a wait that looks at the cursor after every timer tick would pay it ten times a
// second while the pointer rests. So a read is answered from the last one until a pointer event
// reaches the application (filtered before any widget sees it, so a handler reads afresh) or the
// last read is maxAgeMs old: the offscreen platform, and a pointer moving outside the
// application's windows, move it without telling anyone.
#include <QObject>
#include <QPoint>
#include <chrono>

namespace quindel::qt {

class CursorCache : public QObject {
  public:
    explicit CursorCache(int maxAgeMs);
    ~CursorCache() override;

    QPoint Pos();
    // How many live reads were made, for tests.
    int Reads() const { return reads_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    using Clock = std::chrono::steady_clock;
    std::chrono::milliseconds maxAge_;
    Clock::time_point readAt_;
    QPoint pos_;
    bool valid_ = false;
    int reads_ = 0;
};

}  // namespace quindel::qt
