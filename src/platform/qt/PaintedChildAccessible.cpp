#include "platform/qt/PaintedChildAccessible.h"

#include <memory>

#include "platform/Window.h"
#include "platform/qt/QtAccessible.h"
#include "platform/qt/QtBoundary.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowPeer.h"

namespace quindel::qt {

namespace {

// The model's own words for its one action: a toggle button toggles, anything else is pressed.
QString ActionOf(platform::Role r) {
    return r == platform::Role::ToggleButton ? QAccessibleActionInterface::toggleAction()
                                             : QAccessibleActionInterface::pressAction();
}

}  // namespace

PaintedChildAccessible::PaintedChildAccessible(WindowPeer* peer, int index)
    : peer_(peer), index_(index) {}

bool PaintedChildAccessible::isValid() const {
    const platform::Window* w = peer_ ? peer_->Model() : nullptr;
    return w && index_ < w->AccessibleChildCount();
}

QWindow* PaintedChildAccessible::window() const {
    const QAccessibleInterface* p = parent();
    return p ? p->window() : nullptr;
}

QAccessibleInterface* PaintedChildAccessible::parent() const {
    return peer_ ? QAccessible::queryAccessibleInterface(peer_.data()) : nullptr;
}

QString PaintedChildAccessible::text(QAccessible::Text t) const {
    if (!isValid()) return {};
    const platform::AccessibleDescription d = peer_->Model()->AccessibleChild(index_);
    switch (t) {
        case QAccessible::Name:
            return QString::fromStdString(d.name);
        case QAccessible::Description:
            return QString::fromStdString(d.description);
        case QAccessible::Accelerator:
            return QString::fromStdString(d.shortcut);
        default:
            return {};
    }
}

// The child's bounds are in the window's client area, which begins that far into the widget.
QRect PaintedChildAccessible::rect() const {
    if (!isValid()) return {};
    platform::Window& w = *peer_->Model();
    const platform::RectPx b = w.AccessibleChild(index_).bounds;
    platform::PointPx o = w.ClientOriginPx();
    if (auto* qt = dynamic_cast<QtPlatform*>(&w.platform())) {
        const platform::PointPx widget = qt->WidgetOrigin(w);
        o = {o.x - widget.x, o.y - widget.y};
    }
    const QPoint corner = peer_->mapToGlobal(QPoint(o.x + b.left, o.y + b.top));
    return QRect(corner, QSize(b.width(), b.height()));
}

QAccessible::Role PaintedChildAccessible::role() const {
    return isValid() ? RoleFor(peer_->Model()->AccessibleChild(index_).role) : QAccessible::NoRole;
}

QAccessible::State PaintedChildAccessible::state() const {
    if (!isValid()) {
        QAccessible::State gone;
        gone.invalid = true;
        return gone;
    }
    return StateFor(peer_->Model()->AccessibleChild(index_).state);
}

void* PaintedChildAccessible::interface_cast(QAccessible::InterfaceType t) {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                             : nullptr;
}

QStringList PaintedChildAccessible::actionNames() const {
    if (!isValid()) return {};
    const platform::AccessibleDescription d = peer_->Model()->AccessibleChild(index_);
    if (d.state.disabled) return {};
    return {ActionOf(d.role)};
}

void PaintedChildAccessible::doAction(const QString& actionName) {
    if (!isValid() || !actionNames().contains(actionName)) return;
    platform::Window& w = *peer_->Model();
    // The press runs the window's handlers, which may let the window go.
    const std::shared_ptr<platform::Window> hold = w.shared_from_this();
    AtQtBoundary("an accessibility action", [&] { w.PressAccessibleChild(index_); });
    if (auto* qt = dynamic_cast<QtPlatform*>(&hold->platform())) qt->Sync();
}

QStringList PaintedChildAccessible::keyBindingsForAction(const QString& actionName) const {
    const QString key = text(QAccessible::Accelerator);
    if (key.isEmpty() || !actionNames().contains(actionName)) return {};
    return {key};
}

}  // namespace quindel::qt
