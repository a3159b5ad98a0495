#pragma once
// What a display stage says in place of an object it has no control for: one short line per kind
// (a quiz "IT", an index "D" or "PL", any type it does not know), in Polish or English. The kinds
// the stage shows (pictures, film, sound, animation, text, interactive movie, panorama) and an
// empty type get no line.
#include <string>

namespace quindel::hostkit {

enum class StageLanguage { Polish, English };

std::string StageNotice(const std::string& type, StageLanguage language);

}  // namespace quindel::hostkit
