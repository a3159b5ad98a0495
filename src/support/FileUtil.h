#pragma once
// Small file and text routines used throughout the control.
#include <string>
#include <string_view>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class FileSystem;
class Window;
}  // namespace quindel::platform

namespace quindel {

// True when path is not empty and a search for it (wildcards honoured) finds a normal file;
// any failure of the test counts as "no".
bool FileEsiste(const platform::FileSystem& files, std::string_view path);
// Gives the window the keyboard focus; a window that cannot take it is left alone.
void ImpostaFuocoSicuro(platform::Window* control);
// Removes one trailing backslash.
std::string TogliBarraFinale(std::string_view text);
std::string_view SenzaBarraFinale(std::string_view text);
// Removes trailing blanks and NULs (the padding of fixed-width fields).
std::string TogliSpaziFinali(std::string_view text);
std::string_view SenzaSpaziFinali(std::string_view text);

}  // namespace quindel

QUINDEL_API_END
