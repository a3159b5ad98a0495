#include "hostkit/base/ContentFile.h"

#include <filesystem>

#include "platform/PictureFile.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

std::string ReadContentFile(const std::string& nativePath, const char* source) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(nativePath, ec)) Raise(53, source);
    std::string why;
    auto bytes = platform::ReadPictureFile(nativePath, &why);
    if (!bytes) throw VbError(75, source, why);
    return std::move(*bytes);
}

}  // namespace quindel::hostkit
