#include "richtext/EngineServices.h"

#include "platform/Platform.h"

namespace quindel::richtext {

EngineServices* EngineServicesOf(platform::Platform& p) {
    return p.Service<EngineServices>();
}

void InstallEngineServices(platform::Platform& p, std::shared_ptr<EngineServices> services) {
    p.setService(std::move(services));
}

}  // namespace quindel::richtext
