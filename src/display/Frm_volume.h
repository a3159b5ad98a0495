#pragma once
// The volume window: a small tool window with one slider, inverted (0 at full volume, Max at
// silence), that sets the volume of the control it is linked to. While the window itself moves
// the slider (on linking), the slider's extender flag is False, so its change handler does not
// echo the value back.
#include <cstdint>
#include <memory>

#include "support/Export.h"

QUINDEL_API_BEGIN

namespace quindel::platform {
class Platform;
class Form;
class Slider;
}  // namespace quindel::platform

namespace quindel {

class ProprietarioVolume;

class Frm_volume {
  public:
    explicit Frm_volume(platform::Platform& p);
    ~Frm_volume();
    Frm_volume(const Frm_volume&) = delete;
    Frm_volume& operator=(const Frm_volume&) = delete;

    const std::shared_ptr<platform::Form>& Form() const { return form_; }
    const std::shared_ptr<platform::Slider>& Slider1() const { return Slider1_; }
    ProprietarioVolume* ObjPilonda() const { return ObjPilonda_; }
    // Links the window to its control and puts the slider at the control's volume.
    void setObjPilonda(ProprietarioVolume* p);
    // Closes the window: detached from its owner window, unlinked from the control.
    void Unload();
    bool Caricato() const;

  private:
    void Slider1_Change();
    void Form_Unload();

    std::shared_ptr<platform::Form> form_;
    std::shared_ptr<platform::Slider> Slider1_;
    ProprietarioVolume* ObjPilonda_ = nullptr;
};

}  // namespace quindel

QUINDEL_API_END
