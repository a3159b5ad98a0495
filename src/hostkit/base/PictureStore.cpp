#include "hostkit/base/PictureStore.h"

#include <algorithm>
#include <optional>

#include "hostkit/base/ContentFile.h"
#include "hostkit/base/PictureScaler.h"
#include "platform/JpegRegion.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

using platform::Image;
using platform::PictureSize;

namespace {

constexpr const char* kSource = "Picture";
// A region decoded for the view reaches this far beyond it each way: one arrow-key step of the
// picture control stays within it, and each pixel more costs the first frame time.
constexpr int kRegionMargin = 40;

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
    background_.Cancel();
    DropPartial();
    path_ = path;
    reducible_ = platform::DecodesReduced(data);
    const auto jpeg = reducible_ ? platform::InspectJpeg(data) : std::nullopt;
    regions_ = jpeg && jpeg->regions;
    progressive_ = jpeg && jpeg->progressive;
    // A reduced decode (JPEG, plain PNG) is smaller than the picture; for the other formats the
    // decode is the picture, whatever a damaged header claimed.
    size_ = reducible_ ? *size : PictureSize{decoded->width(), decoded->height()};
    lastDecode_ = {decoded->width(), decoded->height()};
    sourceWhole_ = SameSize(lastDecode_, size_);
    source_ = std::move(*decoded);
    fitted_ = Image();
}

void PictureStore::Clear() {
    background_.Cancel();
    DropPartial();
    path_.clear();
    reducible_ = regions_ = progressive_ = sourceWhole_ = false;
    size_ = lastDecode_ = {};
    source_ = fitted_ = Image();
}

void PictureStore::DropPartial() {
    region_ = stretched_ = Image();
    regionRect_ = {};
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
    if (FullPending()) {
        WaitFull();
        if (sourceWhole_) return source_;
    }
    Image whole = Redecode(size_.width, size_.height);
    source_ = whole.empty() ? ScalePicture(Best(), size_.width, size_.height) : std::move(whole);
    sourceWhole_ = true;
    return source_;
}

void PictureStore::ReleaseFull() {
    background_.Cancel();
    DropPartial();
    if (reducible_ && sourceWhole_) {
        source_ = Image();
        sourceWhole_ = false;
    }
}

std::int64_t PictureStore::HeldBytes() const {
    return std::int64_t(source_.pixels().size() + fitted_.pixels().size() +
                        region_.pixels().size() + stretched_.pixels().size()) *
           std::int64_t(sizeof(platform::Rgba));
}

bool PictureStore::Inside(const platform::RectPx& inner, const platform::RectPx& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool PictureStore::CollectFull() {
    std::optional<Image> whole = background_.Take();
    if (!whole) return false;
    // A file gone or changed meanwhile: the picture held, scaled, as Full() does.
    const bool same = whole->width() == size_.width && whole->height() == size_.height;
    source_ = same ? std::move(*whole) : ScalePicture(Best(), size_.width, size_.height);
    sourceWhole_ = true;
    DropPartial();
    return true;
}

void PictureStore::WaitFull() {
    background_.Wait();
    CollectFull();
}

bool PictureStore::DecodeRegion(const platform::RectPx& view) {
    const auto bytes = platform::ReadPictureFile(path_);
    if (!bytes) return false;
    const platform::RectPx around{view.left - kRegionMargin, view.top - kRegionMargin,
                                  view.right + kRegionMargin, view.bottom + kRegionMargin};
    auto region = platform::DecodeJpegRegion(platform::BytesOf(*bytes), around);
    if (!region) return false;
    regionRect_ = {std::max(around.left, 0), std::max(around.top, 0),
                   std::max(around.left, 0) + region->width(),
                   std::max(around.top, 0) + region->height()};
    region_ = std::move(*region);
    return Inside(view, regionRect_);
}

PictureStore::View PictureStore::ActualView(const platform::RectPx& view) {
    if (empty()) return {};
    CollectFull();
    // Only a JPEG decodes in parts; anything else is decoded whole, as before.
    if (sourceWhole_ || !regions_) return {&Full(), view.left, view.top};
    if (!region_.empty() && Inside(view, regionRect_))
        return {&region_, view.left - regionRect_.left, view.top - regionRect_.top};
    const bool region = !progressive_ && DecodeRegion(view);
    if (!FullPending()) background_.Start(path_, size_);
    if (region) return {&region_, view.left - regionRect_.left, view.top - regionRect_.top};
    const Image& reduced = Best();
    if (reduced.empty()) return {&Full(), view.left, view.top};
    stretched_ = ResizeBilinearPart(reduced, size_.width, size_.height, view);
    return {&stretched_, 0, 0};
}

}  // namespace quindel::hostkit
