#include "platform/headless/HeadlessClipboard.h"

namespace quindel::headless {

using platform::ClipFormat;

void HeadlessClipboard::Replace(ClipOperation op) {
    text_.reset();
    rtf_.reset();
    picture_.reset();
    operations_.push_back(op);
}

void HeadlessClipboard::Clear() {
    Replace(ClipOperation::Clear);
}

void HeadlessClipboard::SetTextAndRtf(std::string_view text, std::string_view rtf) {
    Replace(ClipOperation::TextAndRtf);
    text_ = std::string(text);
    rtf_ = std::string(rtf);
}

void HeadlessClipboard::SetText(std::string_view text) {
    Replace(ClipOperation::Text);
    text_ = std::string(text);
}

void HeadlessClipboard::SetPicture(const platform::Image& picture) {
    Replace(ClipOperation::Picture);
    picture_ = picture;
}

std::uint8_t HeadlessClipboard::Formats() const {
    return std::uint8_t((text_ ? std::uint8_t(ClipFormat::Text) : 0) |
                        (rtf_ ? std::uint8_t(ClipFormat::Rtf) : 0) |
                        (picture_ ? std::uint8_t(ClipFormat::Picture) : 0));
}

}  // namespace quindel::headless
