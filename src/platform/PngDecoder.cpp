#include "platform/PngDecoder.h"

#include <png.h>

#include <bit>
#include <csetjmp>
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

// Reads every pass into rows of the given buffer, which holds the whole picture when the file
// is interlaced and one row otherwise; sink takes each finished row of the latter.
bool ReadPngRows(PngJob* job, Rgba* buffer, void (*sink)(void*, int, const Rgba*), void* target) {
    png_structp png = job->png;
    if (setjmp(png_jmpbuf(png))) return false;
    const bool whole = job->passes > 1;
    for (int pass = 0; pass < job->passes; ++pass)
        for (int y = 0; y < job->height; ++y) {
            Rgba* row = whole ? buffer + std::size_t(y) * std::size_t(job->width) : buffer;
            png_read_row(png, reinterpret_cast<png_bytep>(row), nullptr);
            if (!whole) sink(target, y, row);
            ++job->rowsRead;
        }
    return true;
}

void CopyRow(void* target, int y, const Rgba* row) {
    auto* img = static_cast<Image*>(target);
    for (int x = 0; x < img->width(); ++x) img->setPixel(x, y, row[x]);
}

}  // namespace

std::optional<Image> DecodePng(std::span<const std::uint8_t> bytes, const PictureLimits& limits,
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
    Image img(job.width, job.height, 0);
    std::vector<Rgba> buffer(std::size_t(job.width) * std::size_t(job.passes > 1 ? job.height : 1),
                             0);
    const bool complete = ReadPngRows(&job, buffer.data(), &CopyRow, &img);
    if (job.passes > 1)
        for (int y = 0; y < job.height; ++y)
            CopyRow(&img, y, buffer.data() + std::size_t(y) * std::size_t(job.width));
    if (!complete && job.rowsRead == 0) return fail();
    return img;
}

}  // namespace quindel::platform
