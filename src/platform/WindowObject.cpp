#include "platform/WindowObject.h"

#include "platform/Form.h"
#include "platform/Slider.h"
#include "runtime/MemberBuilders.h"

namespace quindel::platform {

namespace {

using PT = ParamType;

std::int32_t OrKeep(const Variant& v, std::int32_t current) {
    return v.isMissing() ? current : CLng(v);
}

void DeclareWindowMembers(DispatchTable& t, Window& w) {
    Members<> m(t);
    m.ReadOnly("hWnd", -515, PT::Long, [&w] { return std::int32_t(w.hWnd()); });
    m.Property(
        "Left", 0x80010003, PT::Long, [&w] { return w.Left(); },
        [&w](std::int32_t v) { w.setLeft(v); });
    m.Property(
        "Top", 0x80010004, PT::Long, [&w] { return w.Top(); },
        [&w](std::int32_t v) { w.setTop(v); });
    m.Property(
        "Width", 0x80010005, PT::Long, [&w] { return w.Width(); },
        [&w](std::int32_t v) { w.setWidth(v); });
    m.Property(
        "Height", 0x80010006, PT::Long, [&w] { return w.Height(); },
        [&w](std::int32_t v) { w.setHeight(v); });
    m.Property(
        "Visible", 0x80010007, PT::Boolean, [&w] { return w.Visible(); },
        [&w](bool v) { w.setVisible(v); });
    m.Property(
        "Enabled", -514, PT::Boolean, [&w] { return w.Enabled(); },
        [&w](bool v) { w.setEnabled(v); });
    m.Property(
        "Tag", 0x80010008, PT::String, [&w] { return w.Tag(); },
        [&w](const std::string& v) { w.setTag(v); });
    m.Method("Move", 0x6003000A,
             {ByVal("Left", PT::Long), OptionalByVal("Top", PT::Long),
              OptionalByVal("Width", PT::Long), OptionalByVal("Height", PT::Long)},
             PT::None, [&w](Args& a) {
                 w.Move(CLng(a[0]), OrKeep(a[1], w.Top()), OrKeep(a[2], w.Width()),
                        OrKeep(a[3], w.Height()));
             });
}

void DeclareFormMembers(DispatchTable& t, Form& f) {
    Members<> m(t);
    m.Property(
        "Caption", -518, PT::String, [&f] { return f.Caption(); },
        [&f](const std::string& v) { f.setCaption(v); });
    m.Method("Show", 0x6003000B, {}, PT::None, [&f] { f.Show(); });
    m.Method("Hide", 0x6003000C, {}, PT::None, [&f] { f.Hide(); });
    m.ReadOnly("ScaleWidth", 0x68030010, PT::Long, [&f] { return f.ScaleWidth(); });
    m.ReadOnly("ScaleHeight", 0x68030011, PT::Long, [&f] { return f.ScaleHeight(); });
}

void DeclareSliderMembers(DispatchTable& t, Slider& s) {
    Members<> m(t);
    m.Property(
        "Value", 0, PT::Long, [&s] { return s.Value(); }, [&s](std::int32_t v) { s.setValue(v); });
    m.Property(
        "Min", 0x6803000D, PT::Long, [&s] { return s.Min(); },
        [&s](std::int32_t v) { s.setMin(v); });
    m.Property(
        "Max", 0x6803000E, PT::Long, [&s] { return s.Max(); },
        [&s](std::int32_t v) { s.setMax(v); });
    m.Property(
        "TickFrequency", 0x6803000F, PT::Long, [&s] { return s.TickFrequency(); },
        [&s](std::int32_t v) { s.setTickFrequency(v); });
    m.Property(
        "ExtenderBool", kDispidExtenderBool, PT::Boolean,
        [&s] { return s.ExtenderBool(kDispidExtenderBool); },
        [&s](bool v) { s.setExtenderBool(kDispidExtenderBool, v); });
}

}  // namespace

WindowObject::WindowObject(std::shared_ptr<Window> w) : window_(std::move(w)) {
    DeclareWindowMembers(table(), *window_);
    if (window_->Kind() == WindowKind::Form)
        DeclareFormMembers(table(), static_cast<Form&>(*window_));
    if (window_->Kind() == WindowKind::Slider)
        DeclareSliderMembers(table(), static_cast<Slider&>(*window_));
}

std::string WindowObject::TypeName() const {
    switch (window_->Kind()) {
        case WindowKind::Form:
            return "Form";
        case WindowKind::Slider:
            return "Slider";
        case WindowKind::ListBox:
            return "ListBox";
        default:
            return "Control";
    }
}

Object MakeWindowObject(std::shared_ptr<Window> window) {
    return std::make_shared<WindowObject>(std::move(window));
}
Object MakeFormObject(std::shared_ptr<Form> form) {
    return std::make_shared<WindowObject>(form);
}
Object MakeSliderObject(std::shared_ptr<Slider> slider) {
    return std::make_shared<WindowObject>(slider);
}

Window* WindowOf(const Object& obj) {
    auto* w = dynamic_cast<WindowObject*>(obj.get());
    return w ? &w->window() : nullptr;
}

}  // namespace quindel::platform
