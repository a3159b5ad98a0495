#pragma once
// The host kit's side of the rich-text engine services: instances are hidden rich-text boxes on
// the asking form, the font table is the box's, and the print functions print on the platform's
// printer. InstallHostEngineServices puts them on a platform once; a host calls it before it
// creates the panel, so the panel's copy and print dialogs can work with text.
#include "richtext/EngineServices.h"

namespace quindel::platform {
class Platform;
}

namespace quindel::hostkit {

class HostEngineServices : public richtext::EngineServices {
  public:
    explicit HostEngineServices(platform::Platform& p) : platform_(p) {}

    Object NewInstance(platform::Form& form) override;
    richtext::FontFields FontTableGet(const Object& instance, std::int16_t index) override;
    void FontTablePut(const Object& instance, std::int16_t index,
                      const richtext::FontFields& entry) override;
    void ATX_PRINT_START(std::int32_t zero, std::int32_t hdc) override;
    void ATX_PRINT_TITLE(const std::string& title) override;
    void ATX_PRINT(const Object& instance, std::int32_t& page, std::int32_t top,
                   std::int32_t height, std::int32_t left, std::int32_t width, std::int32_t zero,
                   std::int32_t handle, std::int32_t zero2) override;
    void ATX_PRINT_REGION(const Object& instance, std::int32_t& top, std::int32_t height,
                          std::int32_t left, std::int32_t width, std::int32_t zero,
                          std::int32_t handle, std::int32_t zero2) override;
    void ATX_PRINT_FINISH() override;

  private:
    platform::Platform& platform_;
};

void InstallHostEngineServices(platform::Platform& p);

}  // namespace quindel::hostkit
