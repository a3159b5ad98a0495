#pragma once
// The control words the reader acts on, each with what it does and a value (a code point, a
// family, a picture kind). Words not in the table are ignored; destinations that the engine
// does not show are listed so that their whole group is skipped.
#include <cstdint>
#include <string_view>

namespace quindel::richtext {

enum class RtfAction : std::uint8_t {
    // document
    Rtf,
    CodePage,
    AnsiCodePage,
    DefaultFont,
    DefaultLanguage,
    DefaultTab,
    UnicodeSkip,
    Unicode,
    // destinations
    FontTable,
    ColourTable,
    Skip,
    Picture,
    Keep,
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
    PageBreakBefore,
    Page,
    InTable,
    TableLevel,
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

// The entry of a control word (its letters, without the backslash), or null.
const RtfWord* FindControlWord(std::string_view name);

}  // namespace quindel::richtext
