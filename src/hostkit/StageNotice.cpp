#include "hostkit/StageNotice.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quindel::hostkit {

namespace {

constexpr std::array<std::string_view, 10> kShown = {"FO", "MA", "DI", "VI", "AN",
                                                     "AU", "TA", "AI", "F3", "O3"};

struct Lines {
    const char* quiz;
    const char* index;
    const char* typeBefore;  // around the unknown type's code
    const char* typeAfter;
};

constexpr Lines kPolish = {"Quizu nie można pokazać w tym oknie.",
                           "Indeksu nie można pokazać w tym oknie.", "Obiektu typu \"",
                           "\" nie można pokazać w tym oknie."};
constexpr Lines kEnglish = {"A quiz cannot be shown here.", "An index cannot be shown here.",
                            "An object of type \"", "\" cannot be shown here."};

}  // namespace

std::string StageNotice(const std::string& type, StageLanguage language) {
    if (type.empty() || std::ranges::find(kShown, type) != kShown.end()) return {};
    const Lines& l = language == StageLanguage::English ? kEnglish : kPolish;
    if (type == "IT") return l.quiz;
    if (type == "D" || type == "PL") return l.index;
    return l.typeBefore + type + l.typeAfter;
}

}  // namespace quindel::hostkit
