#include "hostkit/richtextbox/RichTextBox.h"

#include <algorithm>

#include "platform/Clipboard.h"
#include "platform/Platform.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

using namespace quindel::platform;

namespace {

constexpr std::int16_t kInsert = 45;
constexpr std::int16_t kLetterA = 'A';
constexpr std::int16_t kLetterC = 'C';
constexpr std::int16_t kCtrl = 2;

}  // namespace

RichTextBox::RichTextBox(Platform& p, Window* parent)
    : Window(p, WindowKind::Control, parent),
      engine_(std::make_unique<richtext::Engine>(p.Text(), p.screen().TwipsPerPixelX())) {
    DeclareMembers();
}

RichTextBox::~RichTextBox() = default;

RichTextBox* RichTextBox::FromHandle(Platform& p, std::int32_t handle) {
    Window* w = p.FindWindow(handle);
    return w && w->Kind() == WindowKind::Control ? dynamic_cast<RichTextBox*>(w) : nullptr;
}

void RichTextBox::setFText(const std::string& content) {
    engine_->Load(content);
    Loaded(false);
}

void RichTextBox::ClearAll() {
    engine_->Load({});
    Loaded(false);
}

void RichTextBox::Loaded(bool keepView) {
    ApplyHostFonts();
    if (!keepView) {
        anchor_ = 0;
        scrollX_ = scrollY_ = 0;
    }
    UpdateView();
}

void RichTextBox::Select(std::int32_t start, std::int32_t length) {
    const std::int32_t oldStart = SelStart(), oldLength = SelLength();
    engine_->Select(start, length);
    anchor_ = SelStart();
    if (SelStart() != oldStart || SelLength() != oldLength) Repaint();
}

void RichTextBox::setSelStart(std::int32_t v) {
    Select(v, 0);
}

void RichTextBox::setSelLength(std::int32_t v) {
    Select(SelStart(), v);
}

void RichTextBox::Copy(bool withRtf) {
    Clipboard* clipboard = platform().clipboard();
    if (!clipboard) throw VbError(521, TypeName(), "Can't open Clipboard");
    if (SelLength() == 0) return;
    if (withRtf)
        clipboard->SetTextAndRtf(SelText(), engine_->SelectedRtf());
    else
        clipboard->SetText(SelText());
}

void RichTextBox::setClipCopy(std::int16_t mode) {
    if (mode < 0 || mode > 2) Raise(380);
    clipCopy_ = mode;
    if (mode != 0) Copy(mode == 2);
}

void RichTextBox::KeyDown(std::int16_t keyCode, std::int16_t shift) {
    if ((shift & kCtrl) && (keyCode == kLetterC || keyCode == kInsert)) Copy(true);
    if ((shift & kCtrl) && keyCode == kLetterA) {
        Select(0, TextLength());
        OfferSelection();
    }
}

void RichTextBox::OfferSelection() {
    Clipboard* clipboard = platform().clipboard();
    if (clipboard && SelLength() > 0) clipboard->SetSelection(SelText());
}

void RichTextBox::Describe(AccessibleDescription& d) const {
    d.role = Role::Document;
    d.text = engine_->Text();
    d.state.readOnly = true;
}

}  // namespace quindel::hostkit
