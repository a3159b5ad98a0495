#pragma once
// The desktop text service on Qt fonts. Faces that content names but free systems lack are
// mapped to their metric-compatible free faces (Times New Roman -> Liberation Serif, Arial ->
// Liberation Sans, Courier New -> Liberation Mono); any other unknown face goes to fontconfig
// with the FontSpec's generic family as its fallback. Kerning is off and each code point is drawn
// at the sum of the advances before it, so painting lands where the advances said.
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/TextService.h"

namespace quindel::qt {

class QtTextService : public platform::TextService {
  public:
    platform::FontMetrics Metrics(const platform::FontSpec& font) const override;
    void Advances(const platform::FontSpec& font, std::string_view utf8,
                  std::vector<int>& out) const override;
    void Draw(platform::Image& target, const platform::FontSpec& font, int x, int baseline,
              std::string_view utf8, platform::Rgba ink) const override;

    // The Qt font a FontSpec stands for, after substitution.
    static QFont FontFor(const platform::FontSpec& font);

  private:
    struct Entry {
        explicit Entry(const QFont& f) : font(f), metrics(f) { ascii.fill(-1); }
        QFont font;
        QFontMetrics metrics;
        std::array<int, 128> ascii;  // advances of ASCII, filled on first use
        // Advances of the other code points met so far: measuring one shapes it, which costs
        // far more than a look-up, and Polish text has one in most words.
        std::unordered_map<char32_t, int> others;
        int Advance(char32_t cp);
    };
    Entry& Lookup(const platform::FontSpec& font) const;
    mutable std::unordered_map<std::string, std::unique_ptr<Entry>> cache_;
};

}  // namespace quindel::qt
