#include "platform/qt/QtTextService.h"

#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/qt/QtImage.h"
#include "runtime/Text.h"

namespace quindel::qt {

using platform::FontMetrics;
using platform::FontSpec;
using platform::Image;
using platform::Rgba;

namespace {

constexpr std::size_t kMaxCachedFonts = 64;
constexpr int kMaxPixelSize = 2000;

struct Substitute {
    std::string_view face;
    const char* free;
};
// Faces of office documents and their metric-compatible free faces.
constexpr Substitute kSubstitutes[] = {
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
};

QString FaceFor(const std::string& face) {
    for (const Substitute& s : kSubstitutes)
        if (EqualNoCase(face, s.face)) return QString::fromLatin1(s.free);
    return QString::fromUtf8(face.data(), qsizetype(face.size()));
}

QFont::StyleHint HintFor(const std::string& generic) {
    if (generic == "sans-serif") return QFont::SansSerif;
    if (generic == "monospace") return QFont::Monospace;
    return QFont::Serif;
}

std::string KeyOf(const FontSpec& f) {
    return f.face + '\n' + f.generic + '\n' + std::to_string(f.sizeTwips) + '/' +
           std::to_string(f.twipsPerPixel) + (f.bold ? "b" : "") + (f.italic ? "i" : "");
}

// Calls each(code point) for every code point of utf8; a malformed byte is U+FFFD.
template <class Each>
void ForEachCodePoint(std::string_view utf8, Each each) {
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8SequenceLength(utf8, i);
        each(IsBadUtf8Byte(utf8, i, n) ? U'\uFFFD' : DecodeUtf8(utf8, i, n));
        i += n;
    }
}

bool IsControl(char32_t cp) {
    return cp < 0x20 || cp == 0x7F;
}

}  // namespace

int QtTextService::Entry::Advance(char32_t cp) {
    if (IsControl(cp)) return 0;
    int& a = cp < 128 ? ascii[cp] : others.try_emplace(cp, -1).first->second;
    if (a < 0) a = metrics.horizontalAdvance(QString::fromUcs4(&cp, 1));
    return a;
}

QFont QtTextService::FontFor(const FontSpec& font) {
    QFont f;
    f.setFamilies({FaceFor(font.face), QString::fromStdString(font.generic)});
    f.setStyleHint(HintFor(font.generic));
    const double px = double(std::max(font.sizeTwips, 1)) / std::max(font.twipsPerPixel, 1);
    f.setPixelSize(std::clamp(int(std::lround(px)), 1, kMaxPixelSize));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false);
    return f;
}

QtTextService::Entry& QtTextService::Lookup(const FontSpec& font) const {
    const std::string key = KeyOf(font);
    auto it = cache_.find(key);
    if (it != cache_.end()) return *it->second;
    if (cache_.size() >= kMaxCachedFonts) cache_.clear();
    return *cache_.emplace(key, std::make_unique<Entry>(FontFor(font))).first->second;
}

FontMetrics QtTextService::Metrics(const FontSpec& font) const {
    const QFontMetrics& m = Lookup(font).metrics;
    // lineSpacing, not height: a line holds the font's line gap too, as word processors lay it out.
    return {m.ascent(), m.descent(), std::max(m.lineSpacing(), m.ascent() + m.descent())};
}

void QtTextService::Advances(const FontSpec& font, std::string_view utf8,
                             std::vector<int>& out) const {
    Entry& e = Lookup(font);
    ForEachCodePoint(utf8, [&](char32_t cp) { out.push_back(e.Advance(cp)); });
}

void QtTextService::Draw(Image& target, const FontSpec& font, int x, int baseline,
                         std::string_view utf8, Rgba ink) const {
    Entry& e = Lookup(font);
    const QFontMetrics& m = e.metrics;
    const QRect box = QRect(x, baseline - m.ascent(), target.width() - x + m.ascent(), m.height())
                          .intersected(QRect(0, 0, target.width(), target.height()));
    if (box.isEmpty()) return;
    QImage region = Wrap(target).copy(box);
    int pen = x;
    {
        QPainter p(&region);
        p.translate(-box.x(), -box.y());
        p.setFont(e.font);
        p.setPen(QColor::fromRgb(ink));
        ForEachCodePoint(utf8, [&](char32_t cp) {
            if (pen > box.right()) return;
            if (!IsControl(cp)) p.drawText(QPoint(pen, baseline), QString::fromUcs4(&cp, 1));
            pen += e.Advance(cp);
        });
        const int thick = std::max(1, m.lineWidth());
        if (font.underline)
            p.fillRect(x, baseline + m.underlinePos(), pen - x, thick, p.pen().color());
        if (font.strike)
            p.fillRect(x, baseline - m.strikeOutPos(), pen - x, thick, p.pen().color());
    }
    target.blit(FromQImage(region), box.x(), box.y());
}

}  // namespace quindel::qt
