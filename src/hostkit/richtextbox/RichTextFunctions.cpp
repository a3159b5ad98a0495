#include "hostkit/richtextbox/RichTextFunctions.h"

#include "runtime/Coercions.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

namespace {

using Fields = RichTextBox::FontFields;

// The integer fields in argument order; the face name stands third, between the first two and
// the other eight.
constexpr std::int32_t Fields::*kIntegers[] = {
    &Fields::family, &Fields::charset,   &Fields::points, &Fields::pitch,    &Fields::weight,
    &Fields::italic, &Fields::underline, &Fields::strike, &Fields::codePage, &Fields::used};
constexpr std::size_t kFaceAt = 2;

std::size_t ArgumentOf(std::size_t integer) {
    return integer < kFaceAt ? integer : integer + 1;
}

}  // namespace

RichTextBox& RichTextBoxOf(const Object& control) {
    if (!control) Raise(91);
    auto* box = dynamic_cast<RichTextBox*>(control.get());
    if (!box) Raise(13);
    return *box;
}

Fields FontTableGet(const Object& control, std::int32_t index) {
    return RichTextBoxOf(control).FontTableEntry(index);
}

void FontTablePut(const Object& control, std::int32_t index, const Fields& f) {
    RichTextBoxOf(control).setFontTableEntry(index, f);
}

void FontTableGet(const Object& control, std::int32_t index, Args& fields) {
    if (fields.size() < kFontTableFields) Raise(450);
    const Fields f = FontTableGet(control, index);
    for (std::size_t i = 0; i < std::size(kIntegers); ++i)
        fields[ArgumentOf(i)] = Variant(f.*kIntegers[i]);
    fields[kFaceAt] = Variant(f.face);
}

void FontTablePut(const Object& control, std::int32_t index, const Args& fields) {
    if (fields.size() < kFontTableFields) Raise(450);
    Fields f;
    for (std::size_t i = 0; i < std::size(kIntegers); ++i)
        f.*kIntegers[i] = CLng(fields[ArgumentOf(i)]);
    f.face = CStr(fields[kFaceAt]);
    FontTablePut(control, index, f);
}

}  // namespace quindel::hostkit
