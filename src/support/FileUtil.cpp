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
    if (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    return std::string(text);
}

std::string TogliSpaziFinali(std::string_view text) {
    const std::size_t end = text.find_last_not_of(std::string_view(" \0", 2));
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

}  // namespace quindel
