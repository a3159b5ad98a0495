#pragma once
// Writes a Document as RTF that RtfReader reads back to the same model and that word
// processors open with the same text and formatting.
//
// - Header: \rtf1\ansi\ansicpg1250, the default font, language and tab interval.
// - Tables: only the fonts and colours the text uses, renumbered from 0 (colour 0 is the
//   automatic colour). Fonts are written with the Central European character set (238),
//   symbol fonts with the symbol set (2), to match the fallback bytes below.
// - Text: ASCII as it is; every other character as \uN followed by one fallback byte: its
//   Windows-1250 byte (the symbol byte in a symbol font), or '?' when there is none.
//   Characters beyond the basic plane are written as two \u surrogates.
// - Page setup: the paper and margins the document gives (\paperw ... \margb, \landscape),
//   after the tables; nothing where it gives none.
// - Each paragraph starts with \pard and its format (tab stops with their alignment and leader
//   words). Text in the plain format is written bare; every run in another format is a group of
//   its own ({\b\ul text}), and so is a paragraph mark in another format ({\b\par}). Formats
//   are never ended with \plain or with off-switches: some word processors drop or displace the
//   text after a \plain inside a paragraph, while every reader ends a group's format at its
//   brace.
// - Tables as \trowd rows of \cellx cells; PNG and JPEG pictures as hexadecimal \pict groups
//   with their goal size. Bytes that begin with neither signature are written as the bare
//   signature of the picture's kind (a picture of the same size that cannot be decoded, as
//   before): some word processors refuse a whole document over a picture they cannot recognise.
#include <cstdint>
#include <string>

#include "richtext/Document.h"

namespace quindel::richtext {

class RtfWriter {
  public:
    static std::string Write(const Document& doc);
    // The part [start, start + length) of doc, as its own RTF document.
    static std::string Write(const Document& doc, std::int32_t start, std::int32_t length);
};

}  // namespace quindel::richtext
