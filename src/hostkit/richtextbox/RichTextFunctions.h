#pragma once
// Module functions over a rich-text box held only as a late-bound object, for the print dialog
// and the print functions.
// - RichTextBoxOf: the box behind an object; error 91 for Nothing, 13 for any other object.
// - FontTableGet and FontTablePut read and write one entry of the box's font table, entry
//   `index` being the font numbered so (\fN); the fields and their meanings are
//   RichTextBox::FontFields, in its order. The classic shape passes the eleven fields as
//   arguments: Get writes them back through the by-reference arguments, Put reads them; fewer
//   than eleven raise error 450.
#include <cstdint>

#include "hostkit/richtextbox/RichTextBox.h"
#include "runtime/Dispatch.h"

namespace quindel::hostkit {

constexpr std::size_t kFontTableFields = 11;

RichTextBox& RichTextBoxOf(const Object& control);

RichTextBox::FontFields FontTableGet(const Object& control, std::int32_t index);
void FontTablePut(const Object& control, std::int32_t index, const RichTextBox::FontFields& f);
void FontTableGet(const Object& control, std::int32_t index, Args& fields);
void FontTablePut(const Object& control, std::int32_t index, const Args& fields);

}  // namespace quindel::hostkit
