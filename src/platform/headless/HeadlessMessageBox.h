#pragma once
// Message boxes answered from a queue the test fills. With the queue empty a box answers as Escape
// would (OK, or Cancel where it offers Cancel), so no Retry loop can run forever. Every box shown
// is recorded, with the texts its buttons had in the box's language, and can be read as
// assistive technology would have found it.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/Accessible.h"
#include "platform/MessageBox.h"

namespace quindel::headless {

struct ShownBox {
    std::string text;
    std::int32_t style = 0;
    std::string title;
    std::int16_t answer = 0;
    std::vector<std::string> buttons;  // in the order they stand

    // An alert named by its title, its text to read, its buttons as push buttons.
    platform::AccessibleNode Accessible() const;
};

class HeadlessMessageBox : public platform::MessageBox {
  public:
    std::int16_t Show(std::string_view text, std::int32_t style, std::string_view title) override;

    void QueueAnswer(std::int16_t answer) { answers_.push_back(answer); }
    const std::vector<ShownBox>& Shown() const { return shown_; }
    void ClearShown() { shown_.clear(); }
    std::size_t Pending() const { return answers_.size(); }

  private:
    std::deque<std::int16_t> answers_;
    std::vector<ShownBox> shown_;
};

}  // namespace quindel::headless
