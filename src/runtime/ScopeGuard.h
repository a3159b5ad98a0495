#pragma once
// Save-and-restore for the life of a scope, on every way out of it (a throw included).
//   TemporaryChange busy(busy_, true);   // busy_ is true here, its old value again after
//   ScopeExit unlock([&] { Unlock(); });  // runs when the scope ends
#include <utility>

namespace quindel {

template <class T>
class TemporaryChange {
  public:
    TemporaryChange(T& variable, T value) : variable_(variable), old_(variable) {
        variable_ = std::move(value);
    }
    ~TemporaryChange() { variable_ = std::move(old_); }
    TemporaryChange(const TemporaryChange&) = delete;
    TemporaryChange& operator=(const TemporaryChange&) = delete;

    const T& OldValue() const { return old_; }

  private:
    T& variable_;
    T old_;
};

template <class F>
class ScopeExit {
  public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() {
        if (armed_) f_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

    // The scope ended well and needs no clean-up.
    void Release() { armed_ = false; }

  private:
    F f_;
    bool armed_ = true;
};

}  // namespace quindel
