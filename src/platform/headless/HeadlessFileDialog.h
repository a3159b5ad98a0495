#pragma once
// The file chooser answered from a queue the test fills: each question takes the next answer, a
// path or a cancel; with the queue empty it answers "cancelled", so no test waits for a person.
// Every question is recorded with the answer it got.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialog.h"

namespace quindel::headless {

struct AskedFile {
    platform::FileQuestion question;
    std::optional<std::string> answer;
};

class HeadlessFileDialog : public platform::FileDialog {
  public:
    std::optional<std::string> Ask(const platform::FileQuestion& question) override;

    void QueueAnswer(std::string path) { answers_.emplace_back(std::move(path)); }
    void QueueCancel() { answers_.emplace_back(std::nullopt); }
    std::size_t Pending() const { return answers_.size(); }
    const std::vector<AskedFile>& Asked() const { return asked_; }
    void ClearAsked() { asked_.clear(); }

  private:
    std::deque<std::optional<std::string>> answers_;
    std::vector<AskedFile> asked_;
};

}  // namespace quindel::headless
