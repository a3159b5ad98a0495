#pragma once
// Zip archives for tests, written by libzip. The test program links libzip only through the
// host kit, so its functions are found in the running process (LoadedFunction, JpegWriter.h).
#include <zip.h>

#include <string>
#include <vector>

#include "platform/JpegWriter.h"

namespace quindel::test {

#define LIBZIP(fn) ::quindel::test::LoadedFunction<decltype(fn)>(#fn)

struct ZipEntrySpec {
    std::string name;
    std::string data;
    bool stored = false;  // otherwise deflated
};

// Writes the archive; false when libzip refuses.
inline bool WriteZip(const std::string& path, const std::vector<ZipEntrySpec>& entries) {
    int error = 0;
    zip_t* z = LIBZIP(zip_open)(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) return false;
    for (const ZipEntrySpec& e : entries) {
        zip_source_t* s = LIBZIP(zip_source_buffer)(z, e.data.data(), e.data.size(), 0);
        const zip_int64_t i = s ? LIBZIP(zip_file_add)(z, e.name.c_str(), s, ZIP_FL_ENC_UTF_8) : -1;
        if (i < 0 || LIBZIP(zip_set_file_compression)(
                         z, zip_uint64_t(i), e.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0) {
            LIBZIP(zip_discard)(z);
            return false;
        }
    }
    return LIBZIP(zip_close)(z) == 0;
}

}  // namespace quindel::test
