#pragma once
// The multimedia command-string service: a command in words ("open ... alias a", "play a",
// "status a position") goes in, a number and a reply text come out. Contract:
// - SendString returns 0 on success, otherwise one of the classic error numbers (256 and up).
//   The reply is written only when replyCapacity > 0: it holds at most replyCapacity - 1
//   characters, as a caller's fixed buffer would, and is empty after a failure. A null reply
//   or a capacity of 0 means no reply is wanted. Numbers in replies are decimal text.
// - ErrorString gives the standard text of an error number, at most 255 characters; a number
//   it does not know gets a generic text, never an empty one.
// - Strings are UTF-8 throughout; file names may hold any letters and blanks.
// - Calls come from the user-interface thread; a device may run timers on the platform's
//   event loop, so its state moves only while events are processed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quindel::platform {

class MultimediaCommands {
  public:
    virtual ~MultimediaCommands() = default;

    virtual std::uint32_t SendString(std::string_view command, std::string* reply,
                                     std::size_t replyCapacity) = 0;
    virtual std::string ErrorString(std::uint32_t error) const = 0;
};

}  // namespace quindel::platform
