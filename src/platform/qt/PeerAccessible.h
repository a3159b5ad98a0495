#pragma once
// Qt's accessible interface of one WindowPeer: everything it says comes from the window model
// (Window::Accessible), asked anew each time, so it is never stale. Its children are the
// window's painted children (PaintedChildAccessible, made on first use and kept until the widget
// goes), then the child widgets. A value (slider, scroll bar) is offered through the value
// interface, a readable text (document, label) through the text interface.
#include <QAccessibleWidget>
#include <optional>
#include <vector>

#include "platform/Accessible.h"

namespace quindel::platform {
class Window;
}

namespace quindel::qt {

class WindowPeer;

class PeerAccessible : public QAccessibleWidget,
                       public QAccessibleValueInterface,
                       public QAccessibleTextInterface {
  public:
    explicit PeerAccessible(WindowPeer* peer);
    ~PeerAccessible() override;

    // The window shown, or null once it is gone.
    platform::Window* Model() const;
    std::optional<platform::AccessibleDescription> Describe() const;
    int PaintedCount() const;

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleValueInterface: the model's value; assistive technology does not set it.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // QAccessibleTextInterface: the model's readable text, read only, no caret or selection.
    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override;

  private:
    QString Text() const;
    mutable std::vector<QAccessible::Id> painted_;  // the painted children made so far
};

}  // namespace quindel::qt
