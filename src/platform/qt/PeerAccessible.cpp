#include "platform/qt/PeerAccessible.h"

#include <algorithm>

#include "platform/Window.h"
#include "platform/qt/PaintedChildAccessible.h"
#include "platform/qt/QtAccessible.h"
#include "platform/qt/WindowPeer.h"

namespace quindel::qt {

namespace {

bool Readable(platform::Role r) {
    return r == platform::Role::Document || r == platform::Role::StaticText;
}

}  // namespace

PeerAccessible::PeerAccessible(WindowPeer* peer) : QAccessibleWidget(peer) {}

PeerAccessible::~PeerAccessible() {
    for (QAccessible::Id id : painted_) QAccessible::deleteAccessibleInterface(id);
}

platform::Window* PeerAccessible::Model() const {
    const auto* peer = static_cast<const WindowPeer*>(widget());
    return peer ? peer->Model() : nullptr;
}

std::optional<platform::AccessibleDescription> PeerAccessible::Describe() const {
    const platform::Window* w = Model();
    if (!w) return std::nullopt;
    return w->Accessible();
}

int PeerAccessible::PaintedCount() const {
    const platform::Window* w = Model();
    return w ? w->AccessibleChildCount() : 0;
}

QAccessible::Role PeerAccessible::role() const {
    const auto d = Describe();
    return d ? RoleFor(d->role) : QAccessibleWidget::role();
}

QAccessible::State PeerAccessible::state() const {
    const auto d = Describe();
    if (!d) return QAccessibleWidget::state();
    QAccessible::State s = StateFor(d->state);
    s.active = QAccessibleWidget::state().active;
    return s;
}

QString PeerAccessible::text(QAccessible::Text t) const {
    const auto d = Describe();
    if (!d) return QAccessibleWidget::text(t);
    switch (t) {
        case QAccessible::Name:
            return QString::fromStdString(d->name);
        case QAccessible::Description:
            return QString::fromStdString(d->description);
        case QAccessible::Accelerator:
            return QString::fromStdString(d->shortcut);
        case QAccessible::Value:
            return d->value ? QString::number(d->value->current) : QString();
        default:
            return QAccessibleWidget::text(t);
    }
}

int PeerAccessible::childCount() const {
    return PaintedCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface* PeerAccessible::child(int index) const {
    const int painted = PaintedCount();
    if (index < 0) return nullptr;
    if (index >= painted) return QAccessibleWidget::child(index - painted);
    // Made once per index and kept: assistive technology holds on to what it was given.
    while (int(painted_.size()) <= index) {
        auto* peer = static_cast<WindowPeer*>(widget());
        painted_.push_back(QAccessible::registerAccessibleInterface(
            new PaintedChildAccessible(peer, int(painted_.size()))));
    }
    return QAccessible::accessibleInterface(painted_[std::size_t(index)]);
}

int PeerAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int painted = PaintedCount();
    for (std::size_t i = 0; i < painted_.size() && int(i) < painted; ++i)
        if (QAccessible::accessibleInterface(painted_[i]) == child) return int(i);
    const int widgetIndex = QAccessibleWidget::indexOfChild(child);
    return widgetIndex < 0 ? -1 : painted + widgetIndex;
}

QAccessibleInterface* PeerAccessible::focusChild() const {
    const platform::Window* w = Model();
    const int focused = w ? w->FocusedAccessibleChild() : -1;
    return focused >= 0 ? child(focused) : QAccessibleWidget::focusChild();
}

void* PeerAccessible::interface_cast(QAccessible::InterfaceType t) {
    const auto d = Describe();
    if (t == QAccessible::ValueInterface && d && d->value)
        return static_cast<QAccessibleValueInterface*>(this);
    if (t == QAccessible::TextInterface && d && Readable(d->role))
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant PeerAccessible::currentValue() const {
    const auto d = Describe();
    return d && d->value ? QVariant(d->value->current) : QVariant();
}

QVariant PeerAccessible::maximumValue() const {
    const auto d = Describe();
    return d && d->value ? QVariant(d->value->maximum) : QVariant();
}

QVariant PeerAccessible::minimumValue() const {
    const auto d = Describe();
    return d && d->value ? QVariant(d->value->minimum) : QVariant();
}

QVariant PeerAccessible::minimumStepSize() const {
    const auto d = Describe();
    return d && d->value ? QVariant(d->value->step) : QVariant();
}

QString PeerAccessible::Text() const {
    const auto d = Describe();
    return d ? QString::fromStdString(d->text) : QString();
}

void PeerAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString PeerAccessible::text(int startOffset, int endOffset) const {
    const QString all = Text();
    const int from = std::clamp(startOffset, 0, int(all.size()));
    const int to = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, from, int(all.size()));
    return all.mid(from, to - from);
}

int PeerAccessible::characterCount() const {
    return int(Text().size());
}

QString PeerAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

}  // namespace quindel::qt
