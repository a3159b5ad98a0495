#include "build/PackedFile.h"

#include <zip.h>

#include <stdexcept>

namespace quindel::build {
namespace {

std::string ReadBack(zip_source_t* src) {
    std::string bytes;
    zip_stat_t st;
    if (zip_source_stat(src, &st) != 0 || zip_source_open(src) != 0)
        throw std::runtime_error("libzip cannot read the archive back");
    bytes.resize(std::size_t(st.size));
    const zip_int64_t n = zip_source_read(src, bytes.data(), st.size);
    zip_source_close(src);
    if (n != zip_int64_t(st.size)) throw std::runtime_error("libzip read the archive short");
    return bytes;
}

}  // namespace

std::string PackedFile::Bytes() const {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* z = src ? zip_open_from_source(src, ZIP_TRUNCATE, &error) : nullptr;
    if (!z) {
        if (src) zip_source_free(src);
        throw std::runtime_error("libzip cannot start an archive");
    }
    zip_source_keep(src);  // read back after zip_close
    for (const auto& [name, data] : entries_) {
        zip_source_t* s = zip_source_buffer(z, data.data(), data.size(), 0);
        const zip_int64_t i = s ? zip_file_add(z, name.c_str(), s, ZIP_FL_ENC_UTF_8) : -1;
        if (i < 0) {
            if (s) zip_source_free(s);
            zip_discard(z);
            zip_source_free(src);
            throw std::runtime_error("libzip refused " + name);
        }
        // A fixed time, so the archive's bytes do not change from run to run.
        zip_file_set_mtime(z, zip_uint64_t(i), 946684800, 0);
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        zip_source_free(src);
        throw std::runtime_error("libzip cannot finish the archive");
    }
    std::string bytes = ReadBack(src);
    zip_source_free(src);
    return bytes;
}

}  // namespace quindel::build
