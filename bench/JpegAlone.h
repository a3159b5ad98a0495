#pragma once
// libjpeg-turbo called directly, nothing of ours around it: the floor the picture benchmarks
// compare our decoding with. Four-byte pixels, as the platform's images hold them.
#include <bit>
#include <cstdint>
#include <vector>

#include "../tests/platform/JpegWriter.h"

namespace quindel::bench {

class JpegAlone {
  public:
    // Ready to read rows of `bytes` reduced by `reduction` (1, 2, 4 or 8).
    explicit JpegAlone(const std::vector<std::uint8_t>& bytes, int reduction = 1) {
        c_.err = LIBJPEG(jpeg_std_error)(&err_);
        LIBJPEG(jpeg_CreateDecompress)(&c_, JPEG_LIB_VERSION, sizeof c_);
        LIBJPEG(jpeg_mem_src)(&c_, bytes.data(), bytes.size());
        LIBJPEG(jpeg_read_header)(&c_, TRUE);
        c_.scale_num = 1;
        c_.scale_denom = unsigned(reduction);
        c_.out_color_space =
            std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
        LIBJPEG(jpeg_start_decompress)(&c_);
    }
    ~JpegAlone() { LIBJPEG(jpeg_destroy_decompress)(&c_); }
    JpegAlone(const JpegAlone&) = delete;
    JpegAlone& operator=(const JpegAlone&) = delete;

    jpeg_decompress_struct& Info() { return c_; }

    // The next `rows` rows, each `width` pixels wide (less than the picture's after a crop).
    void ReadRows(std::vector<std::uint8_t>& pixels, JDIMENSION width, JDIMENSION rows) {
        const std::size_t stride = std::size_t(width) * 4;
        pixels.resize(stride * rows);
        for (JDIMENSION y = 0; y < rows; ++y) {
            JSAMPROW row = pixels.data() + stride * y;
            LIBJPEG(jpeg_read_scanlines)(&c_, &row, 1);
        }
    }
    // The whole (reduced) picture.
    void ReadAll(std::vector<std::uint8_t>& pixels) {
        ReadRows(pixels, c_.output_width, c_.output_height);
        LIBJPEG(jpeg_finish_decompress)(&c_);
    }

  private:
    jpeg_decompress_struct c_{};
    jpeg_error_mgr err_{};
};

}  // namespace quindel::bench
