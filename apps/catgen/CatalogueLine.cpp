#include "CatalogueLine.h"

#include <stdexcept>

namespace quindel::catgen {

std::string FormatMessageLine(int code, std::string_view language, std::string_view label,
                              std::string_view text) {
    if (code < 0 || code > kMaxCode)
        throw std::invalid_argument("code " + std::to_string(code) + " does not fit 6 columns");
    if (language.size() != kLanguageWidth)
        throw std::invalid_argument("language must be two characters");
    if (text.empty())
        throw std::invalid_argument("message " + std::to_string(code) + " has no text");
    if (text.size() > kMaxTextLength)
        throw std::invalid_argument("message " + std::to_string(code) + " is " +
                                    std::to_string(text.size()) + " characters long, at most " +
                                    std::to_string(kMaxTextLength) + " fit");
    const std::string digits = std::to_string(code);
    std::string line(kCodeWidth - digits.size(), ' ');
    line += digits;
    line += language;
    line.append(kGapWidth, ' ');
    const std::string_view shown = label.substr(0, kLabelWidth);
    line += shown;
    line.append(kLabelWidth - shown.size(), ' ');
    line += text;
    return line;
}

std::string FormatCommentLine(std::string_view text) {
    std::string line(kCodeWidth, ';');
    if (!text.empty()) {
        line += ' ';
        line += text;
    }
    return line;
}

}  // namespace quindel::catgen
