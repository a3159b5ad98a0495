#include "hostkit/base/PictureStore.h"

#include <algorithm>

#include "hostkit/base/ContentFile.h"
#include "hostkit/base/PictureScaler.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

using platform::Image;
using platform::PictureSize;

namespace {

constexpr const char* kSource = "Picture";

bool SameSize(PictureSize a, PictureSize b) {
    return a.width == b.width && a.height == b.height;
}

}  // namespace

void PictureStore::Load(const std::string& path, const DecodeTarget& target) {
    const std::string bytes = ReadContentFile(path, kSource);
    const auto data = platform::BytesOf(bytes);
    std::string why;
    const auto size = platform::ReadPictureSize(data, &why);
    if (!size) throw VbError(481, kSource, "Invalid picture: " + why);
    const platform::RectPx want =
        target.keepShape ? FitInside(size->width, size->height, target.width, target.height)
                         : platform::RectPx{0, 0, target.width, target.height};
    auto decoded = platform::DecodePictureAtLeast(data, std::max(want.width(), 1),
                                                  std::max(want.height(), 1), {}, &why);
    if (!decoded) throw VbError(481, kSource, "Invalid picture: " + why);
    path_ = path;
    reducible_ = platform::DecodesReduced(data);
    // A reduced decode (JPEG, plain PNG) is smaller than the picture; for the other formats the
    // decode is the picture, whatever a damaged header claimed.
    size_ = reducible_ ? *size : PictureSize{decoded->width(), decoded->height()};
    lastDecode_ = {decoded->width(), decoded->height()};
    sourceWhole_ = SameSize(lastDecode_, size_);
    source_ = std::move(*decoded);
    fitted_ = Image();
}

void PictureStore::Clear() {
    *this = PictureStore();
}

bool PictureStore::SourceCovers(int width, int height) const {
    return !source_.empty() &&
           (sourceWhole_ || (source_.width() >= width && source_.height() >= height));
}

Image PictureStore::Redecode(int minWidth, int minHeight) {
    const auto bytes = platform::ReadPictureFile(path_);
    if (!bytes) return {};
    const auto data = platform::BytesOf(*bytes);
    const auto size = platform::ReadPictureSize(data);
    if (!size || !SameSize(*size, size_)) return {};
    auto decoded = platform::DecodePictureAtLeast(data, minWidth, minHeight);
    if (!decoded) return {};
    lastDecode_ = {decoded->width(), decoded->height()};
    return std::move(*decoded);
}

const Image& PictureStore::Fitted(int width, int height) {
    if (empty() || width <= 0 || height <= 0) {
        fitted_ = Image();
        return fitted_;
    }
    if (fitted_.width() == width && fitted_.height() == height) return fitted_;
    if (!SourceCovers(width, height) && reducible_) {
        Image again = Redecode(width, height);
        if (!again.empty()) {
            sourceWhole_ = SameSize({again.width(), again.height()}, size_);
            source_ = std::move(again);
        }
    }
    fitted_ = ScalePicture(Best(), width, height);
    if (reducible_) {
        source_ = Image();
        sourceWhole_ = false;
    }
    return fitted_;
}

const Image& PictureStore::Full() {
    if (empty() || sourceWhole_) return source_;
    Image whole = Redecode(size_.width, size_.height);
    source_ = whole.empty() ? ScalePicture(Best(), size_.width, size_.height) : std::move(whole);
    sourceWhole_ = true;
    return source_;
}

void PictureStore::ReleaseFull() {
    if (reducible_ && sourceWhole_) {
        source_ = Image();
        sourceWhole_ = false;
    }
}

std::int64_t PictureStore::HeldBytes() const {
    return std::int64_t(source_.pixels().size() + fitted_.pixels().size()) *
           std::int64_t(sizeof(platform::Rgba));
}

}  // namespace quindel::hostkit
