#pragma once
// The viewer's host logic, toolkit-free so a test drives it on either backend: a main window with
// the panel at the top, the display area below it and a status line showing the events the panel
// raises. The panel sizes and places its own form (compact mode shrinks it, list windows open
// just below it), so it gets a borderless form of its own, owned by the main window and laid over
// the top-left corner of its client area; the display area (the panel's animation form, carrying
// the display controls handed to the panel) is a second such form taking the rest: under the full
// panel, beside the compact one. A desktop host docks both into the main window. The main window
// opens inside the screen's work area, at least as large as the panel's strip needs. The display
// area opens on the entry's article, in the text control, until the user moves to an object.
// The panel starts full, so its "restore the full panel" button starts hidden.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hostkit/media/MediaEngine.h"
#include "hostkit/stage/DisplayStage.h"
#include "platform/Geometry.h"

namespace quindel {
class Quindel;
}  // namespace quindel

namespace quindel::hostkit {
class PaginatoreLista;
}

namespace quindel::platform {
class Platform;
class Form;
class Label;
}  // namespace quindel::platform

namespace quindel::viewer {

class ViewerHost {
  public:
    // Puts a form of the viewer's inside the main window (QtPlatform::Dock); may be empty.
    using Dock = std::function<void(platform::Form& panel, platform::Form& main)>;

    // content holds ListaMM.lst, ListaLemmi.lst, the article, Haslo.rtf (or Haslo.txt when
    // there is no RTF), and the objects at the paths the list gives, relative to it; the chunk
    // file goes into work. media chooses the film and sound engine.
    ViewerHost(platform::Platform& p, std::filesystem::path content, std::filesystem::path work,
               Dock dock = {}, const hostkit::MediaOptions& media = {});
    ~ViewerHost();
    ViewerHost(const ViewerHost&) = delete;
    ViewerHost& operator=(const ViewerHost&) = delete;

    // The part of the screen the main window may take (the screen less the desktop's panels and
    // docks), in pixels; the whole screen unless the host says otherwise. Set before Start.
    void setWorkArea(platform::RectPx area) { workArea_ = area; }

    // Builds and shows the windows and hands the lists and the display controls to the panel;
    // false, with Error() saying why, when the content folder or its list files are missing. The
    // content folder becomes the current one, as the list's object paths are relative to it.
    bool Start();
    const std::string& Error() const { return error_; }
    // The content fingerprint of the lists (hostkit/search/ContentFingerprint.h), known once
    // started.
    const std::string& Fingerprint() const { return fingerprint_; }
    const std::filesystem::path& Content() const { return content_; }
    // Whether the reader has moved from the article to an object of the multimedia list.
    bool ObjectShown() const { return objectShown_; }

    Quindel& Panel() const { return *panel_; }
    platform::Form& MainForm() const { return *main_; }
    platform::Form& PanelForm() const { return *panelForm_; }
    hostkit::DisplayStage& Display() const { return *stage_; }
    // The text control, where the article shows until the user moves to an object.
    hostkit::RichTextBox& Article() const;
    platform::Label& Status() const { return *status_; }
    // The least client size of the main window: the panel's strip whole, a little of the display
    // area and the status line; in pixels. Known once started.
    platform::SizePx MinimumClientPx() const { return minimumClient_; }
    // Room at the right end of the status line for a control of the host's own (the search
    // field), in pixels; the status text keeps the rest. Where that room is, in the main
    // window's client pixels.
    void setStatusReservePx(int px);
    platform::RectPx StatusReserveRectPx() const;
    // Every event text received, oldest first.
    const std::vector<std::string>& Events() const { return events_; }
    // Closes the panel (as its close button does) and the main window, then calls OnClosed; the
    // same happens when either window is closed. Closing the panel also ends a wait it may be
    // running inside an event (the hover wait), which would keep an event loop from returning.
    void Close();
    // Moves the multimedia list, as a user drags its scroll bar, to the record next to the first
    // object of type tipo, and returns the button that steps onto it (11 next, 10 previous); 0
    // when the list has no such object.
    std::int16_t ScrollBeside(const std::string& tipo);
    // The middle of toolbar button i in the toolbar window's own pixels (its border included),
    // where a click on the widget showing it lands on the button.
    platform::PointPx ButtonPoint(std::int16_t i) const;

    std::function<void(const std::string&)> OnEvent;
    // Close is about to close the panel: what it shows is still on show.
    std::function<void()> OnClosing;
    // The windows were laid out again (a resize, compact mode).
    std::function<void()> OnLayout;
    // The main window or the panel was closed.
    std::function<void()> OnClosed;

  private:
    void BuildWindows();
    void BuildDisplay();
    // The main window's client area: three quarters of the work area, no less than least, no
    // more than the work area allows, centred in it.
    void SizeMainWindow(platform::SizePx least);
    platform::SizePx StripNeedsPx() const;
    // Moves a form of the viewer's to the given part of the main window's client area (twips).
    void PlaceInClient(platform::Form& form, std::int32_t left, std::int32_t top,
                       std::int32_t width, std::int32_t height) const;
    void LoadLists(const std::filesystem::path& mm, const std::filesystem::path& lemmi);
    void Layout();
    void LoadArticle();
    void Record(const std::string& text);

    platform::Platform& p_;
    std::filesystem::path content_, work_;
    Dock dock_;
    hostkit::MediaOptions media_;
    std::shared_ptr<platform::Form> main_, panelForm_;
    std::unique_ptr<hostkit::DisplayStage> stage_;
    std::shared_ptr<platform::Label> status_;
    std::shared_ptr<Quindel> panel_;
    std::unique_ptr<hostkit::PaginatoreLista> mm_;
    std::vector<std::string> events_;
    std::string error_;
    platform::RectPx workArea_;
    platform::SizePx minimumClient_;
    std::string fingerprint_;
    int statusReservePx_ = 0;
    bool objectShown_ = false;
    bool closing_ = false;
};

}  // namespace quindel::viewer
