#include "mci/DeviceTypes.h"

#include "runtime/Text.h"

namespace quindel::mci {

void DeviceTypes::Register(std::string_view type, DeviceFactory factory,
                           const std::vector<std::string>& extensions) {
    const std::string key = LCase(type);
    factories_[key] = std::move(factory);
    for (const std::string& ext : extensions) byExtension_[LCase(ext)] = key;
}

const DeviceFactory* DeviceTypes::Find(std::string_view type) const {
    const auto it = factories_.find(LCase(type));
    return it == factories_.end() ? nullptr : &it->second;
}

std::optional<std::string> DeviceTypes::TypeForFile(std::string_view element) const {
    const std::size_t dot = element.find_last_of(".\\/");
    if (dot == std::string_view::npos || element[dot] != '.') return std::nullopt;
    const auto it = byExtension_.find(LCase(element.substr(dot + 1)));
    if (it == byExtension_.end()) return std::nullopt;
    return it->second;
}

}  // namespace quindel::mci
