#pragma once
// A one-line progress bar on standard error, drawn only when standard error is a terminal (a log
// or a pipe gets nothing), redrawn at most every 1/10 of the count so it costs nothing.
#include <cstddef>
#include <string>

namespace quindel::build {

class ProgressBar {
  public:
    ProgressBar(std::string label, std::size_t total);
    ~ProgressBar();  // ends the line
    void Show(std::size_t done);

  private:
    std::string label_;
    std::size_t total_, shown_ = 0;
    bool active_;
};

}  // namespace quindel::build
