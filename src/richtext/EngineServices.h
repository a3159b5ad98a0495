#pragma once
// What code outside the host kit uses of the rich-text engine's late-bound side: new engine
// instances on a form (controls reached by the engine's member names and numeric dispatch ids),
// the font table of an instance, and the print functions. The instances and the functions belong
// to the host kit; a host installs them on its platform once (InstallEngineServices), and the copy
// and print dialogs of the panel find them there. Without them the dialogs offer no text.
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/Variant.h"

namespace quindel::platform {
class Platform;
class Form;
}  // namespace quindel::platform

namespace quindel::richtext {

// One entry of an instance's font table, the eleven fields in the order the engine passes them
// (the host kit's rich-text control gives each one's meaning).
struct FontFields {
    std::int32_t family = 1, charset = 0;
    std::string face;
    std::int32_t points = 12, pitch = 0, weight = 0, italic = 0, underline = 0, strike = 0,
                 codePage = 0, used = 0;
    bool operator==(const FontFields&) const = default;
};

class EngineServices {
  public:
    virtual ~EngineServices() = default;
    // A new engine instance on form, not shown.
    virtual Object NewInstance(platform::Form& form) = 0;
    virtual FontFields FontTableGet(const Object& instance, std::int16_t index) = 0;
    virtual void FontTablePut(const Object& instance, std::int16_t index,
                              const FontFields& entry) = 0;
    // The print functions; positions and sizes in twips, the handle an instance's member 146.
    virtual void ATX_PRINT_START(std::int32_t zero, std::int32_t hdc) = 0;
    virtual void ATX_PRINT_TITLE(const std::string& title) = 0;
    virtual void ATX_PRINT(const Object& instance, std::int32_t& page, std::int32_t top,
                           std::int32_t height, std::int32_t left, std::int32_t width,
                           std::int32_t zero, std::int32_t handle, std::int32_t zero2) = 0;
    virtual void ATX_PRINT_REGION(const Object& instance, std::int32_t& top, std::int32_t height,
                                  std::int32_t left, std::int32_t width, std::int32_t zero,
                                  std::int32_t handle, std::int32_t zero2) = 0;
    virtual void ATX_PRINT_FINISH() = 0;
};

// The services installed on platform p, or null.
EngineServices* EngineServicesOf(platform::Platform& p);
void InstallEngineServices(platform::Platform& p, std::shared_ptr<EngineServices> services);

}  // namespace quindel::richtext
