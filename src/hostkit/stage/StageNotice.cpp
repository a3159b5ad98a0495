#include "hostkit/stage/StageNotice.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "runtime/Text.h"

namespace quindel::hostkit {

namespace {

constexpr std::array<std::string_view, 10> kShown = {"FO", "MA", "DI", "VI", "AN",
                                                     "AU", "TA", "AI", "F3", "O3"};

struct Lines {
    const char* lead;    // before what is named
    const char* ofType;  // names an object by its type code
};

constexpr Lines kPolish = {"Nie można tu pokazać: ", "obiekt typu "};
constexpr Lines kEnglish = {"Cannot be shown here: ", "an object of type "};

}  // namespace

std::string StageNotice(const std::string& type, const std::string& description,
                        StageLanguage language) {
    if (type.empty() || std::ranges::find(kShown, type) != kShown.end()) return {};
    const Lines& l = language == StageLanguage::English ? kEnglish : kPolish;
    const std::string named = Trim(description);
    return l.lead + (named.empty() ? l.ofType + type : named);
}

}  // namespace quindel::hostkit
