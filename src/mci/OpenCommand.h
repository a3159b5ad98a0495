#pragma once
// The words of an open command after "open": the file, then its keywords. A quoted file name
// is taken as written; an unquoted one runs up to the first open keyword, blanks and all, since
// callers build the command by joining a path that may hold blanks.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "mci/CommandWords.h"
#include "platform/Geometry.h"

namespace quindel::mci {

struct OpenCommand {
    std::string element;
    std::string type;   // empty when not given
    std::string alias;  // the element when not given
    std::optional<platform::Handle> parent;
    bool child = false;
};

std::uint32_t ParseOpen(std::string_view command, std::span<const Word> words, OpenCommand& out);

}  // namespace quindel::mci
