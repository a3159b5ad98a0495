#pragma once
// The clipboard in memory, for tests: what was put stays until the next put or Clear, and every
// call that changes it is recorded in order, so a test can tell "cleared, then copied as RTF and
// text" from "copied as text alone". It has a selection buffer, kept apart and not recorded.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clipboard.h"

namespace quindel::headless {

enum class ClipOperation : std::uint8_t { Clear, TextAndRtf, Text, Picture };

class HeadlessClipboard : public platform::Clipboard {
  public:
    void Clear() override;
    void SetTextAndRtf(std::string_view text, std::string_view rtf) override;
    void SetText(std::string_view text) override;
    void SetPicture(const platform::Image& picture) override;

    std::optional<std::string> Text() const override { return text_; }
    std::optional<std::string> Rtf() const override { return rtf_; }
    std::optional<platform::Image> Picture() const override { return picture_; }
    std::uint8_t Formats() const override;

    bool HasSelectionBuffer() const override { return true; }
    void SetSelection(std::string_view text) override { selection_ = std::string(text); }
    std::optional<std::string> Selection() const override { return selection_; }

    const std::vector<ClipOperation>& Operations() const { return operations_; }
    void ClearOperations() { operations_.clear(); }

  private:
    void Replace(ClipOperation op);
    std::optional<std::string> text_, rtf_;
    std::optional<platform::Image> picture_;
    std::optional<std::string> selection_;
    std::vector<ClipOperation> operations_;
};

}  // namespace quindel::headless
