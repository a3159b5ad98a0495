// The late-bound members of the rich-text box, one line a member. The small numbers are the ids
// the copy and print dialogs reach hidden instances by (README: "The rich-text control"); the
// window members keep the ids window objects use.
#include "hostkit/RichTextBox.h"
#include "platform/Form.h"
#include "platform/WindowObject.h"

namespace quindel::hostkit {

namespace {

using PT = ParamType;
using R = RichTextBox;

// A setting the box only keeps for whoever reads it back.
void Kept(Members<R>& m, const char* name, DispId id, std::int32_t& slot) {
    m.Property(
        name, id, PT::Long, [&slot] { return slot; }, [&slot](std::int32_t v) { slot = v; });
}

std::int32_t OrKeep(const Variant& v, std::int32_t current) {
    return v.isMissing() ? current : CLng(v);
}

}  // namespace

void RichTextBox::DeclareMembers() {
    Members<R> m(table(), this);
    DeclareDocument(m);
    DeclareFiles(m);
    DeclareSettings(m);
    DeclareWindow(m);
}

void RichTextBox::DeclareDocument(Declare& m) {
    m.Property("FText", 42, PT::String, &R::FText, &R::setFText);
    m.ReadOnly("SelText", 0x68070001, PT::String, &R::SelText);
    m.Property("SelStart", 90, PT::Long, &R::SelStart, &R::setSelStart);
    m.Property("SelLength", 89, PT::Long, &R::SelLength, &R::setSelLength);
    m.ReadOnly("TextLength", 144, PT::Long, &R::TextLength);
    m.Method("ClearAll", 0x60070002, {}, PT::None, &R::ClearAll);
    m.Property("ClipCopy", 118, PT::Integer, &R::ClipCopy, &R::setClipCopy);
    m.ReadOnly("EngineHandle", 146, PT::Long, &R::EngineHandle);
    m.Property("FontTableSize", 0x68070006, PT::Long, &R::FontTableSize, &R::setFontTableSize);
}

void RichTextBox::DeclareFiles(Declare& m) {
    m.Property("FileName", 0x68070003, PT::String, &R::FileName, &R::setFileName);
    m.Property("DataType", 0x68070004, PT::Integer, &R::DataType, &R::setDataType);
    m.Property("FileLoad", 0x68070005, PT::Integer, &R::FileLoad, &R::setFileLoad);
    m.Property("SaveName", 44, PT::String, &R::SaveName, &R::setSaveName);
    m.Property("FileSave", 45, PT::Integer, &R::FileSave, &R::setFileSave);
}

void RichTextBox::DeclareSettings(Declare& m) {
    Settings& s = settings_;
    Kept(m, "SelFType", 2, s.selFType);
    Kept(m, "ViewMode", 33, s.viewMode);
    Kept(m, "WriteProtect", 103, s.writeProtect);
    Kept(m, "ScrollBarH", 0x68070007, s.scrollBarH);
    Kept(m, "PageRange", 49, s.pageRange);
    Kept(m, "RegionRange", 112, s.regionRange);
    m.Property(
        "BaseFont", 113, PT::Object, [&s] { return s.baseFont; },
        [&s](const Object& font) { s.baseFont = font; });
    m.Property("ScrollBars", 22, PT::Integer, &R::ScrollBars, &R::setScrollBars);
    m.Property("ShowSelection", 18, PT::Boolean, &R::ShowSelection, &R::setShowSelection);
    m.Property("DocWidth", 0x68070008, PT::Long, &R::DocWidth, &R::setDocWidth);
    m.ReadOnly("DocHeight", 0x68070009, PT::Long, &R::DocHeight);
    m.Property("ScrollHorz", 0x6807000A, PT::Long, &R::ScrollHorz, &R::setScrollHorz);
    m.Property("ScrollVert", 0x6807000B, PT::Long, &R::ScrollVert, &R::setScrollVert);
}

void RichTextBox::DeclareWindow(Declare& m) {
    m.ReadOnly("hWnd", -515, PT::Long, &R::EngineHandle);
    m.Property("Left", 0x80010003, PT::Long, &R::Left, &R::setLeft);
    m.Property("Top", 0x80010004, PT::Long, &R::Top, &R::setTop);
    m.Property("Width", 0x80010005, PT::Long, &R::Width, &R::setWidth);
    m.Property("Height", 0x80010006, PT::Long, &R::Height, &R::setHeight);
    m.Property("Visible", 0x80010007, PT::Boolean, &R::Visible, &R::setVisible);
    m.Property("Enabled", -514, PT::Boolean, &R::Enabled, &R::setEnabled);
    m.Method("Move", 0x6003000A,
             {ByVal("Left", PT::Long), OptionalByVal("Top", PT::Long),
              OptionalByVal("Width", PT::Long), OptionalByVal("Height", PT::Long)},
             PT::None, &R::MoveArgs);
    m.Method("Refresh", -550, {}, PT::None, &R::Repaint);
    m.ReadOnly("Parent", 0x6807000C, PT::Object, &R::ParentObject);
    m.Property("BorderStyle", -504, PT::Integer, &R::BorderStyle, &R::setBorderStyle);
    m.Property("MousePointer", -521, PT::Integer, &R::MousePointer, &R::setMousePointer);
}

void RichTextBox::MoveArgs(Args& a) {
    Move(CLng(a[0]), OrKeep(a[1], Top()), OrKeep(a[2], Width()), OrKeep(a[3], Height()));
}

Object RichTextBox::ParentObject() const {
    Window* parent = Parent();
    if (!parent) return {};
    const std::shared_ptr<Window> shared = parent->shared_from_this();
    if (parent->Kind() == platform::WindowKind::Form)
        return platform::MakeFormObject(std::static_pointer_cast<platform::Form>(shared));
    return platform::MakeWindowObject(shared);
}

}  // namespace quindel::hostkit
