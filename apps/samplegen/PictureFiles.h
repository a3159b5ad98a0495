#pragma once
// The file formats of the sample's pictures, as bytes: JPEG (libjpeg), Windows bitmaps (24 bits,
// uncompressed), PNG and animated GIF (giflib). The PNG and GIF writers throw std::runtime_error
// when their library refuses; libjpeg ends the program with its message.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Image.h"

namespace quindel::samplegen {

std::string EncodeJpeg(const platform::Image& img, int quality = 88);
std::string EncodeBmp(const platform::Image& img);
std::string EncodePng(const platform::Image& img);

struct GifFrameSpec {
    platform::Image image;  // every frame the size of the first
    int delayCs;            // hundredths of a second
};
// Looping for ever. Frames share one palette: the colours they use when there are at most 256,
// else a 6 x 7 x 6 colour cube.
std::string EncodeGif(const std::vector<GifFrameSpec>& frames);

}  // namespace quindel::samplegen
