#pragma once
// The host's film and sound control: one media file played through a media engine (GStreamer, or
// the virtual engine on the platform's clock), driven by numeric commands. A platform window of
// its own kind that shows the film's current picture, scaled by the engine to the control's pixel
// size (black while there is none; a sound draws nothing, so a host may keep its control hidden),
// and a late-bound object with these members (dispatch ids):
//   FileName     0x68020601  the file (backslashes, any case); setting it closes what was open and
//                            opens the new file at once. "" only closes. When the file cannot be
//                            opened, Error says why; with AutoPlay on, the setter also raises it
//                            (53 no such file, 321 a file the engine cannot play), since a caller
//                            that asked for playback has no later step at which to read Error
//   AutoSize     0x68020602  1: on opening a film (and when set with one open) the control takes
//                            the film's own size in twips; 0: the control keeps its size. Other
//                            values raise 380
//   AutoPlay     0x68020603  True: a file plays as soon as FileName opens it
//   Command      0x68020604  a MediaCommand (contract/Media.h): Close; Open FileName when it is
//                            not open (a failure goes to Error, never raised); Play (from the
//                            start when at the end); Pause; PlayOn from where it is (nothing at
//                            the end); Stop where it is; Rewind to the start, playing on if it
//                            was playing. Other values raise 380. Commands with nothing open do
//                            nothing. Reads the last one
//   Error        0x68020605  0 when the last open succeeded and playback has not failed since;
//                            else 53 (no such file) or 321 (cannot be played)
//   ErrorMessage 0x68020606  what went wrong, "" with Error 0
//   Notify       0x68020607  kept; the control raises no events
//   Length       0x68020608  milliseconds; 0 with nothing open or when the file does not say
//   Position     0x68020609  milliseconds from the start; exactly Length once the end is reached
//                            (so a stop or a pause there keeps it equal to Length). Writing it
//                            seeks, within 0..Length, keeping the play state
//   WaveVolume   0x6802060A  0..65535 (a Double; 65535 is the file's own level); values outside
//                            are clamped. Kept across files
//   Left, Top, height, Width, Move, Visible, hWnd, Enabled  as on every window
//   Refresh, Parent          ControlMembers.h
// The engine is pumped on a platform timer every kPumpMs while a file is open, and the control
// repaints when a new picture arrives (every kNativePumpMs while the engine draws the film into
// the control's native window itself: then only the end and errors are waited for); a control whose
// window was destroyed closes its file on the next tick, and destroying the control releases the
// engine.
#include <cstdint>
#include <memory>
#include <string>

#include "hostkit/media/MediaEngine.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "runtime/DispatchTable.h"

namespace quindel::hostkit {

class MediaControl : public platform::Window, public TableDispatch {
  public:
    static constexpr std::int32_t kPumpMs = 40;
    static constexpr std::int32_t kNativePumpMs = 100;
    static constexpr std::int32_t kFileNotFound = 53;
    static constexpr std::int32_t kCannotPlay = 321;

    // `options` picks the engine (MediaEngineFactory.h): tests and deterministic hosts ask for the
    // virtual one.
    MediaControl(platform::Platform& p, platform::Window* parent, const MediaOptions& options = {});
    ~MediaControl() override;
    std::string TypeName() const override { return "MediaControl"; }

    const std::string& FileName() const { return fileName_; }
    void setFileName(const std::string& path);
    std::int16_t AutoSize() const { return autoSize_; }
    void setAutoSize(std::int16_t v);
    bool AutoPlay() const { return autoPlay_; }
    void setAutoPlay(bool v) { autoPlay_ = v; }
    std::int16_t Command() const { return command_; }
    void setCommand(std::int16_t command);
    std::int32_t Error() const { return error_; }
    const std::string& ErrorMessage() const { return errorMessage_; }
    std::int32_t Length() const { return std::int32_t(engine_->LengthMs()); }
    std::int32_t Position() const { return std::int32_t(engine_->PositionMs()); }
    void setPosition(std::int32_t ms) { engine_->Seek(ms); }
    double WaveVolume() const { return wave_; }
    void setWaveVolume(double wave);

    const MediaEngine& Engine() const { return *engine_; }

    void Move(std::int32_t left, std::int32_t top, std::int32_t width,
              std::int32_t height) override;
    void Paint(platform::Image& img) const override;
    bool PaintsWhole() const override { return true; }
    bool LendPixels(platform::SizePx size,
                    const std::function<void(const platform::PixelsView&)>& use) const override;
    void Uncovered() override;

  private:
    enum class Load { None, Open, Failed };

    void DeclareMembers();
    void Repaint() { Changed(platform::Aspect::Content); }
    // Opens fileName_, recording the outcome in Error; true when it opened.
    bool OpenFile();
    void CloseFile();
    void ChooseSurface(bool film);
    void Fail(std::int32_t number, std::string message);
    void TakeFilmSize();
    void FollowSize();
    void Tick();

    std::unique_ptr<MediaEngine> engine_;
    std::shared_ptr<platform::Timer> pump_;
    std::string fileName_;
    Load load_ = Load::None;
    std::int16_t autoSize_ = 0;
    bool autoPlay_ = false;
    bool notify_ = false;
    std::int16_t command_ = 0;
    std::int32_t error_ = 0;
    std::string errorMessage_;
    double wave_ = 65535;
    platform::SizePx frameSize_;  // what the engine was last asked for
    std::uintptr_t surface_ = 0;  // the native window the engine draws into, if any
};

}  // namespace quindel::hostkit
