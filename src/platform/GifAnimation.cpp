#include "platform/GifAnimation.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace quindel::platform {

namespace {

enum class Disposal { Keep, Clear, Restore };

// Values 4 to 7 are undefined; players read 4 as "restore" and the rest as "keep".
Disposal DisposalOf(int code) {
    if (code == DISPOSE_BACKGROUND) return Disposal::Clear;
    if (code == DISPOSE_PREVIOUS || code == 4) return Disposal::Restore;
    return Disposal::Keep;
}

int DelayMsOf(int centiseconds) {
    return centiseconds <= 1 ? 100 : centiseconds * 10;
}

std::vector<Rgba> PaletteOf(const ColorMapObject* map) {
    std::vector<Rgba> out;
    if (!map || !map->Colors) return out;
    const int n = std::clamp(map->ColorCount, 0, 256);
    for (int i = 0; i < n; ++i)
        out.push_back(MakeRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    return out;
}

// The frame row that the k-th line of an interlaced image of the given height fills.
int InterlacedRow(int k, int height) {
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows =
            height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (k < rows) return kStart[pass] + k * kStep[pass];
        k -= rows;
    }
    return height;
}

struct Reader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int wanted) {
    auto* r = static_cast<Reader*>(gif->UserData);
    const std::size_t n = std::min(std::size_t(std::max(wanted, 0)), r->bytes.size() - r->at);
    if (n) std::memcpy(out, r->bytes.data() + r->at, n);
    r->at += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

std::string GifError(int code) {
    const char* text = GifErrorString(code);
    return text ? text : "GIF error " + std::to_string(code);
}

// One frame as stored: its rectangle clipped to the canvas and one palette index a pixel.
struct StoredFrame {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> indices;
    // Empty when every row was decoded; else which rows a file cut short still delivered.
    std::vector<std::uint8_t> rowDecoded;
    std::vector<Rgba> localPalette;
    bool hasLocalPalette = false;
    int transparent = NO_TRANSPARENT_COLOR;
    Disposal disposal = Disposal::Keep;
    int delayMs = 100;
};

struct StoredGif {
    int width = 0, height = 0;
    int loopCount = 1;
    std::vector<Rgba> globalPalette;
    std::vector<StoredFrame> frames;
};

// Reads a GIF record by record, so every size is checked against the budget before anything
// is allocated for it.
class GifReader {
  public:
    GifReader(GifFileType* gif, const GifAnimation::Limits& limits, StoredGif& d)
        : gif_(gif), limits_(limits), d_(d) {}

    // False when the stream ended in an error; the frames read before it stay in d_.
    bool ReadAll();
    const std::string& error() const { return error_; }

  private:
    bool ReadExtension();
    bool ReadImage();
    bool ReadRows(StoredFrame& f, const GifImageDesc& desc);
    bool SkipImageData();
    bool SkipRest();
    bool Fail(const std::string& why) {
        error_ = why;
        return false;
    }
    bool Fail() { return Fail(GifError(gif_->Error)); }

    GifFileType* gif_;
    const GifAnimation::Limits& limits_;
    StoredGif& d_;
    std::string error_;
    GraphicsControlBlock pending_{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    std::int64_t storedBytes_ = 0;
    std::int64_t decodedPixels_ = 0;
};

bool GifReader::ReadAll() {
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif_, &type) == GIF_ERROR) return Fail();
        if (type == TERMINATE_RECORD_TYPE) return true;
        if (type == EXTENSION_RECORD_TYPE && !ReadExtension()) return false;
        if (type == IMAGE_DESC_RECORD_TYPE && !ReadImage()) return false;
        if (int(d_.frames.size()) >= limits_.maxFrames) return true;
    }
}

bool GifReader::ReadExtension() {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR) return Fail();
    bool loopBlock = false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block &&
        DGifExtensionToGCB(block[0], block + 1, &pending_) == GIF_ERROR)
        pending_ = {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    if (code == APPLICATION_EXT_FUNC_CODE && block && block[0] == 11)
        loopBlock = !std::memcmp(block + 1, "NETSCAPE2.0", 11) ||
                    !std::memcmp(block + 1, "ANIMEXTS1.0", 11);
    while (block) {
        if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR) return Fail();
        // The loop sub-block: id 1, then how many times to repeat after the first play.
        if (loopBlock && block && block[0] >= 3 && block[1] == 1) {
            const int repeats = block[2] | block[3] << 8;
            d_.loopCount = repeats == 0 ? 0 : repeats + 1;
        }
    }
    return true;
}

bool GifReader::ReadImage() {
    if (DGifGetImageDesc(gif_) == GIF_ERROR) return Fail();
    const GifImageDesc desc = gif_->Image;
    StoredFrame f;
    f.transparent = pending_.TransparentColor;
    f.disposal = DisposalOf(pending_.DisposalMode);
    f.delayMs = DelayMsOf(pending_.DelayTime);
    pending_ = {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    if (desc.ColorMap) {
        f.localPalette = PaletteOf(desc.ColorMap);
        f.hasLocalPalette = true;
    }
    if (desc.Width < 0 || desc.Height < 0 ||
        std::int64_t(desc.Width) * desc.Height > limits_.maxPixels)
        return Fail("a frame is larger than the picture budget");
    f.left = std::clamp(desc.Left, 0, d_.width);
    f.top = std::clamp(desc.Top, 0, d_.height);
    f.width = std::clamp(desc.Left + desc.Width, 0, d_.width) - f.left;
    f.height = std::clamp(desc.Top + desc.Height, 0, d_.height) - f.top;
    storedBytes_ += std::int64_t(std::max(f.width, 0)) * std::max(f.height, 0);
    if (storedBytes_ > limits_.maxFrameBytes) return Fail("the frames exceed the memory budget");
    const bool ok = f.width > 0 && f.height > 0 ? ReadRows(f, desc) : SkipImageData();
    // A frame cut short is kept when some of its rows arrived, as players show it.
    if (ok || !f.rowDecoded.empty()) d_.frames.push_back(std::move(f));
    return ok;
}

bool GifReader::ReadRows(StoredFrame& f, const GifImageDesc& desc) {
    f.indices.assign(std::size_t(f.width) * std::size_t(f.height), 0);
    std::vector<GifPixelType> line(std::size_t(desc.Width));
    std::vector<std::uint8_t> decoded(std::size_t(f.height), 0);
    int rowsLeft = f.height, k = 0;
    for (; k < desc.Height && rowsLeft > 0; ++k) {
        decodedPixels_ += desc.Width;
        if (decodedPixels_ > limits_.maxDecodedPixels)
            return Fail("the frames exceed the decoding budget");
        if (DGifGetLine(gif_, line.data(), desc.Width) == GIF_ERROR) {
            if (std::find(decoded.begin(), decoded.end(), 1) != decoded.end())
                f.rowDecoded = std::move(decoded);
            return Fail();
        }
        const int row = desc.Interlace ? InterlacedRow(k, desc.Height) : k;
        const int y = desc.Top + row - f.top;
        if (y < 0 || y >= f.height) continue;
        std::memcpy(f.indices.data() + std::size_t(y) * std::size_t(f.width),
                    line.data() + (f.left - desc.Left), std::size_t(f.width));
        decoded[std::size_t(y)] = 1;
        --rowsLeft;
    }
    // The rows below the canvas stay compressed; after the last row giflib skips by itself.
    return k == desc.Height || SkipRest();
}

// A frame with nothing on the canvas: its data is passed over without decompressing it.
bool GifReader::SkipImageData() {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif_, &codeSize, &block) == GIF_ERROR) return Fail();
    while (block)
        if (DGifGetCodeNext(gif_, &block) == GIF_ERROR) return Fail();
    return true;
}

// The data blocks left of a frame whose wanted rows are all read.
bool GifReader::SkipRest() {
    GifByteType* block = nullptr;
    do {
        if (DGifGetCodeNext(gif_, &block) == GIF_ERROR) return Fail();
    } while (block);
    return true;
}

}  // namespace

struct GifAnimation::Data {
    StoredGif gif;
    // Composition state: the canvas as frame `shown` left it, and what that frame covered.
    Image canvas;
    int shown = -1;
    Image underShown;

    void Draw(const StoredFrame& f);
    void Dispose(const StoredFrame& f);
};

void GifAnimation::Data::Draw(const StoredFrame& f) {
    if (f.disposal == Disposal::Restore) underShown = canvas.copy(f.left, f.top, f.width, f.height);
    const auto& palette = f.hasLocalPalette ? f.localPalette : gif.globalPalette;
    for (int y = 0; y < f.height; ++y) {
        if (!f.rowDecoded.empty() && !f.rowDecoded[std::size_t(y)]) continue;
        const std::uint8_t* row = f.indices.data() + std::size_t(y) * std::size_t(f.width);
        for (int x = 0; x < f.width; ++x) {
            const int index = row[x];
            if (index == f.transparent) continue;
            const Rgba c = std::size_t(index) < palette.size() ? palette[std::size_t(index)]
                                                               : MakeRgb(0, 0, 0);
            canvas.setPixel(f.left + x, f.top + y, c);
        }
    }
}

void GifAnimation::Data::Dispose(const StoredFrame& f) {
    if (f.disposal == Disposal::Clear) canvas.fillRect(f.left, f.top, f.width, f.height, 0);
    if (f.disposal == Disposal::Restore) canvas.blit(underShown, f.left, f.top);
}

std::optional<GifAnimation> GifAnimation::Decode(std::span<const std::uint8_t> bytes,
                                                 std::string* error) {
    return DecodeWithin(bytes, Limits{}, error);
}

std::optional<GifAnimation> GifAnimation::DecodeWithin(std::span<const std::uint8_t> bytes,
                                                       const Limits& limits, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<GifAnimation> {
        if (error) *error = why;
        return std::nullopt;
    };
    Reader reader{bytes};
    int code = 0;
    GifHandle gif(DGifOpen(&reader, &ReadFromMemory, &code));
    if (!gif) return fail(GifError(code));
    auto d = std::make_unique<Data>();
    d->gif.width = gif->SWidth;
    d->gif.height = gif->SHeight;
    if (d->gif.width <= 0 || d->gif.height <= 0) return fail("the picture has no pixels");
    if (d->gif.width > limits.maxSide || d->gif.height > limits.maxSide ||
        std::int64_t(d->gif.width) * d->gif.height > limits.maxPixels)
        return fail("the picture is larger than the budget allows");
    d->gif.globalPalette = PaletteOf(gif->SColorMap);
    GifReader frames(gif.get(), limits, d->gif);
    const bool complete = frames.ReadAll();
    if (d->gif.frames.empty()) return fail(complete ? "the file holds no frame" : frames.error());
    return GifAnimation(std::move(d));
}

GifAnimation::GifAnimation(std::unique_ptr<Data> d) : d_(std::move(d)) {}
GifAnimation::GifAnimation(GifAnimation&&) noexcept = default;
GifAnimation& GifAnimation::operator=(GifAnimation&&) noexcept = default;
GifAnimation::~GifAnimation() = default;

int GifAnimation::Width() const {
    return d_->gif.width;
}
int GifAnimation::Height() const {
    return d_->gif.height;
}
int GifAnimation::FrameCount() const {
    return int(d_->gif.frames.size());
}
int GifAnimation::LoopCount() const {
    return d_->gif.loopCount;
}
int GifAnimation::DelayMs(int frame) const {
    return d_->gif.frames[std::size_t(std::clamp(frame, 0, FrameCount() - 1))].delayMs;
}

const Image& GifAnimation::Frame(int frame) {
    frame = std::clamp(frame, 0, FrameCount() - 1);
    if (d_->shown < 0 || frame < d_->shown) {
        d_->canvas = Image(d_->gif.width, d_->gif.height, 0);
        d_->shown = -1;
    }
    for (; d_->shown < frame; ++d_->shown) {
        if (d_->shown >= 0) d_->Dispose(d_->gif.frames[std::size_t(d_->shown)]);
        d_->Draw(d_->gif.frames[std::size_t(d_->shown + 1)]);
    }
    return d_->canvas;
}

}  // namespace quindel::platform
