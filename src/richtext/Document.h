#pragma once
// The document model of the rich-text engine.
//
// Text is UTF-8 in one buffer for the whole document; paragraphs and runs are offsets into
// it, and formats are kept once each and referred to by index, so a document costs little
// more than its text (about 40 bytes a paragraph and 12 a run).
//
// Positions count the code points of the document's plain text, where
// - a paragraph's end counts as the two characters CR LF;
// - in a table, the end of a cell counts as one TAB and the end of a row as CR LF (a cell of
//   several paragraphs has CR LF between them);
// - the last paragraph has no end mark: "a\par b" is "a\r\nb", "a\par" is "a\r\n" followed
//   by an empty last paragraph;
// - a line break inside a paragraph is U+000B, a tab U+0009, an inline picture U+FFFC.
//
// Building: text and pictures are appended to the open (last) paragraph, which EndParagraph
// closes, opening the next. A document always has at least one paragraph.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Image.h"
#include "richtext/FontTable.h"
#include "richtext/Format.h"
#include "richtext/PageSetup.h"

namespace quindel::richtext {

enum class ParaEnd : std::uint8_t { Paragraph, Cell, Row, Document };

struct Run {
    std::uint32_t start = 0;    // first byte in the document's text
    std::uint32_t format = 0;   // index of its CharFormat
    std::int32_t picture = -1;  // an inline picture (its text is U+FFFC), else -1
};

struct Paragraph {
    std::uint32_t textStart = 0;  // bytes of its text, end mark excluded
    std::uint32_t textEnd = 0;
    std::uint32_t firstRun = 0;    // its runs run up to the next paragraph's firstRun
    std::uint32_t position = 0;    // plain-text position of its first character
    std::uint32_t length = 0;      // code points of its text, end mark excluded
    std::uint32_t format = 0;      // index of its ParaFormat
    std::uint32_t markFormat = 0;  // CharFormat of its end mark: the height of an empty line
    std::int32_t row = -1;         // its table row, -1 outside tables
    std::uint16_t cell = 0;        // its cell in that row
    ParaEnd end = ParaEnd::Document;
};

struct TableRow {
    std::vector<std::int32_t> rightEdges;  // \cellx: right edge of each cell, twips
    std::int32_t left = 0;                 // \trleft: left edge of the row
    std::int32_t gap = 0;                  // \trgaph: half the space between cell texts
    std::int32_t minHeight = 0;            // \trrh: > 0 at least, < 0 exactly
    bool borders = false;
    bool operator==(const TableRow&) const = default;
};

struct Picture {
    enum class Kind : std::uint8_t { Png, Jpeg };
    Kind kind = Kind::Png;
    std::string data;        // the encoded bytes
    std::int32_t width = 0;  // shown size in twips, scaling applied
    std::int32_t height = 0;
    std::int32_t pixelWidth = 0;  // \picw, \pich as given (0 when absent)
    std::int32_t pixelHeight = 0;
    bool operator==(const Picture&) const = default;
};

struct DocumentSettings {
    std::int32_t defaultFont = 0;   // \deff
    std::int32_t defaultTab = 720;  // \deftab, twips
    std::int32_t codePage = 1252;   // \ansicpg
    std::int32_t language = 1045;   // \deflang
    PageSetup page;                 // paper and margins, as far as the document gives them
};

class Document {
  public:
    static constexpr char32_t kLineBreak = 0x0B;
    static constexpr char32_t kObject = 0xFFFC;

    Document();

    // --- the model
    const std::string& Text() const { return text_; }
    const std::vector<Paragraph>& Paragraphs() const { return paragraphs_; }
    const std::vector<Run>& Runs() const { return runs_; }
    const std::vector<TableRow>& Rows() const { return rows_; }
    const std::vector<Picture>& Pictures() const { return pictures_; }
    const CharFormat& Char(std::uint32_t index) const { return charFormats_[index]; }
    const ParaFormat& Para(std::uint32_t index) const { return paraFormats_[index]; }
    const std::vector<CharFormat>& CharFormats() const { return charFormats_; }
    FontTable& Fonts() { return fonts_; }
    const FontTable& Fonts() const { return fonts_; }
    std::vector<platform::Rgba>& Colours() { return colours_; }
    const std::vector<platform::Rgba>& Colours() const { return colours_; }
    DocumentSettings& Settings() { return settings_; }
    const DocumentSettings& Settings() const { return settings_; }
    // Runs [first, end) of paragraph p.
    std::uint32_t RunEnd(std::uint32_t p) const;
    std::string_view ParagraphText(std::uint32_t p) const;
    // The byte where run r ends.
    std::uint32_t RunTextEnd(std::uint32_t r) const;
    // The first run of paragraph p that ends after byte (RunEnd(p) when none does), so that
    // walking a line's runs costs the line, not the paragraph.
    std::uint32_t RunFrom(std::uint32_t p, std::uint32_t byte) const;
    // The colour table entry i; an automatic entry (alpha 0), a negative i or one out of range
    // gives fallback.
    platform::Rgba Colour(std::int32_t i, platform::Rgba fallback) const;
    // The font entry that format f shows in: its own, else the default font, else null.
    const FontEntry* FontOf(const CharFormat& f) const;

    // --- building
    std::uint32_t InternChar(const CharFormat& f);
    std::uint32_t InternPara(const ParaFormat& f);
    void AppendText(std::string_view utf8, std::uint32_t charFormat);
    void AppendPicture(Picture p, std::uint32_t charFormat);
    // Closes the open paragraph with its format and end, and opens the next.
    void EndParagraph(std::uint32_t paraFormat, std::uint32_t markFormat, ParaEnd end,
                      std::int32_t row = -1, std::uint16_t cell = 0);
    // Gives the open (last) paragraph its format and place.
    void SetLastParagraph(std::uint32_t paraFormat, std::uint32_t markFormat, std::int32_t row = -1,
                          std::uint16_t cell = 0);
    std::int32_t AddRow(TableRow row);
    TableRow& RowAt(std::int32_t i) { return rows_[std::size_t(i)]; }
    // Makes the end of the last closed paragraph a row end (\row after \cell).
    void EndRow();
    // Appends another document: its first paragraph continues the open paragraph; its fonts and
    // colours join this document's tables; its page setup becomes this one's when this one
    // gives none.
    void Append(const Document& other);

    // --- plain text and positions
    std::int32_t Length() const;
    std::string PlainText() const { return PlainText(0, Length()); }
    // The plain text of [start, start + length), clamped to the document.
    std::string PlainText(std::int32_t start, std::int32_t length) const;
    // The paragraph holding position pos (clamped), and the byte of pos in the text; a
    // position inside an end mark gives the paragraph's textEnd.
    struct Place {
        std::uint32_t paragraph = 0;
        std::uint32_t byte = 0;
    };
    Place Locate(std::int32_t pos) const;
    std::int32_t PositionOf(std::uint32_t paragraph, std::uint32_t byte) const;
    // The part [start, start + length) as a document of its own, with the same tables.
    Document Slice(std::int32_t start, std::int32_t length) const;

    // Bytes the model holds (buffers' capacities), for memory budgets.
    std::size_t MemoryBytes() const;

  private:
    struct CharHash {
        std::size_t operator()(const CharFormat& f) const;
    };
    struct ParaHash {
        std::size_t operator()(const ParaFormat& f) const;
    };
    Paragraph& Open() { return paragraphs_.back(); }
    void StartRun(std::uint32_t format, std::int32_t picture);
    void CopyParagraphPart(const Document& from, std::uint32_t p, std::uint32_t b0,
                           std::uint32_t b1, const std::vector<std::uint32_t>& formatMap);

    std::string text_;
    std::vector<Paragraph> paragraphs_;
    std::vector<Run> runs_;
    std::vector<TableRow> rows_;
    std::vector<Picture> pictures_;
    std::vector<CharFormat> charFormats_;
    std::vector<ParaFormat> paraFormats_;
    std::unordered_map<CharFormat, std::uint32_t, CharHash> charIndex_;
    std::unordered_map<ParaFormat, std::uint32_t, ParaHash> paraIndex_;
    FontTable fonts_;
    std::vector<platform::Rgba> colours_;  // as the document lists them; alpha 0: automatic
    DocumentSettings settings_;
};

}  // namespace quindel::richtext
