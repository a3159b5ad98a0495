#pragma once
// Writing where someone else may have planted a link: the component writes into folders it
// shares (beside the library, a temporary folder), so no write may follow a link or land in a
// FIFO or a device.
// - ReplacingFile writes a new file under a name of its own, made exclusively beside the target
//   (O_EXCL: never an existing file or link), and Commit renames it over the target; rename
//   replaces a link at the target instead of writing through it. A file never committed is
//   removed, so a failed write leaves neither a half-written file nor the old one.
// - AppendToFile appends to a regular file, made when missing, and refuses a link, a FIFO or a
//   device in its place.
#include <cstddef>
#include <string>
#include <string_view>

namespace quindel::platform {

class ReplacingFile {
  public:
    explicit ReplacingFile(std::string target, int mode = 0644);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Opened() const { return fd_ >= 0; }
    bool Write(const char* data, std::size_t size);
    bool Write(std::string_view s) { return Write(s.data(), s.size()); }
    // Closes the file and puts it in the target's place; false (and nothing in place) when any
    // write, the close or the rename failed.
    bool Commit();

  private:
    std::string target_, temporary_;
    int fd_ = -1;
    bool failed_ = false;
};

bool AppendToFile(const std::string& path, std::string_view bytes);

}  // namespace quindel::platform
