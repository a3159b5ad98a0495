#include "platform/JpegRegion.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace quindel::platform {

namespace {

// As the whole-picture decoder: a hostile progressive file may hold endless scans.
constexpr int kMaxScans = 500;
// Fancy upsampling blends each pixel's chroma with its neighbours': the columns decoded reach
// one iMCU (16 pixels at most) beyond the region, so its edge columns blend as in a whole decode.
constexpr int kChromaContext = 16;
constexpr J_COLOR_SPACE kNativeRgba =
    std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;

struct RegionErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Everything the jumping functions share: plain data only.
struct RegionJob {
    jpeg_decompress_struct cinfo;
    RegionErrors errors;
    jpeg_progress_mgr progress;
    const std::atomic<bool>* cancel;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<RegionErrors*>(cinfo->err)->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

void OnProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && d->input_scan_number > kMaxScans)
        std::longjmp(reinterpret_cast<RegionErrors*>(cinfo->err)->jump, 1);
}

bool ReadHeader(RegionJob* job, const std::uint8_t* data, std::size_t size, long maxMemory) {
    if (setjmp(job->errors.jump)) return false;
    jpeg_create_decompress(&job->cinfo);
    job->cinfo.mem->max_memory_to_use = maxMemory;
    job->progress.progress_monitor = &OnProgress;
    job->cinfo.progress = &job->progress;
    jpeg_mem_src(&job->cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&job->cinfo, TRUE);
    return true;
}

// Starts decoding the columns [*x, *x + *width): libjpeg widens them to whole iMCU columns and
// says which it took.
bool Start(RegionJob* job, JDIMENSION* x, JDIMENSION* width) {
    if (setjmp(job->errors.jump)) return false;
    job->cinfo.out_color_space = kNativeRgba;
    jpeg_start_decompress(&job->cinfo);
    if (*width < job->cinfo.output_width) jpeg_crop_scanline(&job->cinfo, x, width);
    return true;
}

struct RowCopy {
    Rgba* out;  // the region's first row
    std::size_t outStride;
    std::size_t skipBytes;  // from the decoded row's start to the region's first column
    std::size_t rowBytes;
    JSAMPLE* row;
};

bool ReadRows(RegionJob* job, JDIMENSION top, JDIMENSION bottom, const RowCopy* copy) {
    if (setjmp(job->errors.jump)) return false;
    if (top > 0 && jpeg_skip_scanlines(&job->cinfo, top) != top) return false;
    for (JDIMENSION y = top; y < bottom; ++y) {
        if (job->cancel && job->cancel->load(std::memory_order_relaxed)) return false;
        JSAMPROW row = copy->row;
        if (jpeg_read_scanlines(&job->cinfo, &row, 1) != 1) return false;
        std::memcpy(copy->out + copy->outStride * (y - top), copy->row + copy->skipBytes,
                    copy->rowBytes);
    }
    return true;
}

// Owns the decompressor for the C++ code around the jumping functions.
class RegionSession {
  public:
    explicit RegionSession(std::span<const std::uint8_t> bytes, const std::atomic<bool>* cancel)
        : job_{} {
        job_.cinfo.err = jpeg_std_error(&job_.errors.pub);
        job_.errors.pub.error_exit = &OnError;
        job_.errors.pub.emit_message = &OnMessage;
        job_.cancel = cancel;
        read_ = ReadHeader(&job_, bytes.data(), bytes.size(), long(PictureLimits{}.maxWorkBytes));
    }
    ~RegionSession() { jpeg_destroy_decompress(&job_.cinfo); }
    RegionSession(const RegionSession&) = delete;
    RegionSession& operator=(const RegionSession&) = delete;

    bool read() const { return read_; }
    RegionJob& job() { return job_; }
    JpegInfo Info() const {
        const jpeg_decompress_struct& c = job_.cinfo;
        const bool colour = c.jpeg_color_space == JCS_YCbCr || c.jpeg_color_space == JCS_RGB ||
                            c.jpeg_color_space == JCS_GRAYSCALE;
        return {{int(c.image_width), int(c.image_height)}, c.progressive_mode != 0, colour};
    }

  private:
    RegionJob job_;
    bool read_ = false;
};

}  // namespace

std::optional<JpegInfo> InspectJpeg(std::span<const std::uint8_t> bytes) {
    if (SniffPictureFormat(bytes) != PictureFormat::Jpeg) return std::nullopt;
    RegionSession session(bytes, nullptr);
    if (!session.read()) return std::nullopt;
    return session.Info();
}

std::optional<Image> DecodeJpegRegion(std::span<const std::uint8_t> bytes, RectPx region,
                                      const std::atomic<bool>* cancel) {
    if (SniffPictureFormat(bytes) != PictureFormat::Jpeg) return std::nullopt;
    RegionSession session(bytes, cancel);
    if (!session.read()) return std::nullopt;
    const JpegInfo info = session.Info();
    if (!info.regions || !PictureLimits{}.Allows(info.size.width, info.size.height))
        return std::nullopt;
    region.left = std::max(region.left, 0), region.top = std::max(region.top, 0);
    region.right = std::min(region.right, info.size.width);
    region.bottom = std::min(region.bottom, info.size.height);
    if (region.width() <= 0 || region.height() <= 0) return std::nullopt;
    const int from = std::max(region.left - kChromaContext, 0);
    JDIMENSION x = JDIMENSION(from),
               width = JDIMENSION(std::min(region.right + kChromaContext, info.size.width) - from);
    if (!Start(&session.job(), &x, &width)) return std::nullopt;
    Image out(region.width(), region.height());
    std::vector<JSAMPLE> row(std::size_t(width) * 4);
    const RowCopy copy{out.row(0), std::size_t(out.width()), (std::size_t(region.left) - x) * 4,
                       std::size_t(out.width()) * 4, row.data()};
    if (!ReadRows(&session.job(), JDIMENSION(region.top), JDIMENSION(region.bottom), &copy))
        return std::nullopt;
    return out;
}

}  // namespace quindel::platform
