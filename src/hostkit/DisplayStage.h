#pragma once
// A host's display area: the animation form on a form the host provides, carrying one display
// control of each kind a panel is handed (hidden until the panel shows one), the caption, and the
// packed-file extractor. HandTo gives them all to a panel by late binding and forwards the
// picture control's mouse to it, as the panel's zoom and pan expect of a host.
//
// A panel fits a picture to the screen and centres it there, and sizes panoramas and movies
// for the screen, as if its display form covered the screen. Arrange fits the shown picture,
// panorama or movie into this area instead, above the caption while it shows, and centres what
// is shown there; a host whose area is smaller than the screen calls it after each object the
// panel shows (every show is followed by one of the panel's events). Resizing the form arranges
// too.
#include <memory>

#include "hostkit/MediaEngine.h"
#include "runtime/Variant.h"

namespace quindel::platform {
class Platform;
class Form;
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

    platform::Form& Form() const;
    AnimationForm& Animation() const { return *animation_; }
    PictureControl& Picture() const { return *picture_; }
    PanoramaControl& Panorama() const { return *panorama_; }
    MovieControl& Movie() const { return *movie_; }
    MediaControl& Video() const { return *video_; }
    MediaControl& Audio() const { return *audio_; }
    RichTextBox& Text() const { return *text_; }
    RichTextBox& Caption() const { return *caption_; }

  private:
    struct View {
        std::int32_t width = 0, height = 0;  // twips, from the form's top-left corner
    };

    void FitPicture();
    void Fit(platform::Window& w, double width, double height);
    void Centre(platform::Window& w) const;
    void ForwardPictureMouse();

    std::shared_ptr<AnimationForm> animation_;
    std::shared_ptr<PictureControl> picture_;
    std::shared_ptr<PanoramaControl> panorama_;
    std::shared_ptr<MovieControl> movie_;
    std::shared_ptr<MediaControl> video_, audio_;
    std::shared_ptr<RichTextBox> text_, caption_;
    std::shared_ptr<ZipExtractor> blob_;
    View view_;                      // the part of the form objects are shown in
    std::weak_ptr<Dispatch> panel_;  // the panel is the host's; the stage does not keep it
};

}  // namespace quindel::hostkit
