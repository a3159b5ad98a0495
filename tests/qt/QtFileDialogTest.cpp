// Qt's file chooser as the platform asks it: the question's filters as Qt writes them, once.
#include <gtest/gtest.h>

#include <QFileDialog>

#include "platform/qt/QtFileDialog.h"

namespace quindel::test {
namespace {

TEST(QtFileDialog, FiltersAreWrittenAsQtWritesThemAndNamedOnce) {
    const struct {
        const char* classic;
        QStringList shown;
    } cases[] = {
        {"Rich text|*.rtf;*.txt", {"Rich text (*.rtf *.txt)"}},
        {"Dokument PDF (*.pdf)|*.pdf|Wszystkie pliki|*.*",
         {"Dokument PDF (*.pdf)", "Wszystkie pliki (*.*)"}},
    };
    qt::QtFileDialog chooser({});
    for (const auto& c : cases) {
        QStringList shown;
        qt::QtFileDialog::SetTestHook([&](QFileDialog& dialog) -> std::optional<std::string> {
            shown = dialog.nameFilters();
            return std::nullopt;
        });
        platform::FileQuestion q;
        q.filters = platform::FileDialog::ParseFilters(c.classic);
        EXPECT_EQ(chooser.Ask(q), std::nullopt);
        EXPECT_EQ(shown, c.shown) << c.classic;
    }
    qt::QtFileDialog::SetTestHook({});
}

}  // namespace
}  // namespace quindel::test
