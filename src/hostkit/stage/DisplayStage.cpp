#include "hostkit/stage/DisplayStage.h"

#include <algorithm>
#include <initializer_list>

#include "contract/Picture.h"
#include "hostkit/animation/AnimationForm.h"
#include "hostkit/animation/Loudspeaker.h"
#include "hostkit/media/MediaControl.h"
#include "hostkit/movie/MovieControl.h"
#include "hostkit/panorama/PanoramaControl.h"
#include "hostkit/picture/PictureControl.h"
#include "hostkit/picture/PicturePrint.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/zip/ZipExtractor.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/Platform.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

namespace {

using contract::picture::kStretched;  // the picture control's AutoSize for a fitted picture

template <class T>
std::shared_ptr<T> Hidden(std::shared_ptr<T> w) {
    w->setVisible(false);
    return w;
}

}  // namespace

DisplayStage::DisplayStage(platform::Platform& p, std::shared_ptr<platform::Form> form,
                           const MediaOptions& media)
    : animation_(std::make_shared<AnimationForm>(std::move(form))) {
    platform::Form& f = animation_->form();
    picture_ = Hidden(p.NewChild<PictureControl>(f));
    ConnectPrinter(*picture_, p);  // the print dialog prints the shown picture through it
    panorama_ = Hidden(p.NewChild<PanoramaControl>(f));
    movie_ = Hidden(p.NewChild<MovieControl>(f));
    video_ = Hidden(p.NewChild<MediaControl>(f, media));
    audio_ = Hidden(p.NewChild<MediaControl>(f, media));
    text_ = Hidden(p.NewChild<RichTextBox>(f));
    caption_ = Hidden(p.NewChild<RichTextBox>(f));
    blob_ = std::make_shared<ZipExtractor>(p.files());
    notice_ = Hidden(p.NewLabel(f));
    notice_->setAppearance(0);
    notice_->setBackColor(f.BackColor());
    notice_->setForeColor(InkOn(f.BackColor()));
    notice_->setAutoSize(true);
    f.OnResize = [this] { Arrange(); };
    Arrange();
}

DisplayStage::~DisplayStage() {
    animation_->form().OnResize = nullptr;
    picture_->OnMouseDown = picture_->OnMouseMove = nullptr;
}

platform::Form& DisplayStage::Form() const {
    return animation_->form();
}

void DisplayStage::HandTo(const Object& panel) {
    SetProperty(panel, "FrmControlloAnimazione", Object(animation_));
    SetProperty(panel, "ControlloImmagine", Object(picture_));
    SetProperty(panel, "Controllo3DFoto360", Object(panorama_));
    SetProperty(panel, "ControlloShockwave", Object(movie_));
    SetProperty(panel, "ControlloVideo", Object(video_));
    SetProperty(panel, "ControlloAudio", Object(audio_));
    SetProperty(panel, "ControlloTesto", Object(text_));
    SetProperty(panel, "ControlloDidascalia", Object(caption_));
    SetProperty(panel, "ControlloBlob", Object(blob_));
    panel_ = panel;
    ForwardPictureMouse();
}

// A click may switch the zoom, which fits the picture to the screen again: arranged afterwards.
void DisplayStage::ForwardPictureMouse() {
    const auto forward = [this](const char* member, const platform::MouseArgs& a) {
        const Object panel = panel_.lock();  // held while the panel handles the mouse
        if (!panel) return;
        CallMethod(panel, member, a.Button, a.Shift, a.X, a.Y);
        Arrange();
    };
    picture_->OnMouseDown = [forward](const platform::MouseArgs& a) {
        forward("ControlloImmagine_MouseDown", a);
    };
    picture_->OnMouseMove = [forward](const platform::MouseArgs& a) {
        forward("ControlloImmagine_MouseMove", a);
    };
}

// What is shown goes above the caption while the caption shows.
void DisplayStage::Arrange() {
    platform::Form& f = Form();
    if (!f.Alive()) return;
    const std::int32_t w = f.ScaleWidth(), h = f.ScaleHeight();
    const std::int32_t captionHeight = std::min(kCaptionHeight, h);
    caption_->Move(0, h - captionHeight, w, captionHeight);
    view_ = {w, caption_->Visible() ? h - captionHeight : h};
    if (text_->Visible()) text_->Move(0, 0, view_.width, view_.height);
    if (picture_->Visible()) FitPicture();
    // These draw to whatever size they have; sized for the screen, they are made to fit.
    for (platform::Window* shown : {static_cast<platform::Window*>(panorama_.get()),
                                    static_cast<platform::Window*>(movie_.get())})
        if (shown->Visible()) Fit(*shown, shown->Width(), shown->Height());
    animation_->Animazioni().HideIfEmpty();
    for (platform::Window* shown : {static_cast<platform::Window*>(video_.get()),
                                    static_cast<platform::Window*>(&animation_->Animazioni())})
        if (shown->Visible()) Centre(*shown);
    UpdateNotice();
    NameTheShown();
}

void DisplayStage::NameTheShown() {
    std::string name = caption_->Visible() ? caption_->engine().Text() : std::string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const std::size_t first = name.find_first_not_of(' ');
    name = first == std::string::npos ? std::string()
                                      : name.substr(first, name.find_last_not_of(' ') - first + 1);
    if (name.empty()) name = CurrentObject().description;
    for (platform::Window* w : {static_cast<platform::Window*>(picture_.get()),
                                static_cast<platform::Window*>(panorama_.get()),
                                static_cast<platform::Window*>(movie_.get()),
                                static_cast<platform::Window*>(video_.get())})
        w->setAccessibleName(name);
}

void DisplayStage::SetLanguage(const std::string& tag) {
    language_ = tag == "en" ? StageLanguage::English : StageLanguage::Polish;
    Arrange();
}

std::string DisplayStage::Notice() const {
    return notice_->Visible() ? notice_->Caption() : std::string();
}

// Said only while the area is otherwise empty, so it never covers an object or the article.
void DisplayStage::UpdateNotice() {
    const Current c = NothingShown() ? CurrentObject() : Current{};
    const std::string text = StageNotice(c.type, c.description, language_);
    notice_->setCaption(text);
    notice_->setVisible(!text.empty());
    if (!text.empty()) Centre(*notice_);
}

bool DisplayStage::NothingShown() const {
    const std::initializer_list<const platform::Window*> shown = {
        picture_.get(), panorama_.get(),           movie_.get(),        video_.get(),
        text_.get(),    &animation_->Animazioni(), &animation_->Suono()};
    return std::ranges::none_of(shown, [](const platform::Window* w) { return w->Visible(); });
}

// The panel's current object, read as any host reads it; nothing when there is none.
DisplayStage::Current DisplayStage::CurrentObject() const {
    const Object panel = panel_.lock();
    if (!panel) return {};
    try {
        const Variant list = GetProperty(panel, "ListaMM");
        if (!list.isObject() || !*list.asObjectPtr()) return {};
        const Object& l = *list.asObjectPtr();
        return {CStr(GetProperty(l, "TipoOggetto")), CStr(GetProperty(l, "Descrizione"))};
    } catch (const VbError&) {
        return {};  // a panel without a list, or between lists: nothing to say
    }
}

// A fitted picture at its own size, or smaller to fit the area, never larger; a zoomed one as
// the panel sized it.
void DisplayStage::FitPicture() {
    PictureControl& pic = *picture_;
    const platform::Screen& s = pic.platform().screen();
    if (pic.AutoSize() == kStretched)
        Fit(pic, double(pic.IWidth()) * s.TwipsPerPixelX(),
            double(pic.IHeight()) * s.TwipsPerPixelY());
    else
        Centre(pic);
}

// Sizes w to a width and height, scaled down with their shape kept to fit the view, and
// centres it.
void DisplayStage::Fit(platform::Window& w, double width, double height) {
    if (width > 0 && height > 0) {
        const double scale = std::min({1.0, view_.width / width, view_.height / height});
        w.Move(w.Left(), w.Top(), std::int32_t(width * scale), std::int32_t(height * scale));
    }
    Centre(w);
}

void DisplayStage::Centre(platform::Window& w) const {
    w.Move(std::max((view_.width - w.Width()) / 2, 0), std::max((view_.height - w.Height()) / 2, 0),
           w.Width(), w.Height());
}

}  // namespace quindel::hostkit
