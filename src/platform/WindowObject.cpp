#include "platform/WindowObject.h"

#include "platform/Form.h"
#include "platform/Slider.h"
#include "runtime/Coercions.h"

namespace quindel::platform {

namespace {

constexpr CallKind kGetLet = CallKind::Get | CallKind::Let;
using PT = ParamType;

std::int32_t OrKeep(const Variant& v, std::int32_t current) {
    return v.isMissing() ? current : CLng(v);
}

// A Long property of the window: getter and setter.
template <class Get, class Set>
MemberHandler LongProperty(Get get, Set set) {
    return [get, set](CallKind k, Args& a) -> Variant {
        if (k == CallKind::Get) return get();
        set(CLng(a.back()));
        return {};
    };
}

void DeclareWindowMembers(DispatchTable& t, Window& w) {
    t.member("hWnd", -515, CallKind::Get, {}, PT::Long,
             [&w](CallKind, Args&) -> Variant { return std::int32_t(w.hWnd()); });
    t.member("Left", 0x80010003, kGetLet, {}, PT::Long,
             LongProperty([&w] { return w.Left(); }, [&w](std::int32_t v) { w.setLeft(v); }));
    t.member("Top", 0x80010004, kGetLet, {}, PT::Long,
             LongProperty([&w] { return w.Top(); }, [&w](std::int32_t v) { w.setTop(v); }));
    t.member("Width", 0x80010005, kGetLet, {}, PT::Long,
             LongProperty([&w] { return w.Width(); }, [&w](std::int32_t v) { w.setWidth(v); }));
    t.member("Height", 0x80010006, kGetLet, {}, PT::Long,
             LongProperty([&w] { return w.Height(); }, [&w](std::int32_t v) { w.setHeight(v); }));
    t.member("Visible", 0x80010007, kGetLet, {}, PT::Boolean, [&w](CallKind k, Args& a) -> Variant {
        if (k == CallKind::Get) return w.Visible();
        w.setVisible(CBool(a.back()));
        return {};
    });
    t.member("Enabled", -514, kGetLet, {}, PT::Boolean, [&w](CallKind k, Args& a) -> Variant {
        if (k == CallKind::Get) return w.Enabled();
        w.setEnabled(CBool(a.back()));
        return {};
    });
    t.member("Tag", 0x80010008, kGetLet, {}, PT::String, [&w](CallKind k, Args& a) -> Variant {
        if (k == CallKind::Get) return w.Tag();
        w.setTag(CStr(a.back()));
        return {};
    });
    t.member("Move", 0x6003000A, CallKind::Method,
             {{"Left", PT::Long, false, false},
              {"Top", PT::Long, true, false},
              {"Width", PT::Long, true, false},
              {"Height", PT::Long, true, false}},
             PT::None, [&w](CallKind, Args& a) -> Variant {
                 w.Move(CLng(a[0]), OrKeep(a[1], w.Top()), OrKeep(a[2], w.Width()),
                        OrKeep(a[3], w.Height()));
                 return {};
             });
}

void DeclareFormMembers(DispatchTable& t, Form& f) {
    t.member("Caption", -518, kGetLet, {}, PT::String, [&f](CallKind k, Args& a) -> Variant {
        if (k == CallKind::Get) return f.Caption();
        f.setCaption(CStr(a.back()));
        return {};
    });
    t.member("Show", 0x6003000B, CallKind::Method, {}, PT::None, [&f](CallKind, Args&) -> Variant {
        f.Show();
        return {};
    });
    t.member("Hide", 0x6003000C, CallKind::Method, {}, PT::None, [&f](CallKind, Args&) -> Variant {
        f.Hide();
        return {};
    });
}

void DeclareSliderMembers(DispatchTable& t, Slider& s) {
    t.member("Value", 0, kGetLet, {}, PT::Long,
             LongProperty([&s] { return s.Value(); }, [&s](std::int32_t v) { s.setValue(v); }));
    t.member("Min", 0x6803000D, kGetLet, {}, PT::Long,
             LongProperty([&s] { return s.Min(); }, [&s](std::int32_t v) { s.setMin(v); }));
    t.member("Max", 0x6803000E, kGetLet, {}, PT::Long,
             LongProperty([&s] { return s.Max(); }, [&s](std::int32_t v) { s.setMax(v); }));
    t.member("TickFrequency", 0x6803000F, kGetLet, {}, PT::Long,
             LongProperty([&s] { return s.TickFrequency(); },
                          [&s](std::int32_t v) { s.setTickFrequency(v); }));
    t.member("ExtenderBool", kDispidExtenderBool, kGetLet, {}, PT::Boolean,
             [&s](CallKind k, Args& a) -> Variant {
                 if (k == CallKind::Get) return s.ExtenderBool(kDispidExtenderBool);
                 s.setExtenderBool(kDispidExtenderBool, CBool(a.back()));
                 return {};
             });
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
