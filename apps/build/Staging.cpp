#include "build/Staging.h"

#include <unistd.h>

#include <fstream>

namespace quindel::build {

namespace fs = std::filesystem;

Staging::Staging(fs::path folder)
    : folder_(std::move(folder)),
      staging_(folder_ / (".quindel-build." + std::to_string(::getpid()))) {
    std::error_code ec;
    fs::remove_all(staging_, ec);
    fs::create_directories(staging_, ec);
}

Staging::~Staging() {
    std::error_code ec;
    fs::remove_all(staging_, ec);
}

bool Staging::Write(const std::string& relative, std::string_view bytes, std::string* error) {
    const fs::path file = PathOf(relative);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out.flush()) {
        *error = "cannot write " + file.string();
        return false;
    }
    staged_.push_back({relative});
    return true;
}

bool Staging::Commit(std::size_t* moved, std::string* error) {
    *moved = 0;
    for (const auto& [relative, knownNew] : staged_) {
        const fs::path target = folder_ / relative;
        if (!knownNew && SameBytes(PathOf(relative), target)) continue;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        fs::rename(PathOf(relative), target, ec);
        if (ec) {
            *error = "cannot put " + target.string() + " in place: " + ec.message();
            return false;
        }
        ++*moved;
    }
    return true;
}

bool SameBytes(const fs::path& file, const fs::path& other) {
    std::error_code ec1, ec2;
    if (fs::file_size(file, ec1) != fs::file_size(other, ec2) || ec1 || ec2) return false;
    std::ifstream a(file, std::ios::binary), b(other, std::ios::binary);
    constexpr std::size_t kBlock = 1 << 16;
    std::string x(kBlock, '\0'), y(kBlock, '\0');
    while (a && b) {
        a.read(x.data(), kBlock);
        b.read(y.data(), kBlock);
        if (a.gcount() != b.gcount() ||
            x.compare(0, std::size_t(a.gcount()), y, 0, std::size_t(b.gcount())) != 0)
            return false;
    }
    return true;
}

}  // namespace quindel::build
