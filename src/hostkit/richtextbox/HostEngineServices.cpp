#include "hostkit/richtextbox/HostEngineServices.h"

#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/richtextbox/RichTextFunctions.h"
#include "hostkit/richtextbox/RichTextPrint.h"
#include "platform/Form.h"
#include "platform/Platform.h"

namespace quindel::hostkit {

Object HostEngineServices::NewInstance(platform::Form& form) {
    auto box = platform_.NewChild<RichTextBox>(form);
    box->setVisible(false);
    return box;
}

richtext::FontFields HostEngineServices::FontTableGet(const Object& instance, std::int16_t index) {
    return hostkit::FontTableGet(instance, index);
}

void HostEngineServices::FontTablePut(const Object& instance, std::int16_t index,
                                      const richtext::FontFields& entry) {
    hostkit::FontTablePut(instance, index, entry);
}

void HostEngineServices::ATX_PRINT_START(std::int32_t zero, std::int32_t hdc) {
    hostkit::ATX_PRINT_START(platform_, zero, hdc);
}

void HostEngineServices::ATX_PRINT_TITLE(const std::string& title) {
    hostkit::ATX_PRINT_TITLE(platform_, title);
}

void HostEngineServices::ATX_PRINT(const Object& instance, std::int32_t& page, std::int32_t top,
                                   std::int32_t height, std::int32_t left, std::int32_t width,
                                   std::int32_t zero, std::int32_t handle, std::int32_t zero2) {
    hostkit::ATX_PRINT(platform_, instance, page, top, height, left, width, zero, handle, zero2);
}

void HostEngineServices::ATX_PRINT_REGION(const Object& instance, std::int32_t& top,
                                          std::int32_t height, std::int32_t left,
                                          std::int32_t width, std::int32_t zero,
                                          std::int32_t handle, std::int32_t zero2) {
    hostkit::ATX_PRINT_REGION(platform_, instance, top, height, left, width, zero, handle, zero2);
}

void HostEngineServices::ATX_PRINT_FINISH() {
    hostkit::ATX_PRINT_FINISH(platform_);
}

void InstallHostEngineServices(platform::Platform& p) {
    richtext::InstallEngineServices(p, std::make_shared<HostEngineServices>(p));
}

}  // namespace quindel::hostkit
