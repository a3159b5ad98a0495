#pragma once
// The reader's place in the viewer, taken from and given back to the panel and the display area:
// the shown object (only once the reader moved from the article to one), the picture's zoom and
// pan, the panorama's view, the film's or sound's time, the volume and the open list windows.
// Restoring goes through the panel's public members as a host's calls would (choosing the row,
// pressing buttons 3, 9 and 16 through ValorePulsante, VolumeAudio), so the panel raises the
// events it always raises; what does not apply to the object shown is left alone.
#include <functional>
#include <optional>
#include <string>

#include "hostkit/state/ReadingState.h"

namespace quindel::viewer {

class ViewerHost;

hostkit::ReadingState CaptureReadingState(const ViewerHost& host);
void RestoreReadingState(ViewerHost& host, const hostkit::ReadingState& state);

}  // namespace quindel::viewer

namespace quindel::viewer {

// The viewer's memory of a reading between runs (hostkit/state/StateStore.h): the state saved
// for the content folder is restored once the viewer has started, the current state is noted
// after every event and just before the viewer closes (not once the panel is closing, when its
// windows are already shut), and the last one noted is saved at the end. A state that cannot be
// read or saved is reported through warn and otherwise ignored.
class ReadingMemory {
  public:
    using Warn = std::function<void(const std::string&)>;
    ReadingMemory(ViewerHost& host, Warn warn) : host_(host), warn_(std::move(warn)) {}

    void Restore();
    void Note();
    void Save() const;

  private:
    ViewerHost& host_;
    Warn warn_;
    std::optional<hostkit::ReadingState> last_;
};

}  // namespace quindel::viewer
