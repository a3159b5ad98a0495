#include "ObjectTour.h"

#include <cstdio>

#include "control/Quindel.h"
#include "hostkit/stage/DisplayStage.h"
#include "lists/ClasseTLista.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"
#include "platform/headless/HeadlessPlatform.h"

namespace fs = std::filesystem;

namespace quindel::demo {

namespace {

// Long enough for a film's first picture, an animation's few frames and a movie's progress.
constexpr std::int64_t kShowMs = 1500;
// One object of each; "IT", "PL" and "QZ" show nothing but their caption, and the second film
// is missing on purpose.
const char* const kTypes[] = {"FO", "MA", "DI", "TA", "AN", "VI",
                              "AU", "F3", "AI", "IT", "PL", "QZ"};

}  // namespace

ObjectTour::ObjectTour(headless::HeadlessPlatform& p, std::shared_ptr<Quindel> q,
                       platform::Form& panelForm)
    : p_(p), q_(std::move(q)), panelForm_(panelForm) {
    const platform::Screen& s = p.screen();
    auto form = p.NewForm();
    form->setBorderStyle(platform::border::None);
    form->setBackColor(platform::MakeRgb(32, 36, 44));
    form->Move(0, 0, s.WidthTwips(), s.HeightTwips());
    stage_ = std::make_unique<hostkit::DisplayStage>(
        p, std::move(form), hostkit::MediaOptions{.backend = hostkit::MediaBackend::Virtual});
    stage_->HandTo(q_);
}

ObjectTour::~ObjectTour() = default;

std::vector<fs::path> ObjectTour::Run(const fs::path& list, const fs::path& out) {
    stage_->Form().Show();
    panelForm_.ZOrder();
    // The whole list in place of the chunk the first half left: the loader appends.
    ClasseTLista& mm = *q_->ListaMM();
    mm.Clear();
    q_->setNomeFileListaMM(list.string());
    std::vector<fs::path> written;
    for (const char* tipo : kTypes) {
        for (std::int32_t i = 0; i < mm.ListCount(); ++i) {
            mm.setListIndex(i);
            if (mm.TipoOggetto() != tipo) continue;
            const fs::path file = out / (std::string("object_") + tipo + ".png");
            ShowType(tipo, i, file);
            written.push_back(file);
            break;
        }
    }
    q_->SpegniTutteLeVisualizzazioni();
    return written;
}

std::int64_t ObjectTour::PlayAll() {
    constexpr std::int16_t kAutoplay = 15;
    ClasseTLista& mm = *q_->ListaMM();
    if (mm.ListCount() == 0) return 0;
    mm.setListIndex(0);
    std::printf("autoplay from object 1 (%s): %s\n", mm.TipoOggetto().c_str(),
                mm.Descrizione().c_str());
    p_.Boxes().ClearShown();
    q_->MostraOggetto();
    const std::int64_t start = p_.NowMs();
    // The button pressed as the user presses it: the loop runs inside, waits on the clock.
    q_->setValorePulsante(kAutoplay, -1);
    const std::int64_t took = p_.NowMs() - start;
    for (const auto& box : p_.Boxes().Shown()) std::printf("  message: %s\n", box.text.c_str());
    std::printf("autoplay ended at object %d of %d, button 15 %s, %.1f s of playing time\n",
                mm.ListIndex() + 1, mm.ListCount(),
                q_->ValorePulsante(kAutoplay) ? "still down" : "up", double(took) / 1000);
    q_->SpegniTutteLeVisualizzazioni();
    return took;
}

void ObjectTour::ShowType(const std::string& tipo, std::int32_t index, const fs::path& file) {
    ClasseTLista& mm = *q_->ListaMM();
    std::printf("show object %d (%s): %s\n", index + 1, tipo.c_str(), mm.Descrizione().c_str());
    p_.Boxes().ClearShown();
    q_->MostraOggetto();
    p_.RunFor(kShowMs);
    for (const auto& box : p_.Boxes().Shown()) std::printf("  message: %s\n", box.text.c_str());
    if (p_.GrabScreen().savePng(file.string())) std::printf("  picture %s\n", file.c_str());
}

}  // namespace quindel::demo
