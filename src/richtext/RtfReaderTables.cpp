// The reader's structures: paragraphs and table rows, the font and colour tables, pictures.
#include <algorithm>

#include "richtext/PictureDecoder.h"
#include "richtext/RtfReader.h"

namespace quindel::richtext {

namespace {

using A = RtfAction;

// A picture's shown size is kept within 100 inches a side.
constexpr std::int64_t kMaxPictureTwips = 144000;
// Pixels are reckoned at 96 per inch where a picture gives no goal size.
constexpr std::int64_t kTwipsPerPixel = 15;
// The width a cell gets when its row defines fewer cells than it holds.
constexpr std::int32_t kDefaultCellWidth = 1440;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

// --- paragraphs and rows

void RtfReader::EndParagraph(ParaEnd end) {
    if (row_ >= 0 && !S().inTable && end == ParaEnd::Paragraph) CloseOpenRow();
    ParaFormat pf = S().para;
    pf.pageBreakBefore |= std::exchange(pageBreakNext_, false);
    std::int32_t row = -1;
    std::uint16_t cell = 0;
    if (S().inTable || end != ParaEnd::Paragraph) {
        if (row_ < 0) row_ = doc_.AddRow(rowDef_);
        row = row_;
        cell = std::uint16_t(cell_);
    }
    doc_.EndParagraph(doc_.InternPara(pf), CurrentCharFormat(), end, row, cell);
}

void RtfReader::EndCell() {
    // A full row is closed as it stands; the cell being ended begins the next row.
    if (std::size_t(cell_) >= limits_.cells) CloseOpenRow();
    EndParagraph(ParaEnd::Cell);
    ++cell_;
}

void RtfReader::EndRow() {
    if (row_ < 0) return;
    // Text after the last \cell is one more cell.
    if (doc_.Paragraphs().back().length > 0) {
        EndParagraph(ParaEnd::Cell);
        ++cell_;
    }
    CloseOpenRow();
}

void RtfReader::CloseOpenRow() {
    doc_.EndRow();
    TableRow& r = doc_.RowAt(row_);
    if (!rowDef_.rightEdges.empty()) r = rowDef_;
    std::int32_t edge = r.rightEdges.empty() ? r.left : r.rightEdges.back();
    while (r.rightEdges.size() < std::size_t(cell_)) {
        edge += kDefaultCellWidth;
        r.rightEdges.push_back(edge);
    }
    row_ = -1;
    cell_ = 0;
}

// --- font table

void RtfReader::FontTableWord(const RtfWord& w, const RtfToken& t) {
    switch (w.action) {
        case A::Font:
            if (fontOpen_) CommitFont();
            font_ = FontEntry{};
            font_.number = t.param;
            font_.charset = 1;
            fontBytes_.clear();
            fontName_.clear();
            fontOpen_ = true;
            fontDepth_ = Depth();
            break;
        case A::Charset:
            font_.charset = t.param;
            break;
        case A::Pitch:
            font_.pitch = t.param;
            break;
        case A::FontCodePage:
            font_.codePage = std::max(0, t.param);
            break;
        case A::Family:
            font_.family = FontFamily(w.value);
            break;
        default:
            break;
    }
}

void RtfReader::FontText(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t semi = bytes.find(';');
        const std::string_view part = bytes.substr(0, semi);
        if (fontOpen_ && fontBytes_.size() + fontName_.size() < limits_.fontName)
            fontBytes_.append(
                part.substr(0, limits_.fontName - fontBytes_.size() - fontName_.size()));
        if (semi == std::string_view::npos) return;
        CommitFont();
        bytes.remove_prefix(semi + 1);
    }
}

void RtfReader::DecodeFontBytes() {
    if (fontBytes_.empty()) return;
    // A symbol font's own name is ordinary text.
    std::int32_t page = FontTable::CodePageOf(&font_, doc_.Settings().codePage);
    if (page == FontTable::kSymbolCodePage) page = doc_.Settings().codePage;
    fontName_ += CodePageDecoder::DecodeAll(fontBytes_, page);
    fontBytes_.clear();
}

void RtfReader::CommitFont() {
    if (!fontOpen_) return;
    fontOpen_ = false;
    DecodeFontBytes();
    font_.face = Trimmed(fontName_);
    if (doc_.Fonts().Entries().size() < limits_.fonts || doc_.Fonts().Find(font_.number))
        doc_.Fonts().Put(font_);
    pageFont_ = kNoFont;
}

// --- colour table

void RtfReader::ColourTableWord(const RtfWord& w, const RtfToken& t) {
    const int i = w.action == A::Red ? 0 : w.action == A::Green ? 1 : w.action == A::Blue ? 2 : -1;
    if (i < 0) return;
    rgb_[i] = std::clamp(t.param, 0, 255);
    rgbSet_ = true;
}

void RtfReader::ColourText(std::string_view bytes) {
    auto& colours = doc_.Colours();
    for (char c : bytes) {
        if (c != ';') continue;
        if (colours.size() < limits_.colours)
            colours.push_back(rgbSet_ ? platform::MakeRgb(rgb_[0], rgb_[1], rgb_[2]) : 0);
        rgb_[0] = rgb_[1] = rgb_[2] = 0;
        rgbSet_ = false;
    }
}

// --- pictures

void RtfReader::PictureWord(const RtfWord& w, const RtfToken& t) {
    const std::int32_t v = std::clamp(t.param, 0, std::int32_t(kMaxPictureTwips));
    switch (w.action) {
        case A::PictureKind:
            pict_.kind = RtfPictureKind(w.value);
            break;
        case A::PictureWidth:
            pict_.picture.pixelWidth = v;
            break;
        case A::PictureHeight:
            pict_.picture.pixelHeight = v;
            break;
        case A::GoalWidth:
            pict_.goalWidth = v;
            break;
        case A::GoalHeight:
            pict_.goalHeight = v;
            break;
        case A::ScaleX:
            pict_.scaleX = std::clamp(t.param, 1, 1000);
            break;
        case A::ScaleY:
            pict_.scaleY = std::clamp(t.param, 1, 1000);
            break;
        default:
            break;
    }
}

void RtfReader::PictureText(std::string_view bytes) {
    if (pict_.kind == RtfPictureKind::Other || pict_.tooBig) return;
    std::string& data = pict_.picture.data;
    for (char c : bytes) {
        const int d = HexDigit(c);
        if (d < 0) continue;
        if (pict_.nibble < 0) {
            pict_.nibble = d;
            continue;
        }
        data += char(pict_.nibble * 16 + d);
        pict_.nibble = -1;
    }
    if (data.size() > limits_.pictureBytes ||
        pictureBytes_ + data.size() > limits_.allPictureBytes) {
        pict_.tooBig = true;
        std::string().swap(data);
    }
}

void RtfReader::PictureBinary(std::string_view bytes) {
    if (pict_.kind == RtfPictureKind::Other || pict_.tooBig) return;
    std::string& data = pict_.picture.data;
    if (data.size() + bytes.size() > limits_.pictureBytes ||
        pictureBytes_ + data.size() + bytes.size() > limits_.allPictureBytes) {
        pict_.tooBig = true;
        std::string().swap(data);
        return;
    }
    data.append(bytes);
}

void RtfReader::CommitPicture() {
    pictDepth_ = 0;
    Picture& p = pict_.picture;
    if (pict_.kind == RtfPictureKind::Other || pict_.tooBig || p.data.empty() ||
        doc_.Pictures().size() >= limits_.pictures)
        return;
    p.kind = pict_.kind == RtfPictureKind::Png ? Picture::Kind::Png : Picture::Kind::Jpeg;
    int pw = p.pixelWidth, ph = p.pixelHeight;
    if (pw <= 0 || ph <= 0) PictureDecoder::EncodedSize(p.data, pw, ph);
    const auto shown = [](std::int64_t goal, std::int64_t pixels, std::int64_t scale) {
        const std::int64_t base = goal > 0 ? goal : pixels > 0 ? pixels * kTwipsPerPixel : 1440;
        return std::int32_t(std::clamp<std::int64_t>(base * scale / 100, 1, kMaxPictureTwips));
    };
    p.width = shown(pict_.goalWidth, pw, pict_.scaleX);
    p.height = shown(pict_.goalHeight, ph, pict_.scaleY);
    pictureBytes_ += p.data.size();
    doc_.AppendPicture(std::move(p), CurrentCharFormat());
}

}  // namespace quindel::richtext
