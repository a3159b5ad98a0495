#pragma once
// The pixels behind a picture control: the file it shows, decoded no larger than the display
// needs. Contract:
// - Load reads the file whole and decodes it for the display the target describes (JPEG at the
//   largest reduction libjpeg-turbo offers that still covers it; other formats whole). It raises 53
//   when there is no such file, 75 when it cannot be read, 481 when it is not a picture this kit
//   reads (the decoder's reason in the description); on failure the store keeps what it held.
//   Nothing of the file's bytes is kept after Load.
// - Fitted(w, h) is the picture scaled to w x h, kept until another size is asked for. Full()
//   is the picture at its own size, kept until ReleaseFull().
// - A JPEG decode is dropped once it no longer serves (once the fitted picture is made from it,
//   or at ReleaseFull), and the file is read again when another size or the full picture is
//   needed; so while a JPEG is shown fitted the store holds only the fitted pixels. Other formats
//   keep their one full decode. When the file has gone or changed by then, the picture held is
//   scaled instead: never an error after Load.
// - ActualView(view) gives the pixels under view (picture pixels, within the picture) at actual
//   size without waiting for a whole decode: from the whole picture when it is held; for a
//   baseline JPEG from a region around the view decoded now (a view that leaves it decodes its
//   own), the whole picture decoding in the background meanwhile; for a progressive JPEG from
//   the held reduced picture stretched, the same. When the background decode has ended,
//   CollectFull takes its picture and drops the region: at most one full-size copy is ever held.
//   Full() waits for a background decode rather than decoding again; ReleaseFull, Load and Clear
//   cancel it.
#include <cstdint>
#include <string>

#include "hostkit/base/BackgroundDecode.h"
#include "platform/Geometry.h"
#include "platform/Image.h"
#include "platform/PictureFile.h"

namespace quindel::hostkit {

// What a decode must cover: width x height exactly, or, keeping the picture's shape, the largest
// rectangle of that shape inside width x height.
struct DecodeTarget {
    int width = 0;
    int height = 0;
    bool keepShape = false;
};

class PictureStore {
  public:
    void Load(const std::string& path, const DecodeTarget& target);
    void Clear();

    bool empty() const { return size_.width <= 0; }
    // The picture's own size in pixels (0 x 0 when empty).
    platform::PictureSize Size() const { return size_; }

    const platform::Image& Fitted(int width, int height);
    const platform::Image& Full();
    void ReleaseFull();

    // Pixels at actual size: view's top-left corner is (x, y) of *pixels.
    struct View {
        const platform::Image* pixels = nullptr;
        int x = 0, y = 0;
    };
    View ActualView(const platform::RectPx& view);
    // A whole decode is under way in the background.
    bool FullPending() const { return background_.Running(); }
    // True once, when a background decode ended and its picture is now the one held. PollFull
    // is the same from the owner's periodic look (which ends a Deferred decode).
    bool CollectFull();
    bool PollFull() {
        background_.Poll();
        return CollectFull();
    }
    // Ends a background decode now (blocking) and takes its picture.
    void WaitFull();
    void setBackgroundMode(BackgroundDecode::Mode m) { background_.setMode(m); }

    // Pixel memory held now, in bytes; and the size of the last decode (for tests and tuning).
    std::int64_t HeldBytes() const;
    platform::PictureSize LastDecodeSize() const { return lastDecode_; }

  private:
    // A new decode of the file covering at least minWidth x minHeight, or an empty image when
    // the file has gone or no longer holds the same picture.
    platform::Image Redecode(int minWidth, int minHeight);
    // The best pixels held, for when the file cannot give more.
    const platform::Image& Best() const { return source_.empty() ? fitted_ : source_; }
    bool SourceCovers(int width, int height) const;
    // The region decoded around view, or false when none could be.
    bool DecodeRegion(const platform::RectPx& view);
    void DropPartial();
    static bool Inside(const platform::RectPx& inner, const platform::RectPx& outer);

    std::string path_;
    bool reducible_ = false;  // JPEG: a smaller decode costs less, so decodes are not kept
    bool regions_ = false;    // a JPEG whose regions decode alone
    bool progressive_ = false;
    platform::PictureSize size_;
    platform::PictureSize lastDecode_;
    platform::Image source_;  // the last decode: whole, or reduced (JPEG)
    bool sourceWhole_ = false;
    platform::Image fitted_;
    platform::Image region_;  // around the view, until the whole picture arrives
    platform::RectPx regionRect_;
    platform::Image stretched_;  // the view from the reduced picture (progressive)
    BackgroundDecode background_;
};

}  // namespace quindel::hostkit
