#include "control/ScorciatoiePannello.h"

#include "platform/Keys.h"

namespace quindel {

namespace {

namespace key = platform::key;
constexpr std::int16_t kAlt = platform::modifier::Alt, kCtrl = platform::modifier::Ctrl;
constexpr std::int16_t kPlayPausa = 6, kPrecedente = 10, kSuccessivo = 11, kChiudi = 14,
                       kAutoplay = 15, kZoom = 16;
// The windows Escape closes, in this order.
constexpr std::int16_t kFinestre[] = {9, 3, 8};

}  // namespace

std::vector<Scorciatoia> ScorciatoiePannello(std::function<bool()> zoomAttivo,
                                             std::function<bool(std::int16_t)> giu) {
    const auto ingrandito = [zoomAttivo] { return zoomAttivo(); };
    const auto adattato = [zoomAttivo] { return !zoomAttivo(); };
    std::vector<Scorciatoia> s = {
        {key::Left, kAlt, kPrecedente, "Alt+←", {}},
        {key::MediaPrevious, 0, kPrecedente, "", {}},
        {key::Right, kAlt, kSuccessivo, "Alt+→", {}},
        {key::MediaNext, 0, kSuccessivo, "", {}},
        {'P', 0, kPlayPausa, "P", {}},
        {key::MediaPlayPause, 0, kPlayPausa, "", {}},
        {key::Plus, kCtrl, kZoom, "Ctrl++", adattato},
        {key::Minus, kCtrl, kZoom, "Ctrl+−", ingrandito},
        {key::F5, 0, kAutoplay, "F5", {}},
        {'W', kCtrl, kChiudi, "Ctrl+W", {}},
    };
    // The first key that may run is the one pressed: one window closes at a time.
    for (std::int16_t finestra : kFinestre)
        s.push_back({key::Escape, 0, finestra, "", [giu, finestra] { return giu(finestra); }});
    return s;
}

}  // namespace quindel
