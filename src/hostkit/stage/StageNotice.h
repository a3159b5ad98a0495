#pragma once
// What a display stage says in place of an object it has no control for (a quiz, an index, a
// sheet, any type it does not know): one short line naming the object by its description, or by
// its type when it has none, in Polish or English. Type codes mean different things to different
// content, so the line never guesses a kind from the code. The kinds the stage shows (pictures,
// film, sound, animation, text, interactive movie, panorama) and an empty type get no line.
#include <string>

namespace quindel::hostkit {

enum class StageLanguage { Polish, English };

std::string StageNotice(const std::string& type, const std::string& description,
                        StageLanguage language);

}  // namespace quindel::hostkit
