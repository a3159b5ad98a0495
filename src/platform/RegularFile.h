#pragma once
// Reading a file that content names, safely: only a regular file is read (a FIFO, a device or a
// folder named in a list must neither block the interface thread nor grow memory without end),
// and only up to a cap the caller gives. The file is opened without blocking and checked on the
// open descriptor, so swapping the name for a FIFO after a check changes nothing.
#include <cstdint>
#include <optional>
#include <string>

namespace quindel::platform {

enum class ReadFailure { Missing, NotRegular, TooLarge, Unreadable };

struct ReadResult {
    std::optional<std::string> bytes;  // the whole file, when it was read
    ReadFailure failure = ReadFailure::Unreadable;
    std::string why;  // a short English reason naming the file, for logs and errors
};

ReadResult ReadRegularFile(const std::string& path, std::int64_t maxBytes);

}  // namespace quindel::platform
