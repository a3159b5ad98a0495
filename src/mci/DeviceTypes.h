#pragma once
// The device types an interpreter can open: a type name (matched ignoring case) maps to a
// factory, and file extensions may name a type for an open command that gives none. A factory
// either returns an open device or leaves a classic error number in `error`.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mci/Device.h"
#include "platform/Geometry.h"

namespace quindel::platform {
class Platform;
}

namespace quindel::mci {

struct OpenRequest {
    platform::Platform& platform;
    std::string element;  // the file as the command wrote it
    std::string alias;
    std::optional<platform::Handle> parent;
    bool child = false;  // "style child"
};

using DeviceFactory =
    std::function<std::unique_ptr<Device>(const OpenRequest& request, std::uint32_t& error)>;

class DeviceTypes {
  public:
    // A later registration of the same type replaces the earlier one.
    void Register(std::string_view type, DeviceFactory factory,
                  const std::vector<std::string>& extensions = {});
    const DeviceFactory* Find(std::string_view type) const;
    // The type registered for the element's extension, ignoring case.
    std::optional<std::string> TypeForFile(std::string_view element) const;

  private:
    std::map<std::string, DeviceFactory> factories_;  // by lower-case type name
    std::map<std::string, std::string> byExtension_;  // lower-case extension without the dot
};

}  // namespace quindel::mci
