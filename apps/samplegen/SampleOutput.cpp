#include "SampleOutput.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace quindel::samplegen {

namespace fs = std::filesystem;

namespace {

bool Holds(const fs::path& file, std::string_view bytes) {
    std::error_code ec;
    if (fs::file_size(file, ec) != bytes.size() || ec) return false;
    std::ifstream in(file, std::ios::binary);
    const std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return old == bytes;
}

}  // namespace

void WriteIfChanged(const fs::path& file, std::string_view bytes) {
    if (Holds(file, bytes)) return;
    fs::create_directories(file.parent_path());
    fs::path tmp = file;
    tmp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) throw std::runtime_error("cannot write " + tmp.string());
    }
    std::error_code ec;
    fs::rename(tmp, file, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw std::runtime_error("cannot write " + file.string());
    }
}

fs::path FolderOf(const fs::path& sample, std::string_view cartella) {
    std::string native(cartella);
    std::replace(native.begin(), native.end(), '\\', '/');
    return sample / native;
}

}  // namespace quindel::samplegen
