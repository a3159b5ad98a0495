#include "support/FileUtil.h"

#include "platform/FileSystem.h"
#include "platform/Window.h"
#include "runtime/ErrorHandling.h"

namespace quindel {

bool FileEsiste(const platform::FileSystem& files, std::string_view path) {
    return !path.empty() && files.ExistsNormalFile(path);
}

void ImpostaFuocoSicuro(platform::Window* control) {
    if (control) IgnoraErrori([&] { control->SetFocus(); });
}

std::string TogliBarraFinale(std::string_view text) {
    return std::string(SenzaBarraFinale(text));
}

std::string_view SenzaBarraFinale(std::string_view text) {
    if (text.ends_with('\\')) text.remove_suffix(1);
    return text;
}

std::string TogliSpaziFinali(std::string_view text) {
    return std::string(SenzaSpaziFinali(text));
}

std::string_view SenzaSpaziFinali(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0')) --n;
    return text.substr(0, n);
}

}  // namespace quindel
