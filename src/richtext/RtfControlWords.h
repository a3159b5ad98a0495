#pragma once
// The control words the reader acts on, each with what it does and a value (a code point, a
// family, a picture kind). Words not in the table are ignored; destinations that the engine
// does not show are listed so that their whole group is skipped.
#include <cstdint>
#include <string_view>

#include "richtext/Format.h"

namespace quindel::richtext {

enum class RtfAction : std::uint8_t {
    // document
    Rtf,
    CodePage,
    AnsiCodePage,
    DefaultFont,
    DefaultLanguage,
    DefaultTab,
    PageSetupWord,  // value: a PageField, plus kSectionForm for the section's own word
    UnicodeSkip,
    Unicode,
    // destinations
    FontTable,
    ColourTable,
    Skip,
    Picture,
    Keep,
    UnicodePart,  // \ud: the Unicode half of an \upr group
    // the group holding an ANSI destination and its Unicode twin
    Upr,
    // font table entries and colour table entries
    Font,
    Charset,
    Pitch,
    FontCodePage,
    Family,
    Red,
    Green,
    Blue,
    // character format
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    FontSize,
    Colour,
    Highlight,
    Script,
    Hidden,
    // paragraph format and structure
    Par,
    Pard,
    Align,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    Tab,
    TabAlignWord,
    TabLeaderWord,
    BarTab,
    PageBreakBefore,
    Page,
    InTable,
    TableLevel,
    Section,
    // text
    Char,
    // tables
    RowDefaults,
    CellRight,
    CellGap,
    RowLeft,
    RowHeight,
    Border,
    Cell,
    Row,
    // pictures
    PictureKind,
    PictureWidth,
    PictureHeight,
    GoalWidth,
    GoalHeight,
    ScaleX,
    ScaleY,
};

struct RtfWord {
    RtfAction action;
    std::int32_t value;
};

// Picture kinds given as the value of PictureKind.
enum class RtfPictureKind : std::int32_t { Png, Jpeg, Other };

// The page setup fields given as the value of PageSetupWord.
enum class PageField : std::int32_t {
    PaperWidth,
    PaperHeight,
    MarginLeft,
    MarginRight,
    MarginTop,
    MarginBottom,
    Landscape
};
constexpr std::int32_t kSectionForm = 16;

// The entry of a control word (its letters, without the backslash), or null.
const RtfWord* FindControlWord(std::string_view name);

// The words a writer gives each kind, without the backslash (the reader knows them all): the
// underline of a style ("ul", "uldb", ...), a tab's alignment ("" for left) and its leader ("" for
// none), and a page setup field ("paperw", ...).
std::string_view UnderlineWord(UnderlineStyle s);
std::string_view TabAlignWord(TabAlign a);
std::string_view TabLeaderWord(TabLeader l);
std::string_view PageFieldWord(PageField f);

}  // namespace quindel::richtext
