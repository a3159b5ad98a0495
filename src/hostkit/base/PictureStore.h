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
#include <cstdint>
#include <string>

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

    std::string path_;
    bool reducible_ = false;  // JPEG: a smaller decode costs less, so decodes are not kept
    platform::PictureSize size_;
    platform::PictureSize lastDecode_;
    platform::Image source_;  // the last decode: whole, or reduced (JPEG)
    bool sourceWhole_ = false;
    platform::Image fitted_;
};

}  // namespace quindel::hostkit
