#pragma once
// The pictures `quindel-viewer --shots` writes: viewer.png, the main window as it is painted;
// viewer_tooltip.png, with the pointer resting on the close button; viewer_list.png, with the
// multimedia list that button 9 opens; and viewer_FO.png, viewer_MA.png, viewer_TA.png and
// viewer_F3.png, the main window showing the first photograph, map, text and panorama, each
// reached by scrolling the list next to it and stepping onto it with the next or previous
// button. The pointer moves and the clicks reach the real toolbar widget as a user's would.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quindel::qt {
class QtPlatform;
}

namespace quindel::viewer {

class ViewerHost;

class ViewerShots {
  public:
    ViewerShots(qt::QtPlatform& p, ViewerHost& host) : p_(p), host_(host) {}

    // Writes the pictures into dir; returns the files written.
    std::vector<std::filesystem::path> Write(const std::filesystem::path& dir);
    // The object types shown in the pictures of objects, in the order they are written.
    static const std::vector<std::string>& ObjectTypes();

    // Presses and releases the left button over toolbar button i on its widget.
    void ClickButton(std::int16_t i);
    // Rests the pointer on toolbar button i until its tooltip shows, calls shot, and moves the
    // pointer off the buttons again.
    void Hover(std::int16_t i, const std::function<void()>& shot);
    // Lets events and timers run for about ms milliseconds.
    void Settle(int ms);

  private:
    // Shows the first object of type tipo as a user would; false when the list has none.
    bool ShowObject(const std::string& tipo);
    // Opens a dialog with open, writes the window with the dialog over it, closes it with Escape.
    void DialogShot(const std::function<void()>& open, const std::filesystem::path& file,
                    std::vector<std::filesystem::path>& written);

    qt::QtPlatform& p_;
    ViewerHost& host_;
};

}  // namespace quindel::viewer
