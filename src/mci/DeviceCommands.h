#pragma once
// The commands addressed to one open device (play, pause, resume, stop, seek, status, where,
// window): their keywords are read here and handed to the device as typed calls.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "mci/CommandWords.h"
#include "mci/Device.h"

namespace quindel::mci {

bool IsDeviceCommand(std::string_view verb);
// `options` are the words after the device name. UnrecognizedCommand for an unknown verb.
std::uint32_t RunDeviceCommand(std::string_view verb, Device& device, std::span<const Word> options,
                               std::string& reply);

}  // namespace quindel::mci
