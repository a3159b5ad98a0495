#include "platform/JpegDecoder.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <bit>
#include <climits>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace quindel::platform {

namespace {

// Progressive files may hold any number of scans, each a pass over the whole picture; real
// encoders write a dozen at most.
constexpr int kMaxScans = 500;

constexpr J_COLOR_SPACE kNativeRgba =
    std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;

struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Everything libjpeg's callbacks and the jumping functions share: plain data only.
struct JpegJob {
    jpeg_decompress_struct cinfo;
    JpegErrors errors;
    jpeg_progress_mgr progress;
    bool cmyk;
    int rowsRead;
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (corrupt data, a file cut short) are not fatal: the decoder goes on as well as it can.
void OnJpegMessage(j_common_ptr, int) {}

void OnJpegProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor ||
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans)
        return;
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
    std::longjmp(errors->jump, 1);
}

bool ReadJpegHeader(JpegJob* job, const std::uint8_t* data, std::size_t size, long maxMemory) {
    if (setjmp(job->errors.jump)) return false;
    jpeg_create_decompress(&job->cinfo);
    job->cinfo.mem->max_memory_to_use = maxMemory;
    job->progress.progress_monitor = &OnJpegProgress;
    job->cinfo.progress = &job->progress;
    jpeg_mem_src(&job->cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&job->cinfo, TRUE);
    return true;
}

bool StartJpeg(JpegJob* job, int reduction) {
    if (setjmp(job->errors.jump)) return false;
    jpeg_decompress_struct& cinfo = job->cinfo;
    cinfo.scale_num = 1;
    cinfo.scale_denom = unsigned(reduction);
    job->cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = job->cmyk ? JCS_CMYK : kNativeRgba;
    jpeg_start_decompress(&cinfo);
    return true;
}

using RowSink = void (*)(void* target, int y, const JSAMPLE* row);

bool ReadJpegRows(JpegJob* job, JSAMPLE* row, RowSink sink, void* target) {
    if (setjmp(job->errors.jump)) return false;
    while (job->cinfo.output_scanline < job->cinfo.output_height) {
        const int y = int(job->cinfo.output_scanline);
        if (jpeg_read_scanlines(&job->cinfo, &row, 1) != 1) break;
        sink(target, y, row);
        ++job->rowsRead;
    }
    return true;
}

struct RowTarget {
    Image* img;
    bool adobe;
};

void CopyRgbaRow(void* target, int y, const JSAMPLE* row) {
    Image& img = *static_cast<RowTarget*>(target)->img;
    for (int x = 0; x < img.width(); ++x) {
        Rgba c;
        std::memcpy(&c, row + 4 * x, 4);
        img.setPixel(x, y, c);
    }
}

// Adobe writes CMYK inverted (0 = full ink); other encoders store ink amounts.
void CopyCmykRow(void* target, int y, const JSAMPLE* row) {
    const auto& t = *static_cast<RowTarget*>(target);
    auto channel = [&](int ink, int k) {
        return t.adobe ? (ink * k + 127) / 255 : ((255 - ink) * (255 - k) + 127) / 255;
    };
    for (int x = 0; x < t.img->width(); ++x) {
        const JSAMPLE* p = row + 4 * x;
        t.img->setPixel(x, y,
                        MakeRgb(channel(p[0], p[3]), channel(p[1], p[3]), channel(p[2], p[3])));
    }
}

// Owns a libjpeg decompressor for the C++ code around the jumping functions.
class JpegSession {
  public:
    explicit JpegSession(std::span<const std::uint8_t> bytes, long maxMemory = 0) : job_{} {
        job_.cinfo.err = jpeg_std_error(&job_.errors.pub);
        job_.errors.pub.error_exit = &OnJpegError;
        job_.errors.pub.emit_message = &OnJpegMessage;
        headerRead_ = ReadJpegHeader(&job_, bytes.data(), bytes.size(), maxMemory);
    }
    ~JpegSession() { jpeg_destroy_decompress(&job_.cinfo); }
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;

    bool headerRead() const { return headerRead_; }
    PictureSize size() const { return {int(job_.cinfo.image_width), int(job_.cinfo.image_height)}; }
    JpegJob& job() { return job_; }
    std::string Error() const { return std::string("JPEG: ") + job_.errors.message; }

  private:
    JpegJob job_;
    bool headerRead_ = false;
};

}  // namespace

std::optional<PictureSize> ReadJpegSize(std::span<const std::uint8_t> bytes, std::string* error) {
    JpegSession session(bytes);
    if (session.headerRead()) return session.size();
    if (error) *error = session.Error();
    return std::nullopt;
}

std::optional<Image> DecodeJpegAtLeast(std::span<const std::uint8_t> bytes, int minWidth,
                                       int minHeight, const PictureLimits& limits,
                                       std::string* error) {
    // The largest buffers are a progressive file's coefficients, 2 bytes a sample: beyond the
    // work budget libjpeg stops before it allocates them.
    const long maxMemory = long(std::min<std::int64_t>(limits.maxWorkBytes, LONG_MAX));
    JpegSession session(bytes, maxMemory);
    auto fail = [&](const std::string& why) -> std::optional<Image> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (!session.headerRead()) return fail(session.Error());
    const PictureSize full = session.size();
    if (!limits.Allows(full.width, full.height))
        return fail("JPEG: the picture is larger than the budget allows");
    JpegJob& job = session.job();
    if (!StartJpeg(&job, ReductionFor(full, minWidth, minHeight))) return fail(session.Error());
    Image img(int(job.cinfo.output_width), int(job.cinfo.output_height));
    std::vector<JSAMPLE> row(std::size_t(job.cinfo.output_width) * 4);
    RowTarget target{&img, job.cinfo.saw_Adobe_marker != 0};
    const bool complete =
        ReadJpegRows(&job, row.data(), job.cmyk ? &CopyCmykRow : &CopyRgbaRow, &target);
    if (!complete && job.rowsRead == 0) return fail(session.Error());
    return img;
}

std::optional<Image> DecodeJpeg(std::span<const std::uint8_t> bytes, const PictureLimits& limits,
                                std::string* error) {
    return DecodeJpegAtLeast(bytes, INT_MAX, INT_MAX, limits, error);
}

}  // namespace quindel::platform
