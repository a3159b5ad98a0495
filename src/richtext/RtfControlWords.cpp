#include "richtext/RtfControlWords.h"

#include <iterator>
#include <unordered_map>

#include "richtext/FontTable.h"
#include "richtext/Format.h"

namespace quindel::richtext {

namespace {

using A = RtfAction;

struct Entry {
    std::string_view name;
    RtfWord word;
};

constexpr std::int32_t Kind(RtfPictureKind k) {
    return std::int32_t(k);
}
constexpr std::int32_t Fam(FontFamily f) {
    return std::int32_t(f);
}
constexpr std::int32_t Al(Align a) {
    return std::int32_t(a);
}
constexpr std::int32_t Sc(Script s) {
    return std::int32_t(s);
}

// Groups the engine does not show: their text, pictures and subgroups are skipped whole.
constexpr std::string_view kSkipped[] = {
    "aftncn",
    "aftnsep",
    "aftnsepc",
    "annotation",
    "atnauthor",
    "atndate",
    "atnicn",
    "atnid",
    "atnref",
    "atntime",
    "atrfend",
    "atrfstart",
    "author",
    "background",
    "bkmkend",
    "bkmkstart",
    "blipuid",
    "buptim",
    "colorschememapping",
    "comment",
    "company",
    "creatim",
    "datastore",
    "doccomm",
    "docvar",
    "falt",
    "fchars",
    "ffdeftext",
    "ffentrymcr",
    "ffexitmcr",
    "ffformat",
    "ffhelptext",
    "ffl",
    "ffname",
    "ffstattext",
    "filetbl",
    "fldinst",
    "fname",
    "fontemb",
    "fontfile",
    "footer",
    "footerf",
    "footerl",
    "footerr",
    "footnote",
    "formfield",
    "ftncn",
    "ftnsep",
    "ftnsepc",
    "generator",
    "header",
    "headerf",
    "headerl",
    "headerr",
    "hl",
    "hlfr",
    "hlinkbase",
    "hlloc",
    "hlsrc",
    "info",
    "keywords",
    "latentstyles",
    "lchars",
    "listoverridetable",
    "listpicture",
    "listtable",
    "mmath",
    "mmathPict",
    "mmathPr",
    "nesttableprops",
    "nonshppict",
    "objalias",
    "objclass",
    "objdata",
    "objname",
    "objsect",
    "objtime",
    "oldcprops",
    "oldpprops",
    "oldsprops",
    "oldtprops",
    "operator",
    "panose",
    "passwordhash",
    "pgdsctbl",
    "pgptbl",
    "picprop",
    "pn",
    "pnseclvl",
    "pntxta",
    "pntxtb",
    "printim",
    "private",
    "protusertbl",
    "revtbl",
    "rsidtbl",
    "shpinst",
    "sn",
    "sp",
    "stylesheet",
    "subject",
    "sv",
    "tc",
    "template",
    "themedata",
    "title",
    "txe",
    "userprops",
    "wgrffmtfilter",
    "xe",
    "xmlattrname",
    "xmlattrvalue",
    "xmlclose",
    "xmlnstbl",
    "xmlopen",
};

constexpr Entry kWords[] = {
    {"rtf", {A::Rtf, 0}},
    {"ansi", {A::CodePage, 1252}},
    {"mac", {A::CodePage, 10000}},
    {"pc", {A::CodePage, 437}},
    {"pca", {A::CodePage, 850}},
    {"ansicpg", {A::AnsiCodePage, 0}},
    {"deff", {A::DefaultFont, 0}},
    {"deflang", {A::DefaultLanguage, 0}},
    {"deftab", {A::DefaultTab, 0}},
    {"uc", {A::UnicodeSkip, 0}},
    {"u", {A::Unicode, 0}},
    {"fonttbl", {A::FontTable, 0}},
    {"colortbl", {A::ColourTable, 0}},
    {"pict", {A::Picture, 0}},
    {"shppict", {A::Keep, 0}},
    {"ud", {A::UnicodePart, 0}},
    {"upr", {A::Upr, 0}},
    {"f", {A::Font, 0}},
    {"fcharset", {A::Charset, 0}},
    {"fprq", {A::Pitch, 0}},
    {"cpg", {A::FontCodePage, 0}},
    {"fnil", {A::Family, Fam(FontFamily::Nil)}},
    {"froman", {A::Family, Fam(FontFamily::Roman)}},
    {"fswiss", {A::Family, Fam(FontFamily::Swiss)}},
    {"fmodern", {A::Family, Fam(FontFamily::Modern)}},
    {"fscript", {A::Family, Fam(FontFamily::Script)}},
    {"fdecor", {A::Family, Fam(FontFamily::Decor)}},
    {"ftech", {A::Family, Fam(FontFamily::Tech)}},
    {"fbidi", {A::Family, Fam(FontFamily::Bidi)}},
    {"red", {A::Red, 0}},
    {"green", {A::Green, 0}},
    {"blue", {A::Blue, 0}},
    {"plain", {A::Plain, 0}},
    {"b", {A::Bold, 0}},
    {"i", {A::Italic, 0}},
    {"ulnone", {A::UnderlineNone, 0}},
    {"strike", {A::Strike, 0}},
    {"striked", {A::Strike, 1}},
    {"fs", {A::FontSize, 0}},
    {"cf", {A::Colour, 0}},
    {"highlight", {A::Highlight, 0}},
    {"cb", {A::Highlight, 0}},
    {"chcbpat", {A::Highlight, 0}},
    {"super", {A::Script, Sc(Script::Super)}},
    {"sub", {A::Script, Sc(Script::Sub)}},
    {"nosupersub", {A::Script, Sc(Script::Normal)}},
    {"v", {A::Hidden, 0}},
    {"par", {A::Par, 0}},
    {"sect", {A::Section, 0}},
    {"pard", {A::Pard, 0}},
    {"ql", {A::Align, Al(Align::Left)}},
    {"qc", {A::Align, Al(Align::Centre)}},
    {"qr", {A::Align, Al(Align::Right)}},
    {"qj", {A::Align, Al(Align::Justify)}},
    {"li", {A::LeftIndent, 0}},
    {"lin", {A::LeftIndent, 0}},
    {"ri", {A::RightIndent, 0}},
    {"rin", {A::RightIndent, 0}},
    {"fi", {A::FirstIndent, 0}},
    {"sb", {A::SpaceBefore, 0}},
    {"sa", {A::SpaceAfter, 0}},
    {"sl", {A::LineSpacing, 0}},
    {"slmult", {A::LineMultiple, 0}},
    {"tx", {A::Tab, 0}},
    {"tb", {A::BarTab, 0}},
    {"pagebb", {A::PageBreakBefore, 0}},
    {"page", {A::Page, 0}},
    {"intbl", {A::InTable, 0}},
    {"itap", {A::TableLevel, 0}},
    {"tab", {A::Char, 0x09}},
    {"line", {A::Char, 0x0B}},
    {"nestcell", {A::Char, 0x09}},
    {"nestrow", {A::Char, 0x0B}},
    {"emdash", {A::Char, 0x2014}},
    {"endash", {A::Char, 0x2013}},
    {"bullet", {A::Char, 0x2022}},
    {"lquote", {A::Char, 0x2018}},
    {"rquote", {A::Char, 0x2019}},
    {"ldblquote", {A::Char, 0x201C}},
    {"rdblquote", {A::Char, 0x201D}},
    {"emspace", {A::Char, 0x2003}},
    {"enspace", {A::Char, 0x2002}},
    {"qmspace", {A::Char, 0x2005}},
    {"zwj", {A::Char, 0x200D}},
    {"zwnj", {A::Char, 0x200C}},
    {"zwbo", {A::Char, 0x200B}},
    {"ltrmark", {A::Char, 0x200E}},
    {"rtlmark", {A::Char, 0x200F}},
    {"trowd", {A::RowDefaults, 0}},
    {"cellx", {A::CellRight, 0}},
    {"trgaph", {A::CellGap, 0}},
    {"trleft", {A::RowLeft, 0}},
    {"trrh", {A::RowHeight, 0}},
    {"clbrdrt", {A::Border, 0}},
    {"clbrdrl", {A::Border, 0}},
    {"clbrdrb", {A::Border, 0}},
    {"clbrdrr", {A::Border, 0}},
    {"trbrdrt", {A::Border, 0}},
    {"trbrdrl", {A::Border, 0}},
    {"trbrdrb", {A::Border, 0}},
    {"trbrdrr", {A::Border, 0}},
    {"trbrdrh", {A::Border, 0}},
    {"trbrdrv", {A::Border, 0}},
    {"cell", {A::Cell, 0}},
    {"row", {A::Row, 0}},
    {"pngblip", {A::PictureKind, Kind(RtfPictureKind::Png)}},
    {"jpegblip", {A::PictureKind, Kind(RtfPictureKind::Jpeg)}},
    {"emfblip", {A::PictureKind, Kind(RtfPictureKind::Other)}},
    {"wmetafile", {A::PictureKind, Kind(RtfPictureKind::Other)}},
    {"macpict", {A::PictureKind, Kind(RtfPictureKind::Other)}},
    {"dibitmap", {A::PictureKind, Kind(RtfPictureKind::Other)}},
    {"wbitmap", {A::PictureKind, Kind(RtfPictureKind::Other)}},
    {"pmmetafile", {A::PictureKind, Kind(RtfPictureKind::Other)}},
    {"picw", {A::PictureWidth, 0}},
    {"pich", {A::PictureHeight, 0}},
    {"picwgoal", {A::GoalWidth, 0}},
    {"pichgoal", {A::GoalHeight, 0}},
    {"picscalex", {A::ScaleX, 0}},
    {"picscaley", {A::ScaleY, 0}},
};

// In the order of UnderlineStyle, TabAlign, TabLeader and PageField.
constexpr std::string_view kUnderlines[] = {
    "ul",         "ulw",       "uldb",   "uld",     "uldash",     "uldashd",
    "uldashdd",   "ulldash",   "ulth",   "ulthd",   "ulthdash",   "ulthdashd",
    "ulthdashdd", "ulthldash", "ulwave", "ulhwave", "ululdbwave",
};
constexpr std::string_view kTabAligns[] = {"", "tqc", "tqr", "tqdec", "tb"};
constexpr std::string_view kTabLeaders[] = {"",     "tldot", "tlhyph", "tlul",
                                            "tlth", "tleq",  "tlmdot"};
constexpr std::string_view kPageFields[] = {"paperw", "paperh", "margl",    "margr",
                                            "margt",  "margb",  "landscape"};
constexpr std::string_view kSectionFields[] = {"pgwsxn",   "pghsxn",   "marglsxn", "margrsxn",
                                               "margtsxn", "margbsxn", "lndscpsxn"};
static_assert(std::size(kUnderlines) == std::size_t(UnderlineStyle::DoubleWave) + 1);
static_assert(std::size(kTabAligns) == std::size_t(TabAlign::Bar) + 1);
static_assert(std::size(kTabLeaders) == std::size_t(TabLeader::MiddleDots) + 1);
static_assert(std::size(kPageFields) == std::size_t(PageField::Landscape) + 1);
static_assert(std::size(kSectionFields) == std::size(kPageFields));

const std::unordered_map<std::string_view, RtfWord>& Table() {
    static const auto* table = [] {
        auto* t = new std::unordered_map<std::string_view, RtfWord>();
        for (std::string_view s : kSkipped) t->emplace(s, RtfWord{A::Skip, 0});
        for (const Entry& e : kWords) t->emplace(e.name, e.word);
        for (std::int32_t i = 0; i < std::int32_t(std::size(kUnderlines)); ++i)
            t->emplace(kUnderlines[i], RtfWord{A::Underline, i});
        // The bar stop has a word of its own (\tbN); the others come before \txN.
        for (std::int32_t i = 1; i < std::int32_t(TabAlign::Bar); ++i)
            t->emplace(kTabAligns[i], RtfWord{A::TabAlignWord, i});
        for (std::int32_t i = 1; i < std::int32_t(std::size(kTabLeaders)); ++i)
            t->emplace(kTabLeaders[i], RtfWord{A::TabLeaderWord, i});
        for (std::int32_t i = 0; i < std::int32_t(std::size(kPageFields)); ++i) {
            t->emplace(kPageFields[i], RtfWord{A::PageSetupWord, i});
            t->emplace(kSectionFields[i], RtfWord{A::PageSetupWord, i + kSectionForm});
        }
        return t;
    }();
    return *table;
}

}  // namespace

std::string_view UnderlineWord(UnderlineStyle s) {
    return kUnderlines[std::size_t(s)];
}

std::string_view TabAlignWord(TabAlign a) {
    return kTabAligns[std::size_t(a)];
}

std::string_view TabLeaderWord(TabLeader l) {
    return kTabLeaders[std::size_t(l)];
}

std::string_view PageFieldWord(PageField f) {
    return kPageFields[std::size_t(f)];
}

const RtfWord* FindControlWord(std::string_view name) {
    if (name.size() > 32) return nullptr;
    const auto& t = Table();
    auto it = t.find(name);
    return it == t.end() ? nullptr : &it->second;
}

}  // namespace quindel::richtext
