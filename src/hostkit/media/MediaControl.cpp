#include "hostkit/media/MediaControl.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "contract/Declare.h"
#include "contract/Media.h"
#include "hostkit/base/ControlMembers.h"
#include "hostkit/base/PictureScaler.h"
#include "hostkit/media/MediaEngineFactory.h"
#include "platform/ModelRenderer.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

using platform::Image;

namespace {
constexpr const char* kSource = "Media";
constexpr std::int32_t kInvalidValue = 380;
constexpr double kFullWave = 65535;

using contract::media::MediaCommand;
}  // namespace

MediaControl::MediaControl(platform::Platform& p, platform::Window* parent,
                           const MediaOptions& options)
    : Window(p, platform::WindowKind::Control, parent),
      engine_(MakeMediaEngine(p, options)),
      pump_(p.NewTimer()) {
    pump_->setInterval(kPumpMs);
    pump_->setEnabled(false);
    pump_->OnTimer = [this] { Tick(); };
    engine_->SetVolume(VolumeFromWave(wave_));
    DeclareMembers();
}

MediaControl::~MediaControl() {
    pump_->setEnabled(false);
    pump_->OnTimer = nullptr;
}

void MediaControl::DeclareMembers() {
    namespace row = contract::media;
    namespace window = contract::window;
    using C = MediaControl;
    contract::Declare<C> m(table(), this);
    m.Property(row::FileName, 0x68020601, &C::FileName, &C::setFileName);
    m.Property(row::AutoSize, 0x68020602, &C::AutoSize, &C::setAutoSize);
    m.Property(row::AutoPlay, 0x68020603, &C::AutoPlay, &C::setAutoPlay);
    m.Property(row::Command, 0x68020604, &C::Command, &C::setCommand);
    m.ReadOnly(row::Error, 0x68020605, &C::Error);
    m.ReadOnly(row::ErrorMessage, 0x68020606, &C::ErrorMessage);
    m.Field(row::Notify, 0x68020607, notify_);
    m.ReadOnly(row::Length, 0x68020608, &C::Length);
    m.Property(row::Position, 0x68020609, &C::Position, &C::setPosition);
    m.Property(row::WaveVolume, 0x6802060A, &C::WaveVolume, &C::setWaveVolume);
    AdoptWindowMembers(table(), *this,
                       {window::Left, window::Top, window::Height, window::Width, window::Move,
                        window::Visible, window::hWnd, window::Enabled});
    DeclareRefresh(table(), [this] { Repaint(); });
    DeclareParent(table(), *this);
}

void MediaControl::setFileName(const std::string& path) {
    CloseFile();
    fileName_ = path;
    error_ = 0;
    errorMessage_.clear();
    if (path.empty()) return;
    if (!OpenFile()) {
        if (autoPlay_) throw VbError(error_, kSource, errorMessage_);
        return;
    }
    if (autoPlay_) engine_->Play();
}

void MediaControl::setAutoSize(std::int16_t v) {
    if (v != 0 && v != 1) Raise(kInvalidValue, kSource);
    autoSize_ = v;
    TakeFilmSize();
}

void MediaControl::setCommand(std::int16_t c) {
    switch (MediaCommand(c)) {
        case MediaCommand::Close:
            CloseFile();
            break;
        case MediaCommand::Open:
            if (load_ == Load::None) OpenFile();
            break;
        case MediaCommand::Play:
            engine_->Play();
            break;
        case MediaCommand::Pause:
        case MediaCommand::Stop:
            // A stop keeps the position, so a file stopped at its end still reads Position =
            // Length and a wait for the end is not left hanging.
            engine_->Pause();
            break;
        case MediaCommand::PlayOn:
            if (!engine_->AtEnd()) engine_->Play();
            break;
        case MediaCommand::Rewind:
            engine_->Seek(0);
            break;
        default:
            Raise(kInvalidValue, kSource);
    }
    command_ = c;
}

void MediaControl::setWaveVolume(double wave) {
    wave = std::clamp(wave, 0.0, kFullWave);
    if (wave == wave_) return;
    wave_ = wave;
    engine_->SetVolume(VolumeFromWave(wave_));
}

bool MediaControl::OpenFile() {
    CloseFile();
    const std::string native = platform().files().Resolve(fileName_);
    std::error_code ignored;
    if (fileName_.empty() || !std::filesystem::is_regular_file(native, ignored)) {
        Fail(kFileNotFound, "File not found: " + fileName_);
        return false;
    }
    ChooseSurface(Visible());
    if (MediaResult opened = engine_->Open(native); !opened.ok()) {
        ChooseSurface(false);
        Fail(kCannotPlay, std::move(opened.error));
        return false;
    }
    if (!engine_->HasVideo()) ChooseSurface(false);
    load_ = Load::Open;
    error_ = 0;
    errorMessage_.clear();
    TakeFilmSize();
    pump_->setEnabled(true);
    Repaint();
    return true;
}

void MediaControl::CloseFile() {
    if (load_ == Load::None) return;
    engine_->Close();
    ChooseSurface(false);
    load_ = Load::None;
    pump_->setEnabled(false);
    Repaint();
}

// Where the desktop has windows of its own, the engine draws a film straight into the control's:
// its pictures then never pass through the event loop. Otherwise, and in a control hidden when
// its file opened (a sound's, usually), they are painted by Paint.
void MediaControl::ChooseSurface(bool film) {
    const std::uintptr_t window = film ? platform().NativeSurface(*this, true) : 0;
    if (window != 0 && engine_->DrawInto(window)) {
        surface_ = window;
    } else {
        engine_->DrawInto(0);
        if (window != 0 || surface_ != 0) platform().NativeSurface(*this, false);
        surface_ = 0;
    }
    pump_->setInterval(surface_ != 0 ? kNativePumpMs : kPumpMs);
}

void MediaControl::Uncovered() {
    if (surface_ == 0) return;
    // The toolkit may have made the window anew (the form was docked, say).
    if (const std::uintptr_t window = platform().NativeSurface(*this, true); window != surface_)
        ChooseSurface(true);
    engine_->Redraw();
}

// An open that failed: Command 4 does not try again until the file is closed or named anew.
void MediaControl::Fail(std::int32_t number, std::string message) {
    load_ = Load::Failed;
    error_ = number;
    errorMessage_ = std::move(message);
}

void MediaControl::TakeFilmSize() {
    if (autoSize_ != 1 || !engine_->HasVideo()) return;
    const platform::SizePx film = engine_->VideoSize();
    const platform::Screen& s = platform().screen();
    Move(Left(), Top(), film.width * s.TwipsPerPixelX(), film.height * s.TwipsPerPixelY());
}

void MediaControl::Move(std::int32_t left, std::int32_t top, std::int32_t width,
                        std::int32_t height) {
    Window::Move(left, top, width, height);
    FollowSize();
}

// Pictures come from the engine at the control's pixel size, so painting is a copy.
void MediaControl::FollowSize() {
    const platform::SizePx size = ClientSizePx();
    if (size == frameSize_) return;
    frameSize_ = size;
    engine_->SetFrameSize(size);
}

void MediaControl::Tick() {
    if (!Alive()) {
        CloseFile();
        return;
    }
    const MediaEvents events = engine_->Pump();
    if (events.failed) {
        error_ = kCannotPlay;
        errorMessage_ = engine_->ErrorText();
    }
    if (events.newFrame && engine_->HasVideo()) Repaint();
}

bool MediaControl::LendPixels(platform::SizePx size,
                              const std::function<void(const platform::PixelsView&)>& use) const {
    return engine_->HasVideo() && engine_->LendFrame(size, use);
}

void MediaControl::Paint(Image& img) const {
    if (engine_->IsOpen() && !engine_->HasVideo()) {
        img.fill(platform::look::kFace);  // sound alone shows nothing
        return;
    }
    if (engine_->CopyFrame(img)) return;  // covers it all
    const Image& frame = engine_->Frame();
    img.fill(platform::MakeRgb(0, 0, 0));
    // Until the engine delivers a picture at a new size, the last one is stretched to it.
    if (!frame.empty()) img.blit(ScalePicture(frame, img.width(), img.height()), 0, 0);
}

}  // namespace quindel::hostkit
