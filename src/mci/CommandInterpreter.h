#pragma once
// Our command-string interpreter: the classic multimedia command strings over the device types
// registered with it. Understood, with words in any case and any number of blanks:
//   open <file> [type <type>] [alias <alias>] [style child] [parent <window handle>] [shareable]
//   play <alias> [from <n>] [to <n>]      pause|resume|stop <alias>
//   seek <alias> to start|end|<n>         close <alias>|all
//   status <alias> length|position|mode|ready|window handle|time format
//   where <alias> source|destination      window <alias> state show|hide
// Every command also takes "wait" and "notify". A file name with blanks may be quoted; unquoted,
// it runs up to the first keyword of the open command. Without "alias" the file name is the
// device's name; without "type" the file's extension chooses the type. Aliases match ignoring
// case. Destroying the interpreter closes every device still open; the platform must outlive it.
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mci/CommandWords.h"
#include "mci/DeviceTypes.h"
#include "platform/MultimediaCommands.h"

namespace quindel::platform {
class Platform;
}

namespace quindel::mci {

class CommandInterpreter final : public platform::MultimediaCommands {
  public:
    explicit CommandInterpreter(platform::Platform& platform);
    ~CommandInterpreter() override;
    CommandInterpreter(const CommandInterpreter&) = delete;
    CommandInterpreter& operator=(const CommandInterpreter&) = delete;

    DeviceTypes& types() { return types_; }
    std::size_t OpenCount() const { return devices_.size(); }

    std::uint32_t SendString(std::string_view command, std::string* reply,
                             std::size_t replyCapacity) override;
    std::string ErrorString(std::uint32_t error) const override;

  private:
    using Words = std::span<const Word>;
    std::uint32_t Execute(std::string_view command, std::string& reply);
    std::uint32_t Open(std::string_view command, Words words);
    std::uint32_t Close(Words words);
    Device* Find(std::string_view alias) const;

    platform::Platform& platform_;
    DeviceTypes types_;
    std::map<std::string, std::unique_ptr<Device>> devices_;  // by lower-case alias
};

// An interpreter with the animation device registered as "mmmovie", for ".gif" files too.
std::unique_ptr<CommandInterpreter> NewInterpreter(platform::Platform& platform);

}  // namespace quindel::mci
