#pragma once
// Qt's accessible interface of one painted child of a window (a strip's button, a list's row):
// it has no widget of its own; it asks its window's model (Window::AccessibleChild) each time,
// and its one action presses it as the user's click would (Window::PressAccessibleChild). It
// stays valid while its window is there and still has a child of its index.
#include <QAccessibleInterface>
#include <QPointer>

namespace quindel::qt {

class WindowPeer;

class PaintedChildAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    PaintedChildAccessible(WindowPeer* peer, int index);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

  private:
    QPointer<WindowPeer> peer_;
    int index_;
};

}  // namespace quindel::qt
