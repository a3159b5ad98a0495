#include "platform/Platform.h"

#include <algorithm>
#include <ctime>

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/ListBox.h"
#include "platform/MultimediaCommands.h"
#include "platform/PictureBox.h"
#include "platform/Slider.h"
#include "platform/Timer.h"
#include "platform/VScrollBar.h"

namespace quindel::platform {

Platform::Platform(ScreenMetrics screen) : screen_(screen), api_(*this) {}

Platform::~Platform() {
    // Its devices hold windows and timers of this platform; so may a host's services.
    mci_.reset();
    services_.clear();
}

void Platform::setMci(std::unique_ptr<MultimediaCommands> m) {
    mci_ = std::move(m);
}

void Platform::setServiceSlot(std::type_index type, std::shared_ptr<void> service) {
    if (service)
        services_[type] = std::move(service);
    else
        services_.erase(type);
}

void* Platform::ServiceSlot(std::type_index type) const {
    const auto it = services_.find(type);
    return it == services_.end() ? nullptr : it->second.get();
}

std::int64_t Platform::CalendarTime() const {
    return std::int64_t(std::time(nullptr));
}

template <class T>
std::shared_ptr<T> Platform::Adopt(std::shared_ptr<T> w, Window* parent) {
    if (parent) parent->children_.push_back(w);
    Changed(*w, Aspect::Geometry);
    return w;
}

void Platform::AdoptChild(const std::shared_ptr<Window>& w, Window& parent) {
    Adopt(w, &parent);
}

std::shared_ptr<Form> Platform::NewForm() {
    auto f = std::make_shared<Form>(*this);
    forms_.push_back(f.get());
    return Adopt(f, nullptr);
}

std::shared_ptr<PictureBox> Platform::NewPictureBox(Window& parent) {
    return Adopt(std::make_shared<PictureBox>(*this, &parent), &parent);
}
std::shared_ptr<Label> Platform::NewLabel(Window& parent) {
    return Adopt(std::make_shared<Label>(*this, &parent), &parent);
}
std::shared_ptr<ListBox> Platform::NewListBox(Window& parent) {
    return Adopt(std::make_shared<ListBox>(*this, &parent), &parent);
}
std::shared_ptr<VScrollBar> Platform::NewVScrollBar(Window& parent) {
    return Adopt(std::make_shared<VScrollBar>(*this, &parent), &parent);
}
std::shared_ptr<Slider> Platform::NewSlider(Window& parent) {
    return Adopt(std::make_shared<Slider>(*this, &parent), &parent);
}
std::shared_ptr<CommandButton> Platform::NewCommandButton(Window& parent) {
    return Adopt(std::make_shared<CommandButton>(*this, &parent), &parent);
}
std::shared_ptr<Timer> Platform::NewTimer() {
    return std::make_shared<Timer>(*this);
}

namespace {

// One entry a form: the window just focused replaces its form's earlier one and goes last.
void Remember(std::vector<std::weak_ptr<Window>>& trail, Window& w) {
    const Form* form = w.TopForm();
    std::erase_if(trail, [form](const std::weak_ptr<Window>& e) {
        const std::shared_ptr<Window> live = e.lock();
        return !live || live->TopForm() == form;
    });
    trail.push_back(w.weak_from_this());
}

}  // namespace

Handle Platform::Register(Window& w) {
    const Handle h = nextHandle_;
    nextHandle_ += 4;
    registry_[h] = &w;
    return h;
}

void Platform::Unregister(Window& w) {
    registry_.erase(w.hWnd());
    ++unregistrations_;
    // Also runs from a window's destructor, when the derived part is gone: compare as windows.
    std::erase_if(forms_, [&](Form* f) { return static_cast<Window*>(f) == &w; });
    if (active_ && static_cast<Window*>(active_) == &w) active_ = nullptr;
    if (focused_ == &w) focused_ = nullptr;
    if (capture_ == &w) capture_ = nullptr;
}

Window* Platform::FindWindow(Handle h) const {
    auto it = registry_.find(h);
    return it == registry_.end() ? nullptr : it->second;
}

void Platform::BringToFront(Form& f) {
    auto it = std::find(forms_.begin(), forms_.end(), &f);
    if (it != forms_.end()) std::rotate(it, it + 1, forms_.end());
}

void Platform::Activate(Form* f) {
    if (f == active_) return;
    Form* old = active_;
    active_ = f;
    if (old && old->OnDeactivate) old->OnDeactivate();
    if (f && f->OnActivate) f->OnActivate();
}

void Platform::SetFocusTo(Window* w) {
    if (w == focused_) return;
    Window* old = focused_;
    focused_ = w;
    if (old) {
        Changed(*old, Aspect::Focus);
        if (old->OnLostFocus) old->OnLostFocus();
    }
    if (w) {
        Remember(focusTrail_, *w);
        if (Form* f = w->TopForm()) Activate(f);
        Changed(*w, Aspect::Focus);
        if (w->OnGotFocus) w->OnGotFocus();
    }
}

void Platform::FocusBack() {
    if (focused_ && focused_->AcceptsInput()) return;
    for (auto it = focusTrail_.rbegin(); it != focusTrail_.rend(); ++it) {
        const std::shared_ptr<Window> w = it->lock();
        if (w && w.get() != focused_ && w->AcceptsInput()) {
            SetFocusTo(w.get());
            return;
        }
    }
}

Window* Platform::LastFocused(const std::function<bool(const Window&)>& where) const {
    for (auto it = focusTrail_.rbegin(); it != focusTrail_.rend(); ++it)
        if (const std::shared_ptr<Window> w = it->lock(); w && w->AcceptsInput() && where(*w))
            return w.get();
    return nullptr;
}

Window* Platform::ChildAt(Window& w, PointPx screen) const {
    const auto& kids = w.Children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        Window& c = **it;
        if (!c.Alive() || !c.Visible() || !c.ScreenRectPx().contains(screen)) continue;
        Window* deeper = ChildAt(c, screen);
        return deeper ? deeper : &c;
    }
    return nullptr;
}

Window* Platform::WindowAt(PointPx screen) const {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        Form& f = **it;
        if (!f.IsShown() || !f.ScreenRectPx().contains(screen)) continue;
        Window* c = ChildAt(f, screen);
        return c ? c : &f;
    }
    return nullptr;
}

}  // namespace quindel::platform
