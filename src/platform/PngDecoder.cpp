#include "platform/PngDecoder.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace quindel::platform {

namespace {

// Everything libpng's callbacks and the jumping functions share: plain data only.
struct PngJob {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at;
    png_structp png;
    png_infop info;
    int width, height, passes;
    int rowsRead;
    char warning[160];
    char message[320];
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    // libpng often says why in a warning just before the error.
    std::snprintf(job->message, sizeof job->message, job->warning[0] ? "%s (%s)" : "%s",
                  message ? message : "PNG error", job->warning);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    std::snprintf(job->warning, sizeof job->warning, "%s", message ? message : "");
}

void ReadFromMemory(png_structp png, png_bytep out, std::size_t n) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (n > job->size - job->at) png_error(png, "the file ends too soon");
    std::memcpy(out, job->data + job->at, n);
    job->at += n;
}

// Reads the header and sets the transforms to 32-bit pixels whose bytes, read as one native
// word, are 0xAARRGGBB.
bool ReadPngHeader(PngJob* job, const PictureLimits* limits) {
    png_structp png = job->png;
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, png_uint_32(limits->maxSide), png_uint_32(limits->maxSide));
    png_set_chunk_malloc_max(png, 8u << 20);
    png_set_chunk_cache_max(png, 1000);
    png_set_benign_errors(png, 1);
    png_set_read_fn(png, job, &ReadFromMemory);
    png_read_info(png, job->info);
    job->width = int(png_get_image_width(png, job->info));
    job->height = int(png_get_image_height(png, job->info));
    if (!limits->Allows(job->width, job->height))
        png_error(png, "the picture is larger than the budget allows");
    const int type = png_get_color_type(png, job->info);
    png_set_expand(png);
    png_set_scale_16(png);
    if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    if (!(type & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, job->info, PNG_INFO_tRNS))
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    if constexpr (std::endian::native == std::endian::little)
        png_set_bgr(png);
    else
        png_set_swap_alpha(png);
    job->passes = png_set_interlace_handling(png);
    png_read_update_info(png, job->info);
    if (png_get_rowbytes(png, job->info) != std::size_t(job->width) * 4)
        png_error(png, "unexpected row layout");
    return true;
}

// Reads every pass; an interlaced file's rows go straight into the picture (its passes fill
// them in turn), a plain file's one row at a time through the sink.
bool ReadPngRows(PngJob* job, Rgba* whole, Rgba* row, void (*sink)(void*, int, const Rgba*),
                 void* target) {
    png_structp png = job->png;
    if (setjmp(png_jmpbuf(png))) return false;
    for (int pass = 0; pass < job->passes; ++pass)
        for (int y = 0; y < job->height; ++y) {
            Rgba* into = whole ? whole + std::size_t(y) * std::size_t(job->width) : row;
            png_read_row(png, reinterpret_cast<png_bytep>(into), nullptr);
            if (!whole) sink(target, y, into);
            ++job->rowsRead;
        }
    return true;
}

// Each output pixel is the mean of its n x n block (fewer at the right and bottom edges).
struct Reducer {
    Image* img;
    int n, width, height;
    std::vector<std::uint32_t> sums;  // four channels an output pixel, for the block row in hand

    void Add(int y, const Rgba* row) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t* s = &sums[std::size_t(x / n) * 4];
            const Rgba c = row[x];
            s[0] += (c >> 24) & 255, s[1] += (c >> 16) & 255, s[2] += (c >> 8) & 255,
                s[3] += c & 255;
        }
        if ((y + 1) % n == 0 || y + 1 == height) Flush(y / n, y % n + 1);
    }
    void Flush(int outY, int rows) {
        for (int ox = 0; ox < img->width(); ++ox) {
            std::uint32_t* s = &sums[std::size_t(ox) * 4];
            const std::uint32_t count = std::uint32_t(rows * std::min(n, width - ox * n));
            const auto mean = [&](int i) { return (s[i] + count / 2) / count; };
            img->setPixel(ox, outY, mean(0) << 24 | mean(1) << 16 | mean(2) << 8 | mean(3));
            s[0] = s[1] = s[2] = s[3] = 0;
        }
    }
};

void CopyRow(void* target, int y, const Rgba* row) {
    auto* img = static_cast<Image*>(target);
    std::memcpy(img->row(y), row, std::size_t(img->width()) * sizeof(Rgba));
}

void ReduceRow(void* target, int y, const Rgba* row) {
    static_cast<Reducer*>(target)->Add(y, row);
}

// The 13th byte of the header chunk: 1 for Adam7.
constexpr std::size_t kInterlaceByte = 8 + 8 + 12;

}  // namespace

bool PngInterlaced(std::span<const std::uint8_t> bytes) {
    return bytes.size() > kInterlaceByte && bytes[kInterlaceByte] == 1;
}

std::optional<Image> DecodePngAtLeast(std::span<const std::uint8_t> bytes, int minWidth,
                                      int minHeight, const PictureLimits& limits,
                                      std::string* error) {
    PngJob job{};
    job.data = bytes.data();
    job.size = bytes.size();
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, &OnPngError, &OnPngWarning);
    if (job.png) job.info = png_create_info_struct(job.png);
    struct Release {
        PngJob& job;
        ~Release() { png_destroy_read_struct(&job.png, &job.info, nullptr); }
    } release{job};
    auto fail = [&]() -> std::optional<Image> {
        if (error) *error = std::string("PNG: ") + (job.message[0] ? job.message : "out of memory");
        return std::nullopt;
    };
    if (!job.info || !ReadPngHeader(&job, &limits)) return fail();
    const bool interlaced = job.passes > 1;
    if (interlaced && std::int64_t(job.width) * job.height * 4 > limits.maxWorkBytes) {
        std::snprintf(job.message, sizeof job.message,
                      "an interlaced picture larger than the work budget allows");
        return fail();
    }
    const int n = interlaced ? 1 : ReductionFor({job.width, job.height}, minWidth, minHeight);
    Image img((job.width + n - 1) / n, (job.height + n - 1) / n, 0);
    std::vector<Rgba> row(interlaced ? 0 : std::size_t(job.width));
    Reducer reducer{&img, n, job.width, job.height,
                    std::vector<std::uint32_t>(std::size_t(img.width()) * 4)};
    const bool complete = interlaced ? ReadPngRows(&job, img.row(0), nullptr, nullptr, nullptr)
                          : n == 1   ? ReadPngRows(&job, nullptr, row.data(), &CopyRow, &img)
                                     : ReadPngRows(&job, nullptr, row.data(), &ReduceRow, &reducer);
    if (!complete && job.rowsRead == 0) return fail();
    return img;
}

std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes, const PictureLimits& limits,
                               std::string* error) {
    return DecodePngAtLeast(bytes, INT32_MAX, INT32_MAX, limits, error);
}

}  // namespace quindel::platform
