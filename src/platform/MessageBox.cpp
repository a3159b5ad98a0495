#include "platform/MessageBox.h"

#include <array>
#include <cctype>

namespace quindel::platform {

namespace mb {

namespace {

// The button texts of a language, by answer (OK to No), as the desktops that speak it write them.
struct Language {
    const char* tag;
    std::array<const char*, 7> texts;
};
constexpr Language kLanguages[] = {
    {"en", {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"}},
    {"pl", {"OK", "Anuluj", "Przerwij", "Pon\u00F3w", "Zignoruj", "Tak", "Nie"}},
    {"de", {"OK", "Abbrechen", "Abbrechen", "Wiederholen", "Ignorieren", "Ja", "Nein"}},
    {"fr", {"OK", "Annuler", "Abandonner", "R\u00E9essayer", "Ignorer", "Oui", "Non"}},
    {"it", {"OK", "Annulla", "Interrompi", "Riprova", "Ignora", "S\u00EC", "No"}},
};

const Language& LanguageOf(std::string_view tag) {
    const auto lower = [&](std::size_t i) {
        return i < tag.size() ? char(std::tolower(static_cast<unsigned char>(tag[i]))) : '\0';
    };
    for (const Language& l : kLanguages)
        if (l.tag[0] == lower(0) && l.tag[1] == lower(1)) return l;
    return kLanguages[0];
}

}  // namespace

std::int16_t EscapeAnswer(std::int32_t style) {
    switch (style & 7) {
        case OKCancel:
        case YesNoCancel:
        case RetryCancel:
            return Cancel;
        case AbortRetryIgnore:
            return Abort;
        case YesNo:
            return No;
        default:
            return OK;
    }
}

std::vector<std::int16_t> Answers(std::int32_t style) {
    switch (style & 7) {
        case OKCancel:
            return {OK, Cancel};
        case AbortRetryIgnore:
            return {Abort, Retry, Ignore};
        case YesNoCancel:
            return {Yes, No, Cancel};
        case YesNo:
            return {Yes, No};
        case RetryCancel:
            return {Retry, Cancel};
        default:
            return {OK};
    }
}

bool Offers(std::int32_t style, std::int16_t answer) {
    for (std::int16_t a : Answers(style))
        if (a == answer) return true;
    return false;
}

std::string_view ButtonText(std::string_view language, std::int16_t answer) {
    if (answer < OK || answer > No) return {};
    return LanguageOf(language).texts[std::size_t(answer - OK)];
}

}  // namespace mb

std::vector<std::string> MessageBox::ButtonTexts(std::int32_t style) const {
    std::vector<std::string> out;
    for (std::int16_t a : mb::Answers(style)) out.emplace_back(mb::ButtonText(language_, a));
    return out;
}

}  // namespace quindel::platform
