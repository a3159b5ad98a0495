#include "viewer/ViewerState.h"

#include "control/Quindel.h"
#include "hostkit/media/MediaControl.h"
#include "hostkit/panorama/PanoramaControl.h"
#include "hostkit/picture/PictureControl.h"
#include "hostkit/state/StateStore.h"
#include "lists/ClasseTLista.h"
#include "viewer/ListChoice.h"
#include "viewer/ViewerHost.h"

namespace quindel::viewer {
namespace {

constexpr std::int16_t kLinkedList = 3, kMultimediaList = 9, kZoom = 16;

bool Down(const Quindel& panel, std::int16_t button) {
    return panel.ValorePulsante(button) != 0;
}

// Presses the button as the host's ValorePulsante does, when its state is not the one wanted.
void SetButton(Quindel& panel, std::int16_t button, bool down) {
    if (Down(panel, button) != down && panel.IsPulsanteAbilitato(button))
        panel.setValorePulsante(button, down ? -1 : 0);
}

// The film's or the sound's player when the object shown is one (a sound plays in a hidden
// control, so its visibility tells nothing).
hostkit::MediaControl* PlayerOf(const ViewerHost& host) {
    const std::string type = host.Panel().ListaMM()->TipoOggetto();
    hostkit::MediaControl* player = type == "VI"   ? &host.Display().Video()
                                    : type == "AU" ? &host.Display().Audio()
                                                   : nullptr;
    return player && !player->FileName().empty() ? player : nullptr;
}

}  // namespace

hostkit::ReadingState CaptureReadingState(const ViewerHost& host) {
    hostkit::ReadingState s;
    s.content = host.Fingerprint();
    const Quindel& panel = host.Panel();
    const hostkit::DisplayStage& stage = host.Display();
    if (host.ObjectShown() && panel.ListaMM()->PuntatoreFileLista() > 0)
        s.object = panel.ListaMM()->PuntatoreFileLista() - 1;
    s.volume = panel.VolumeAudio();
    s.multimediaListOpen = Down(panel, kMultimediaList);
    s.linkedListOpen = Down(panel, kLinkedList);
    if (stage.Picture().Visible()) {
        s.zoomed = Down(panel, kZoom);
        s.panX = stage.Picture().CropX();
        s.panY = stage.Picture().CropY();
    }
    if (stage.Panorama().Visible()) {
        s.panoramaPan = stage.Panorama().PanAngle();
        s.panoramaFov = stage.Panorama().FieldOfView();
    }
    if (const hostkit::MediaControl* player = PlayerOf(host); player && host.ObjectShown())
        s.filmMs = player->Position();
    return s;
}

void RestoreReadingState(ViewerHost& host, const hostkit::ReadingState& s) {
    Quindel& panel = host.Panel();
    hostkit::DisplayStage& stage = host.Display();
    if (s.volume) panel.setVolumeAudio(*s.volume);
    if (s.object) ChooseRecord(panel, hostkit::SearchList::Multimedia, *s.object);
    if (stage.Picture().Visible()) {
        if (s.zoomed) SetButton(panel, kZoom, *s.zoomed);
        if (s.panX) stage.Picture().setCropX(*s.panX);
        if (s.panY) stage.Picture().setCropY(*s.panY);
    }
    if (stage.Panorama().Visible()) {
        if (s.panoramaFov) stage.Panorama().setFieldOfView(*s.panoramaFov);
        if (s.panoramaPan) stage.Panorama().setPanAngle(*s.panoramaPan);
    }
    if (hostkit::MediaControl* player = PlayerOf(host); player && s.filmMs)
        player->setPosition(std::int32_t(*s.filmMs));
    if (s.multimediaListOpen) SetButton(panel, kMultimediaList, *s.multimediaListOpen);
    if (s.linkedListOpen) SetButton(panel, kLinkedList, *s.linkedListOpen);
}

void ReadingMemory::Restore() {
    const hostkit::LoadedState loaded =
        hostkit::LoadReadingState(host_.Content(), host_.Fingerprint());
    if (!loaded.warning.empty() && warn_) warn_(loaded.warning);
    if (loaded.state) RestoreReadingState(host_, *loaded.state);
    Note();
}

void ReadingMemory::Note() {
    if (!host_.Panel().InChiusura()) last_ = CaptureReadingState(host_);
}

void ReadingMemory::Save() const {
    if (!last_) return;
    const std::string error = hostkit::SaveReadingState(host_.Content(), *last_);
    if (!error.empty() && warn_) warn_("the reading state was not saved: " + error);
}

}  // namespace quindel::viewer
