#include <gtest/gtest.h>

#include "platform/headless/HarnessError.h"
#include "platform/headless/HeadlessMessageBox.h"

using namespace quindel::platform;
using quindel::headless::HarnessError;
using quindel::headless::HeadlessMessageBox;

TEST(HeadlessMessageBox, UnansweredBoxesAnswerAsEscape) {
    struct Case {
        std::int32_t style;
        std::int16_t answer;
    } cases[] = {{mb::OKOnly | mb::Critical, mb::OK}, {mb::RetryCancel | mb::Question, mb::Cancel},
                 {mb::OKCancel, mb::Cancel},          {mb::YesNo, mb::No},
                 {mb::YesNoCancel, mb::Cancel},       {mb::AbortRetryIgnore, mb::Abort}};
    HeadlessMessageBox box;
    for (const auto& c : cases) EXPECT_EQ(box.Show("t", c.style, ""), c.answer) << c.style;
    EXPECT_EQ(box.Shown().size(), std::size(cases));
}

TEST(HeadlessMessageBox, QueuedAnswersAreUsedInOrderAndRecorded) {
    HeadlessMessageBox box;
    box.QueueAnswer(mb::Retry);
    box.QueueAnswer(mb::Cancel);
    EXPECT_EQ(box.Show("first", 21, "T"), mb::Retry);
    EXPECT_EQ(box.Show("second", 21, ""), mb::Cancel);
    EXPECT_EQ(box.Show("third", 21, ""), mb::Cancel);
    ASSERT_EQ(box.Shown().size(), 3u);
    EXPECT_EQ(box.Shown()[0].text, "first");
    EXPECT_EQ(box.Shown()[0].title, "T");
    EXPECT_EQ(box.Shown()[0].answer, mb::Retry);
}

TEST(HeadlessMessageBox, AnAnswerTheBoxDoesNotOfferIsAHarnessError) {
    HeadlessMessageBox box;
    box.QueueAnswer(mb::Retry);
    EXPECT_THROW(box.Show("ok only", mb::OKOnly, ""), HarnessError);
}

// The buttons speak the box's language, Polish until told; a language's first two letters
// decide, and one the table does not hold gets English.
TEST(HeadlessMessageBox, ButtonsSpeakTheBoxsLanguage) {
    using Texts = std::vector<std::string>;
    const struct {
        const char* language;  // nullptr: never set
        std::int32_t style;
        Texts buttons;
    } cases[] = {
        {nullptr, mb::RetryCancel | mb::Critical, {"Pon\u00F3w", "Anuluj"}},
        {"pl", mb::AbortRetryIgnore, {"Przerwij", "Pon\u00F3w", "Zignoruj"}},
        {"PL", mb::YesNoCancel, {"Tak", "Nie", "Anuluj"}},
        {"en", mb::RetryCancel, {"Retry", "Cancel"}},
        {"de-AT", mb::YesNo, {"Ja", "Nein"}},
        {"it", mb::OKCancel, {"OK", "Annulla"}},
        {"pt_BR", mb::OKOnly, {"OK"}},
        {"", mb::RetryCancel, {"Retry", "Cancel"}},
    };
    for (const auto& c : cases) {
        HeadlessMessageBox box;
        if (c.language) box.setLanguage(c.language);
        box.Show("t", c.style, "");
        EXPECT_EQ(box.Shown().back().buttons, c.buttons) << (c.language ? c.language : "unset");
    }
}
