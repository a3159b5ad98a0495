#pragma once
// A top-level window. Position is on the screen; the client area is the window less the frame
// the backend gives its border style. Show makes it visible, brings it to the front and activates
// it; Unload raises OnUnload, then destroys it and its children (their handles go away).
// A close asked from outside the program (the frame's close box, Alt+F4, the window manager)
// comes through InputClose: OnQueryUnload may cancel it and close the window its own way.
#include <functional>
#include <string>

#include "platform/Window.h"

namespace quindel::platform {

namespace border {
constexpr std::int16_t None = 0;
constexpr std::int16_t FixedSingle = 1;
constexpr std::int16_t Sizable = 2;
constexpr std::int16_t FixedDialog = 3;
constexpr std::int16_t FixedToolWindow = 4;
constexpr std::int16_t SizableToolWindow = 5;
}  // namespace border

class Form : public Window {
  public:
    explicit Form(Platform& p);

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string c);
    std::int16_t BorderStyle() const { return borderStyle_; }
    void setBorderStyle(std::int16_t b);
    Rgba BackColor() const { return backColor_; }
    void setBackColor(Rgba c);

    // Modeless show: visible, in front, active.
    void Show();
    void Hide() { setVisible(false); }
    void Unload();
    bool Loaded() const { return Alive(); }
    // The input funnel for a close from outside: raises OnQueryUnload and unloads the form
    // unless a handler cancelled. False when the form takes no input (hidden, disabled, gone) or
    // stayed loaded.
    bool InputClose();

    // The object that runs this form (a list window, a dialog), so code that holds only one of
    // its windows can find it. `key` names whose object it is: another key finds nothing.
    void setCompanion(const void* key, void* object) {
        companionKey_ = key;
        companion_ = object;
    }
    void* Companion(const void* key) const { return key == companionKey_ ? companion_ : nullptr; }

    Handle Owner() const { return owner_; }
    void setOwner(Handle h) { owner_ = h; }

    // A tool window's caption carries a small close box (a desktop backend leaves such windows'
    // frames to the model): its rectangle in pixels of the whole window, frame included; empty
    // for other border styles.
    RectPx CloseBoxPx() const;

    std::int32_t ScaleWidth() const override;
    std::int32_t ScaleHeight() const override;
    PointPx ClientOriginPx() const override;

    std::function<void()> OnUnload, OnActivate, OnDeactivate;
    std::function<void(bool& cancel)> OnQueryUnload;

    void Paint(Image& img) const override;

  protected:
    // A dialog or a window named by its caption; a borderless form is a pane of its owner's.
    void Describe(AccessibleDescription& d) const override;

  private:
    std::string caption_;
    std::int16_t borderStyle_ = border::Sizable;
    Rgba backColor_ = MakeRgb(212, 208, 200);
    Handle owner_ = 0;
    const void* companionKey_ = nullptr;
    void* companion_ = nullptr;
};

}  // namespace quindel::platform
