#include "support/Risorse.h"

#include <string>

#include "platform/Bmp.h"

namespace quindel {

platform::Image ImmagineIncorporata(std::string_view nome) {
    auto img = platform::DecodeBmp(RisorsaIncorporata(nome));
    if (!img) return {};
    constexpr std::string_view kEstensione = ".bmp";
    if (!nome.ends_with(kEstensione)) return *img;
    const std::string doppia =
        std::string(nome.substr(0, nome.size() - kEstensione.size())) + "@2x.bmp";
    auto denso = platform::DecodeBmp(RisorsaIncorporata(doppia));
    // Twice the size each way or nothing: a drawing of another shape would paint misplaced.
    if (denso && denso->width() == 2 * img->width() && denso->height() == 2 * img->height())
        img->setDenser(std::move(*denso), 2.0);
    return *img;
}

}  // namespace quindel
