#pragma once
// Qt's own translations: the texts of the dialogs Qt draws itself (the file chooser's labels and
// buttons, its questions) in a language, read from Qt's translations folder (on Debian the
// package qt6-translations-l10n). One language for the whole application at a time: loading
// another replaces it (and one Qt has no translations for leaves Qt in English), loading the same
// again does nothing. Needs the QApplication made first.
#include <string>
#include <string_view>

namespace quindel::qt {

// Loads the translations of a language tag ("pl", "de-AT", "pt_BR"); false when Qt has none for
// it (Qt then speaks English) or there is no application yet.
bool LoadQtTranslations(std::string_view language);
// The tag loaded; empty when none is.
const std::string& QtTranslationsLanguage();

}  // namespace quindel::qt
