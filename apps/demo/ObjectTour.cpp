#include "ObjectTour.h"

#include <cstdio>

#include "control/Quindel.h"
#include "hostkit/AnimationForm.h"
#include "hostkit/MediaControl.h"
#include "hostkit/MovieControl.h"
#include "hostkit/PanoramaControl.h"
#include "hostkit/PictureControl.h"
#include "hostkit/RichTextBox.h"
#include "hostkit/ZipExtractor.h"
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

template <class T>
std::shared_ptr<T> Hidden(std::shared_ptr<T> w) {
    w->setVisible(false);
    return w;
}

}  // namespace

struct ObjectTour::Controls {
    std::shared_ptr<platform::Form> stage;
    std::shared_ptr<hostkit::AnimationForm> form;
    std::shared_ptr<hostkit::PictureControl> picture;
    std::shared_ptr<hostkit::PanoramaControl> panorama;
    std::shared_ptr<hostkit::MovieControl> movie;
    std::shared_ptr<hostkit::MediaControl> video, audio;
    std::shared_ptr<hostkit::RichTextBox> text, caption;
    std::shared_ptr<hostkit::ZipExtractor> blob;
};

ObjectTour::ObjectTour(headless::HeadlessPlatform& p, Quindel& q, platform::Form& panelForm)
    : p_(p), q_(q), panelForm_(panelForm), c_(std::make_unique<Controls>()) {
    const platform::Screen& s = p.screen();
    Controls& c = *c_;
    c.stage = p.NewForm();
    c.stage->setBorderStyle(platform::border::None);
    c.stage->setBackColor(platform::MakeRgb(32, 36, 44));
    c.stage->Move(0, 0, s.WidthTwips(), s.HeightTwips());
    c.form = std::make_shared<hostkit::AnimationForm>(c.stage);
    platform::Form& f = c.form->form();
    const hostkit::MediaOptions virtualEngine{.backend = hostkit::MediaBackend::Virtual};
    c.picture = Hidden(p.NewChild<hostkit::PictureControl>(f));
    c.panorama = Hidden(p.NewChild<hostkit::PanoramaControl>(f));
    c.movie = Hidden(p.NewChild<hostkit::MovieControl>(f));
    c.video = Hidden(p.NewChild<hostkit::MediaControl>(f, virtualEngine));
    c.audio = Hidden(p.NewChild<hostkit::MediaControl>(f, virtualEngine));
    c.text = Hidden(p.NewChild<hostkit::RichTextBox>(f));
    c.caption = p.NewChild<hostkit::RichTextBox>(f);
    c.blob = std::make_shared<hostkit::ZipExtractor>(p.files());
    q.setFrmControlloAnimazione(c.form);
    q.setControlloImmagine(c.picture);
    q.setControllo3DFoto360(c.panorama);
    q.setControlloShockwave(c.movie);
    q.setControlloVideo(c.video);
    q.setControlloAudio(c.audio);
    q.setControlloTesto(c.text);
    q.setControlloDidascalia(c.caption);
    q.setControlloBlob(c.blob);
}

ObjectTour::~ObjectTour() = default;

std::vector<fs::path> ObjectTour::Run(const fs::path& list, const fs::path& out) {
    c_->stage->Show();
    panelForm_.ZOrder();
    // The whole list in place of the chunk the first half left: the loader appends.
    ClasseTLista& mm = *q_.ListaMM();
    mm.Clear();
    q_.setNomeFileListaMM(list.string());
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
    q_.SpegniTutteLeVisualizzazioni();
    return written;
}

void ObjectTour::ShowType(const std::string& tipo, std::int32_t index, const fs::path& file) {
    ClasseTLista& mm = *q_.ListaMM();
    std::printf("show object %d (%s): %s\n", index + 1, tipo.c_str(), mm.Descrizione().c_str());
    p_.Boxes().ClearShown();
    q_.MostraOggetto();
    p_.RunFor(kShowMs);
    for (const auto& box : p_.Boxes().Shown()) std::printf("  message: %s\n", box.text.c_str());
    if (p_.GrabScreen().savePng(file.string())) std::printf("  picture %s\n", file.c_str());
}

}  // namespace quindel::demo
