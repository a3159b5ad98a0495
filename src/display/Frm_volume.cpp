#include "display/Frm_volume.h"

#include <cmath>

#include "display/ProprietarioVolume.h"
#include "platform/Form.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "platform/Slider.h"
#include "platform/WindowObject.h"

namespace quindel {

namespace {
constexpr std::int32_t kMassimo = 10;
constexpr std::int32_t kVolumePieno = 255;
constexpr std::int32_t kLarghezza = 2700, kAltezza = 660;  // twips, frame included
}  // namespace

Frm_volume::Frm_volume(platform::Platform& p) : form_(p.NewForm()) {
    form_->setBorderStyle(platform::border::FixedToolWindow);
    form_->setCaption("Volume");
    form_->Move(0, 0, kLarghezza, kAltezza);
    Slider1_ = p.NewSlider(*form_);
    Slider1_->setMin(0);
    Slider1_->setMax(kMassimo);
    Slider1_->Move(60, 30, form_->ScaleWidth() - 120, form_->ScaleHeight() - 60);
    Slider1_->setExtenderBool(platform::kDispidExtenderBool, true);
    Slider1_->OnChange = [this] { Slider1_Change(); };
    // Escape closes the window as its button does, as it closes a list window.
    Slider1_->OnKeyPress = [this](std::int16_t& tasto) {
        if (tasto == platform::key::Escape && ObjPilonda_) ObjPilonda_->ChiudiVolume();
    };
    form_->OnUnload = [this] { Form_Unload(); };
    // A close from the frame or the window manager goes through the button, so one press opens
    // the window again.
    form_->OnQueryUnload = [this](bool& cancel) {
        if (!ObjPilonda_) return;
        cancel = true;
        ObjPilonda_->ChiudiVolume();
    };
}

Frm_volume::~Frm_volume() {
    Slider1_->OnChange = nullptr;
    Slider1_->OnKeyPress = nullptr;
    form_->OnUnload = nullptr;
    form_->OnQueryUnload = nullptr;
    ObjPilonda_ = nullptr;
    form_->Unload();
}

bool Frm_volume::Caricato() const {
    return form_->Loaded();
}

void Frm_volume::setObjPilonda(ProprietarioVolume* p) {
    ObjPilonda_ = p;
    if (!p) return;
    platform::Slider& s = *Slider1_;
    s.setExtenderBool(platform::kDispidExtenderBool, false);
    const double quota = double(p->VolumeAudio()) / kVolumePieno * s.Max();
    s.setValue(std::clamp(s.Max() - std::int32_t(std::floor(quota)), s.Min(), s.Max()));
    s.setExtenderBool(platform::kDispidExtenderBool, true);
}

void Frm_volume::Slider1_Change() {
    const platform::Slider& s = *Slider1_;
    if (!s.ExtenderBool(platform::kDispidExtenderBool) || !ObjPilonda_) return;
    ObjPilonda_->setVolumeAudio(std::int32_t((s.Max() - s.Value()) * kVolumePieno / s.Max()));
}

void Frm_volume::Unload() {
    if (form_->Loaded()) form_->Unload();
}

void Frm_volume::Form_Unload() {
    form_->platform().api().SetWindowWord(form_->hWnd(), platform::GWW_HWNDPARENT, 0);
    ObjPilonda_ = nullptr;
}

}  // namespace quindel
