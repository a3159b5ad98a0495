#pragma once
// A host's display area: the animation form on a form the host provides, carrying one display
// control of each kind a panel is handed (hidden until the panel shows one), the caption, and the
// packed-file extractor. HandTo gives them all to a panel by late binding and forwards the
// picture control's mouse to it, as the panel's zoom and pan expect of a host.
//
// A panel fits a picture to the screen and centres it there, and sizes panoramas and movies
// for the screen, as if its display form covered the screen. Arrange fits the shown picture,
// panorama or movie into this area instead, above the caption while it shows, and centres what
// is shown there; a host calls it after each object the panel shows (every show is followed by
// one of the panel's events). Resizing the form arranges too.
//
// Arrange names the picture, panorama, movie and film controls for assistive technology by the
// caption of the object shown (its description when no caption shows), so a screen reader says
// what the picture is.
// Arrange also tidies the stage after a show: an animation surface left empty is hidden at once
// (it hides itself shortly after anyway), and when the panel's current object is of a kind the
// stage has no control for (a quiz, an index, an unknown type) and nothing else is shown, a line
// in the middle of the area says so, naming it by its description, in the language SetLanguage
// chose (Polish unless told).
#include <memory>
#include <string>

#include "hostkit/media/MediaEngine.h"
#include "hostkit/stage/StageNotice.h"
#include "runtime/Variant.h"

namespace quindel::platform {
class Platform;
class Form;
class Label;
class Window;
}  // namespace quindel::platform

namespace quindel::hostkit {

class AnimationForm;
class PictureControl;
class PanoramaControl;
class MovieControl;
class MediaControl;
class RichTextBox;
class ZipExtractor;

class DisplayStage {
  public:
    static constexpr std::int32_t kCaptionHeight = 900;  // twips, along the bottom of the area

    DisplayStage(platform::Platform& p, std::shared_ptr<platform::Form> form,
                 const MediaOptions& media = {});
    ~DisplayStage();
    DisplayStage(const DisplayStage&) = delete;
    DisplayStage& operator=(const DisplayStage&) = delete;

    // Sets every display member of panel to this stage's controls.
    void HandTo(const Object& panel);
    void Arrange();
    // The language of the stage's own lines, a tag such as "pl" or "en" (a host passes its
    // catalogue's); a language the stage does not know leaves them Polish.
    void SetLanguage(const std::string& tag);
    // The line the stage shows for what it cannot show; "" while it shows none.
    std::string Notice() const;

    platform::Form& Form() const;
    AnimationForm& Animation() const { return *animation_; }
    PictureControl& Picture() const { return *picture_; }
    PanoramaControl& Panorama() const { return *panorama_; }
    MovieControl& Movie() const { return *movie_; }
    MediaControl& Video() const { return *video_; }
    MediaControl& Audio() const { return *audio_; }
    RichTextBox& Text() const { return *text_; }
    RichTextBox& Caption() const { return *caption_; }
    platform::Label& NoticeLabel() const { return *notice_; }

  private:
    struct View {
        std::int32_t width = 0, height = 0;  // twips, from the form's top-left corner
    };
    struct Current {
        std::string type, description;
    };

    void NameTheShown();
    void FitPicture();
    void Fit(platform::Window& w, double width, double height);
    void Centre(platform::Window& w) const;
    void ForwardPictureMouse();
    void UpdateNotice();
    bool NothingShown() const;
    Current CurrentObject() const;

    std::shared_ptr<AnimationForm> animation_;
    std::shared_ptr<PictureControl> picture_;
    std::shared_ptr<PanoramaControl> panorama_;
    std::shared_ptr<MovieControl> movie_;
    std::shared_ptr<MediaControl> video_, audio_;
    std::shared_ptr<RichTextBox> text_, caption_;
    std::shared_ptr<ZipExtractor> blob_;
    std::shared_ptr<platform::Label> notice_;  // hidden while it has nothing to say
    StageLanguage language_ = StageLanguage::Polish;
    View view_;                      // the part of the form objects are shown in
    std::weak_ptr<Dispatch> panel_;  // the panel is the host's; the stage does not keep it
};

}  // namespace quindel::hostkit
