#include "richtext/EngineServices.h"

#include "platform/Platform.h"

namespace quindel::richtext {

namespace {
constexpr const char* kServiceName = "quindel.richtext.services";
}

EngineServices* EngineServicesOf(platform::Platform& p) {
    return static_cast<EngineServices*>(p.Service(kServiceName).get());
}

void InstallEngineServices(platform::Platform& p, std::shared_ptr<EngineServices> services) {
    p.setService(kServiceName, std::move(services));
}

}  // namespace quindel::richtext
