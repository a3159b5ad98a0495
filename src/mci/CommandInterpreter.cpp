#include "mci/CommandInterpreter.h"

#include <algorithm>

#include "mci/AnimationDevice.h"
#include "mci/CommandOptions.h"
#include "mci/DeviceCommands.h"
#include "mci/GifFrames.h"
#include "mci/MciError.h"
#include "mci/OpenCommand.h"
#include "runtime/Text.h"

namespace quindel::mci {

CommandInterpreter::CommandInterpreter(platform::Platform& platform) : platform_(platform) {}

CommandInterpreter::~CommandInterpreter() = default;

std::uint32_t CommandInterpreter::SendString(std::string_view command, std::string* reply,
                                             std::size_t replyCapacity) {
    std::string answer;
    const std::uint32_t result = Execute(command, answer);
    if (reply) {
        reply->clear();
        if (result == err::None && replyCapacity > 0)
            *reply =
                Left(answer, std::int32_t(std::min<std::size_t>(replyCapacity - 1, 0x7FFFFFFF)));
    }
    return result;
}

std::string CommandInterpreter::ErrorString(std::uint32_t error) const {
    return std::string(ErrorText(error));
}

std::uint32_t CommandInterpreter::Execute(std::string_view command, std::string& reply) {
    std::vector<Word> words;
    if (const std::uint32_t e = SplitWords(command, words)) return e;
    if (words.empty()) return err::MissingCommandString;
    const Word& verb = words[0];
    const Words rest = Words(words).subspan(1);
    if (IsKeyword(verb, "open")) return Open(command, rest);
    if (IsKeyword(verb, "close")) return Close(rest);
    if (verb.quoted || !IsDeviceCommand(verb.text)) return err::UnrecognizedCommand;
    if (rest.empty()) return err::MissingDeviceName;
    if (IsKeyword(rest[0], "all")) return err::CannotUseAll;
    Device* device = Find(rest[0].text);
    if (!device) return err::InvalidDeviceName;
    return RunDeviceCommand(verb.text, *device, rest.subspan(1), reply);
}

std::uint32_t CommandInterpreter::Open(std::string_view command, Words words) {
    OpenCommand open;
    if (const std::uint32_t e = ParseOpen(command, words, open)) return e;
    if (EqualNoCase(open.alias, "all")) return err::CannotUseAll;
    if (Find(open.alias)) return err::DuplicateAlias;
    if (open.type.empty()) {
        const std::optional<std::string> byFile = types_.TypeForFile(open.element);
        if (!byFile) return err::ExtensionNotFound;
        open.type = *byFile;
    }
    const DeviceFactory* factory = types_.Find(open.type);
    if (!factory) return err::CannotLoadDriver;
    OpenRequest request{platform_, open.element, open.alias, open.parent, open.child};
    std::uint32_t error = err::None;
    std::unique_ptr<Device> device = (*factory)(request, error);
    if (!device) return error != err::None ? error : err::CannotLoadDriver;
    devices_[LCase(open.alias)] = std::move(device);
    return err::None;
}

std::uint32_t CommandInterpreter::Close(Words words) {
    if (words.empty()) return err::MissingDeviceName;
    CommandOptions options;
    if (const std::uint32_t e = options.Parse(words.subspan(1), {})) return e;
    if (IsKeyword(words[0], "all")) {
        devices_.clear();
        return err::None;
    }
    const auto it = devices_.find(LCase(words[0].text));
    if (it == devices_.end()) return err::InvalidDeviceName;
    // Out of the table before it closes, so the table never holds a half-closed device.
    const std::unique_ptr<Device> closing = std::move(it->second);
    devices_.erase(it);
    return err::None;
}

Device* CommandInterpreter::Find(std::string_view alias) const {
    const auto it = devices_.find(LCase(alias));
    return it == devices_.end() ? nullptr : it->second.get();
}

std::unique_ptr<CommandInterpreter> NewInterpreter(platform::Platform& platform) {
    auto interpreter = std::make_unique<CommandInterpreter>(platform);
    RegisterAnimationDevice(interpreter->types(), "mmmovie", {"gif"}, LoadGifFile);
    return interpreter;
}

}  // namespace quindel::mci
