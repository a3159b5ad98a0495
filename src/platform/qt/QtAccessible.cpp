#include "platform/qt/QtAccessible.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/qt/PeerAccessible.h"
#include "platform/qt/QtBoundary.h"
#include "platform/qt/WindowPeer.h"

namespace quindel::qt {

using platform::AccessibleDescription;
using platform::Aspect;
using platform::Role;

namespace {

AnnouncementSink gSink = nullptr;

void Pass(QAccessibleEvent* e) {
    if (gSink)
        gSink(e);
    else
        QAccessible::updateAccessibility(e);
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* peer = dynamic_cast<WindowPeer*>(object);
    return peer ? new PeerAccessible(peer) : nullptr;
}

// What one window last told assistive technology, kept beside its widget (a child object, so it
// goes with it).
class Told : public QObject {
  public:
    explicit Told(WindowPeer& peer) : QObject(&peer), peer_(peer) {
        since_.start();
        valueLater_.setSingleShot(true);
        connect(&valueLater_, &QTimer::timeout, this,
                [this] { AtQtBoundary("an accessibility update", [this] { TellValue(true); }); });
    }

    static Told& Of(WindowPeer& peer) {
        for (QObject* c : peer.children())
            if (auto* told = dynamic_cast<Told*>(c)) return *told;
        return *new Told(peer);
    }

    void Tell(Aspect what);

  private:
    void TellWindow(const AccessibleDescription& now);
    void TellChildren(const platform::Window& w);
    void TellFocus(const platform::Window& w);
    void TellValue(bool due);
    void Send(QAccessible::Event type, int child = -1);
    void SendState(const QAccessible::State& changed, int child = -1);

    WindowPeer& peer_;
    std::optional<AccessibleDescription> last_;
    std::vector<AccessibleDescription> children_;
    int focusedChild_ = -1;
    std::optional<platform::AccessibleValue> valueTold_;
    QElapsedTimer since_;  // since the last value told
    bool valueEverTold_ = false;
    QTimer valueLater_;
};

QAccessible::State Changed(const QAccessible::State& a, const QAccessible::State& b) {
    QAccessible::State changed;
    changed.disabled = a.disabled != b.disabled;
    changed.focused = a.focused != b.focused;
    changed.pressed = a.pressed != b.pressed;
    changed.checked = a.checked != b.checked;
    changed.invisible = a.invisible != b.invisible;
    changed.offscreen = a.offscreen != b.offscreen;
    changed.selected = a.selected != b.selected;
    return changed;
}

bool Any(const QAccessible::State& s) {
    return s.disabled || s.focused || s.pressed || s.checked || s.invisible || s.offscreen ||
           s.selected;
}

void Told::Send(QAccessible::Event type, int child) {
    QAccessibleEvent e(&peer_, type);
    e.setChild(child);
    Pass(&e);
}

void Told::SendState(const QAccessible::State& changed, int child) {
    QAccessibleStateChangeEvent e(&peer_, changed);
    e.setChild(child);
    Pass(&e);
}

void Told::Tell(Aspect what) {
    platform::Window* w = peer_.Model();
    if (!w || what == Aspect::Destroyed) return;
    const AccessibleDescription now = w->Accessible();
    if (what == Aspect::Focus && now.state.focused && w->FocusedAccessibleChild() < 0)
        Send(QAccessible::Focus);
    TellWindow(now);
    TellChildren(*w);
    TellFocus(*w);
    TellValue(false);
}

void Told::TellWindow(const AccessibleDescription& now) {
    if (last_) {
        if (now.name != last_->name) Send(QAccessible::NameChanged);
        if (now.description != last_->description) Send(QAccessible::DescriptionChanged);
        const QAccessible::State changed = Changed(StateFor(last_->state), StateFor(now.state));
        if (Any(changed)) SendState(changed);
    }
    last_ = now;
}

void Told::TellChildren(const platform::Window& w) {
    const int count = w.AccessibleChildCount();
    if (count != int(children_.size()) && last_) Send(QAccessible::ObjectReorder);
    std::vector<AccessibleDescription> now;
    now.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) now.push_back(w.AccessibleChild(i));
    for (int i = 0; i < std::min(count, int(children_.size())); ++i) {
        const AccessibleDescription &was = children_[std::size_t(i)], &is = now[std::size_t(i)];
        if (is.name != was.name) Send(QAccessible::NameChanged, i);
        const QAccessible::State changed = Changed(StateFor(was.state), StateFor(is.state));
        if (Any(changed)) SendState(changed, i);
    }
    children_ = std::move(now);
}

// A painted child that takes the keyboard is focused as a window would be.
void Told::TellFocus(const platform::Window& w) {
    const int focused = w.FocusedAccessibleChild();
    if (focused != focusedChild_ && focused >= 0) Send(QAccessible::Focus, focused);
    focusedChild_ = focused;
}

void Told::TellValue(bool due) {
    if (!last_ || !last_->value || last_->value == valueTold_) return;
    // The first value seen is where things stand, not a change.
    if (!valueTold_) {
        valueTold_ = last_->value;
        return;
    }
    if (!due && valueEverTold_ && since_.elapsed() < kValueAnnouncementMs) {
        if (!valueLater_.isActive())
            valueLater_.start(int(kValueAnnouncementMs - since_.elapsed()));
        return;
    }
    valueLater_.stop();
    valueTold_ = last_->value;
    valueEverTold_ = true;
    since_.restart();
    QAccessibleValueChangeEvent e(&peer_, last_->value->current);
    Pass(&e);
}

}  // namespace

void AnnounceTo(AnnouncementSink sink) {
    gSink = sink;
}

void InstallAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(Factory);
}

void Announce(WindowPeer& peer, Aspect what) {
    if (!gSink && !QAccessible::isActive()) return;
    Told::Of(peer).Tell(what);
}

QAccessible::Role RoleFor(Role r) {
    switch (r) {
        case Role::Window:
            return QAccessible::Window;
        case Role::Dialog:
            return QAccessible::Dialog;
        case Role::Alert:
            return QAccessible::AlertMessage;
        case Role::Pane:
            return QAccessible::Pane;
        case Role::ToolBar:
            return QAccessible::ToolBar;
        // Qt has one button role; a toggle button is a checkable one.
        case Role::PushButton:
        case Role::ToggleButton:
            return QAccessible::Button;
        case Role::StaticText:
            return QAccessible::StaticText;
        case Role::List:
            return QAccessible::List;
        case Role::ListItem:
            return QAccessible::ListItem;
        case Role::ScrollBar:
            return QAccessible::ScrollBar;
        case Role::Slider:
            return QAccessible::Slider;
        case Role::Document:
            return QAccessible::Document;
        case Role::Graphic:
            return QAccessible::Graphic;
        case Role::Animation:
            return QAccessible::Animation;
    }
    return QAccessible::Client;
}

QAccessible::State StateFor(const platform::AccessibleState& s) {
    QAccessible::State q;
    q.focusable = s.focusable;
    q.focused = s.focused;
    q.disabled = s.disabled;
    q.invisible = s.invisible;
    q.offscreen = s.offscreen || s.invisible;
    q.pressed = s.pressed;
    q.checkable = s.checkable;
    q.checked = s.checked;
    q.selectable = s.selectable;
    q.selected = s.selected;
    q.readOnly = s.readOnly;
    return q;
}

}  // namespace quindel::qt
