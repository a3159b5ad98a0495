// The late-bound members of the rich-text box, one line a member, from the contract's rich-text
// row: the members the copy and print dialogs reach by number keep the engine's numbers
// (contract/Text.h); the window members keep the ids window objects use.
#include "contract/Text.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/Form.h"
#include "platform/WindowObject.h"

namespace quindel::hostkit {

namespace {

namespace row = contract::text;
namespace window = contract::window;
using R = RichTextBox;

std::int32_t OrKeep(const Variant& v, std::int32_t current) {
    return v.isMissing() ? current : CLng(v);
}

}  // namespace

void RichTextBox::DeclareMembers() {
    Declare m(table(), this);
    DeclareDocument(m);
    DeclareFiles(m);
    DeclareSettings(m);
    DeclareWindow(m);
}

void RichTextBox::DeclareDocument(Declare& m) {
    m.Property(row::FText, &R::FText, &R::setFText);
    m.ReadOnly(row::SelText, 0x68070001, &R::SelText);
    m.Property(row::SelStart, &R::SelStart, &R::setSelStart);
    m.Property(row::SelLength, &R::SelLength, &R::setSelLength);
    m.ReadOnly(row::TextLength, &R::TextLength);
    m.Method(row::ClearAll, 0x60070002, {}, &R::ClearAll);
    m.Property(row::ClipCopy, &R::ClipCopy, &R::setClipCopy);
    m.ReadOnly(row::EngineHandle, &R::EngineHandle);
    m.Property(row::FontTableSize, 0x68070006, &R::FontTableSize, &R::setFontTableSize);
}

void RichTextBox::DeclareFiles(Declare& m) {
    m.Property(row::FileName, 0x68070003, &R::FileName, &R::setFileName);
    m.Property(row::DataType, 0x68070004, &R::DataType, &R::setDataType);
    m.Property(row::FileLoad, 0x68070005, &R::FileLoad, &R::setFileLoad);
    m.Property(row::SaveName, &R::SaveName, &R::setSaveName);
    m.Property(row::FileSave, &R::FileSave, &R::setFileSave);
}

void RichTextBox::DeclareSettings(Declare& m) {
    Settings& s = settings_;
    // Settings the box only keeps for whoever reads them back.
    m.Field(row::SelFType, s.selFType);
    m.Field(row::ViewMode, s.viewMode);
    m.Field(row::WriteProtect, s.writeProtect);
    m.Field(row::ScrollBarH, 0x68070007, s.scrollBarH);
    m.Field(row::PageRange, s.pageRange);
    m.Field(row::RegionRange, s.regionRange);
    m.Field(row::BaseFont, s.baseFont);
    m.Property(row::ScrollBars, &R::ScrollBars, &R::setScrollBars);
    m.Property(row::ShowSelection, &R::ShowSelection, &R::setShowSelection);
    m.Property(row::DocWidth, 0x68070008, &R::DocWidth, &R::setDocWidth);
    m.ReadOnly(row::DocHeight, 0x68070009, &R::DocHeight);
    m.Property(row::ScrollHorz, 0x6807000A, &R::ScrollHorz, &R::setScrollHorz);
    m.Property(row::ScrollVert, 0x6807000B, &R::ScrollVert, &R::setScrollVert);
}

void RichTextBox::DeclareWindow(Declare& m) {
    using PT = ParamType;
    m.ReadOnly(window::hWnd, -515, &R::EngineHandle);
    m.Property(window::Left, 0x80010003, &R::Left, &R::setLeft);
    m.Property(window::Top, 0x80010004, &R::Top, &R::setTop);
    m.Property(window::Width, 0x80010005, &R::Width, &R::setWidth);
    m.Property(window::Height, 0x80010006, &R::Height, &R::setHeight);
    m.Property(window::Visible, 0x80010007, &R::Visible, &R::setVisible);
    m.Property(window::Enabled, -514, &R::Enabled, &R::setEnabled);
    m.Method(window::Move, 0x6003000A,
             {ByVal("Left", PT::Long), OptionalByVal("Top", PT::Long),
              OptionalByVal("Width", PT::Long), OptionalByVal("Height", PT::Long)},
             &R::MoveArgs);
    m.Method(window::Refresh, -550, {}, &R::Repaint);
    m.ReadOnly(window::Parent, 0x6807000C, &R::ParentObject);
    m.Property(window::BorderStyle, -504, &R::BorderStyle, &R::setBorderStyle);
    m.Property(window::MousePointer, -521, &R::MousePointer, &R::setMousePointer);
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
