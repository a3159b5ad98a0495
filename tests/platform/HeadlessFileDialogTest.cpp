// The headless file chooser answers from its queue and records every question; filters come
// from the classic "description|patterns" text.
#include <gtest/gtest.h>

#include "platform/headless/HeadlessFileDialog.h"

namespace quindel::headless {
namespace {

using platform::FileDialog;
using platform::FileDialogMode;
using platform::FileFilter;
using platform::FileQuestion;

TEST(HeadlessFileDialog, AnswersInOrderThenCancelsAndRecordsEveryQuestion) {
    HeadlessFileDialog dialog;
    dialog.QueueAnswer("/tmp/kopia.rtf");
    dialog.QueueCancel();
    const FileQuestion save{FileDialogMode::Save, "Zapisz", {{"RTF", "*.rtf"}}, "/tmp", "kopia"};
    const FileQuestion open{FileDialogMode::Open, "Otwórz", {}, "", ""};
    EXPECT_EQ(dialog.Ask(save), "/tmp/kopia.rtf");
    EXPECT_EQ(dialog.Ask(open), std::nullopt);
    EXPECT_EQ(dialog.Ask(open), std::nullopt) << "an empty queue cancels";
    EXPECT_EQ(dialog.Pending(), 0u);
    ASSERT_EQ(dialog.Asked().size(), 3u);
    EXPECT_EQ(dialog.Asked()[0].question, save);
    EXPECT_EQ(dialog.Asked()[0].answer, "/tmp/kopia.rtf");
    EXPECT_EQ(dialog.Asked()[1].question, open);
    EXPECT_FALSE(dialog.Asked()[2].answer.has_value());
}

TEST(FileDialog, ParsesClassicFilterText) {
    struct Case {
        const char* classic;
        std::vector<FileFilter> filters;
    } cases[] = {
        {"", {}},
        {"Rich text (*.rtf)|*.rtf", {{"Rich text (*.rtf)", "*.rtf"}}},
        {"Text|*.rtf;*.txt|All files|*.*", {{"Text", "*.rtf;*.txt"}, {"All files", "*.*"}}},
        {"Text|*.txt|Dangling", {{"Text", "*.txt"}}},
        {"Empty||Pictures|*.bmp", {{"Pictures", "*.bmp"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileDialog::ParseFilters(c.classic), c.filters) << c.classic;
}

}  // namespace
}  // namespace quindel::headless
