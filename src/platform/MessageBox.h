#pragma once
// The modal message box. Contract: Show displays text with the style's icon and buttons and the
// title, waits for the user and returns the answer; a backend that cannot ask anyone answers as
// Escape would (HeadlessMessageBox documents its rule).
// The standard buttons speak the box's language (setLanguage; Polish until told, as the
// component's fixed texts are): their texts are mb::ButtonText's, on every backend alike. A
// desktop backend also loads its toolkit's own translations for the language, so the toolkit's
// other dialogs (the file chooser) speak it too.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quindel::platform {

namespace mb {
// Button sets (style & 7).
constexpr std::int32_t OKOnly = 0;
constexpr std::int32_t OKCancel = 1;
constexpr std::int32_t AbortRetryIgnore = 2;
constexpr std::int32_t YesNoCancel = 3;
constexpr std::int32_t YesNo = 4;
constexpr std::int32_t RetryCancel = 5;
// Icons (style & 0x70).
constexpr std::int32_t Critical = 16;
constexpr std::int32_t Question = 32;
constexpr std::int32_t Exclamation = 48;
constexpr std::int32_t Information = 64;
// Answers.
constexpr std::int16_t OK = 1;
constexpr std::int16_t Cancel = 2;
constexpr std::int16_t Abort = 3;
constexpr std::int16_t Retry = 4;
constexpr std::int16_t Ignore = 5;
constexpr std::int16_t Yes = 6;
constexpr std::int16_t No = 7;

// The answer a box gives when dismissed without a choice (Escape or no one to ask).
std::int16_t EscapeAnswer(std::int32_t style);
// Whether an answer is one of the buttons the style offers.
bool Offers(std::int32_t style, std::int16_t answer);
// The answers a style offers, in the order its buttons stand.
std::vector<std::int16_t> Answers(std::int32_t style);
// The text of an answer's button in a language ("pl", "en", "de-AT", "pt_BR": the first two
// letters decide, case aside); English for a language the table does not hold.
std::string_view ButtonText(std::string_view language, std::int16_t answer);
}  // namespace mb

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual std::int16_t Show(std::string_view text, std::int32_t style,
                              std::string_view title) = 0;

    const std::string& Language() const { return language_; }
    virtual void setLanguage(std::string_view language) { language_ = std::string(language); }
    // The texts of the buttons a box of this style shows, in order.
    std::vector<std::string> ButtonTexts(std::int32_t style) const;

  private:
    std::string language_ = "pl";
};

}  // namespace quindel::platform
