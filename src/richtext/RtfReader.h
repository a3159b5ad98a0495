#pragma once
// Reads RTF into a Document in one streaming pass.
//
// What it keeps: text (8-bit text in the code page of the current font's character set, else
// \ansicpg; \uN with its fallback skipped by the \ucN in force), character and paragraph
// formats (tab stops with their kinds and leaders, underline styles, single or double
// strike-through), the font and colour tables, the page setup (the document's, or its first
// section's), simple tables, the shown result of fields, and PNG and JPEG pictures with their
// goal size. An \upr group is read through its \*\ud part, its other (ANSI) part being the
// fallback for readers without Unicode; an \upr group without a \ud part is read as it stands.
// Every destination it does not show (style sheet, information, list tables, headers, footers,
// footnotes, field instructions, other picture kinds, any unknown \* group) is skipped whole;
// unknown control words are ignored.
//
// Any byte string is safe: groups nest at most Limits::depth deep (deeper groups are
// skipped), pictures and tables are bounded, and a truncated document ends where it ends.
// Content after the document's closing brace is ignored, except paragraph and line words and
// further documents ("{\rtf1 ...}\par {\rtf1 ...}"), which are appended in order, each with
// its own font and colour tables.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "richtext/CodePageDecoder.h"
#include "richtext/Document.h"
#include "richtext/RtfControlWords.h"
#include "richtext/RtfTokenizer.h"

namespace quindel::richtext {

// Bounds that keep any input's cost in memory and time in proportion to its size.
struct RtfLimits {
    std::size_t depth = 1000;                 // group nesting
    std::size_t pictureBytes = 16u << 20;     // encoded size of one picture
    std::size_t allPictureBytes = 64u << 20;  // of all pictures together
    std::size_t pictures = 1000;              // pictures kept
    std::size_t fonts = 4096;                 // font table entries
    std::size_t colours = 4096;               // colour table entries
    std::size_t fontName = 256;               // bytes of a face name
    std::size_t cells = 256;                  // cells of a table row
};

class RtfReader {
  public:
    // The document in bytes (which must begin with "{\rtf"; see IsRtf).
    static Document Read(std::string_view bytes, const RtfLimits& limits = {});
    // Whether bytes begin, after blanks, with "{\rtf".
    static bool IsRtf(std::string_view bytes);

  private:
    enum class Dest : std::uint8_t { Text, Skip, FontTable, ColourTable, Picture };
    struct State {
        CharFormat chr;
        ParaFormat para;
        Dest dest = Dest::Text;
        bool hidden = false;
        bool inTable = false;
        bool upr = false;           // an \upr group read through its \ud part
        Dest uprDest = Dest::Text;  // what that part reads into
        std::int32_t skipAfterUnicode = 1;
    };
    struct PendingPicture {
        RtfPictureKind kind = RtfPictureKind::Other;
        Picture picture;
        std::int32_t goalWidth = 0, goalHeight = 0, scaleX = 100, scaleY = 100;
        int nibble = -1;  // a hex digit waiting for its pair
        bool tooBig = false;
    };

    RtfReader(std::string_view bytes, const RtfLimits& limits);
    // Reads one document; returns the offset of a following document, or the input's size.
    std::size_t Run();
    void Token(const RtfToken& t);
    bool SkipFallback(RtfToken& t);
    void Open();
    void Close();
    void Finish();
    State& S() { return states_.back(); }

    // text
    void Text(std::string_view bytes);
    void Hex(std::uint8_t byte);
    void Emit(std::string_view utf8);
    void EmitCodePoint(char32_t cp);
    // A high surrogate that no low one followed shows as the replacement character.
    void DropSurrogate();
    void Unicode(std::int32_t n);
    void FlushRun();
    std::uint32_t CurrentCharFormat();
    std::int32_t CurrentCodePage();

    // control words, by family
    void Word(const RtfToken& t);
    void Symbol(char c);
    void DocumentWord(const RtfWord& w, const RtfToken& t);
    void DestinationWord(const RtfWord& w);
    void CharWord(const RtfWord& w, const RtfToken& t);
    void ParaWord(const RtfWord& w, const RtfToken& t);
    void TableWord(const RtfWord& w, const RtfToken& t);
    void FontTableWord(const RtfWord& w, const RtfToken& t);
    void ColourTableWord(const RtfWord& w, const RtfToken& t);
    void PictureWord(const RtfWord& w, const RtfToken& t);
    void PageSetupWord(const RtfWord& w, const RtfToken& t);
    void UprWord();
    void UnicodePartWord();
    // Records for the \upr group being read, and every \upr group inside it, whether it has a
    // \ud part (uprParts_), in one scan ahead over the group.
    void ScanUpr();

    // structure
    void EndParagraph(ParaEnd end);
    void EndCell();
    void EndRow();
    void CloseOpenRow();
    std::size_t Depth() const { return states_.size() - 1; }

    // tables of fonts and colours, pictures
    void FontText(std::string_view bytes);
    void DecodeFontBytes();
    void CommitFont();
    void ColourText(std::string_view bytes);
    void PictureText(std::string_view bytes);
    void PictureBinary(std::string_view bytes);
    void CommitPicture();

    std::string_view in_;
    RtfLimits limits_;
    RtfTokenizer tokens_;
    Document doc_;
    std::vector<State> states_;
    std::size_t overflow_ = 0;       // groups open past the depth limit
    std::size_t documentDepth_ = 0;  // the depth of the \rtf group, 0 before it
    bool documentClosed_ = false;
    bool starred_ = false;           // a \* came just before
    std::int32_t fallbackLeft_ = 0;  // characters of a \u fallback still to skip
    char16_t highSurrogate_ = 0;
    bool pageBreakNext_ = false;
    bool sectionEnded_ = false;  // a \sect was read: later section page setup is not the first's
    TabKind pendingTab_;         // the kind the next \tx gets
    // \upr groups scanned ahead, by the offset just after their \upr word: whether each has a
    // \ud part.
    std::unordered_map<std::size_t, bool> uprParts_;
    CodePageDecoder decoder_;
    std::string pending_;  // UTF-8 of the run being read
    CharFormat lastFormat_;
    std::uint32_t lastFormatIndex_ = 0;
    static constexpr std::int32_t kNoFont = INT32_MIN;
    std::int32_t pageFont_ = kNoFont;  // the font whose code page pagePage_ is
    std::int32_t pagePage_ = 0;
    // font table
    FontEntry font_;
    std::string fontBytes_;  // bytes of the face name not yet decoded
    std::string fontName_;   // the face name decoded so far
    bool fontOpen_ = false;
    std::size_t fontDepth_ = 0;
    // colour table
    std::int32_t rgb_[3] = {0, 0, 0};
    bool rgbSet_ = false;
    // tables: the row being defined, and the row being filled
    TableRow rowDef_;
    std::int32_t row_ = -1;
    std::int32_t cell_ = 0;
    // pictures
    PendingPicture pict_;
    std::size_t pictDepth_ = 0;
    std::size_t pictureBytes_ = 0;
};

}  // namespace quindel::richtext
