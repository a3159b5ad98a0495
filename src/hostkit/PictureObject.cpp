#include "hostkit/PictureObject.h"

#include <atomic>

#include "platform/PictureBox.h"
#include "platform/WindowObject.h"
#include "runtime/MemberBuilders.h"

namespace quindel::hostkit {

namespace {

std::int32_t NextHandle() {
    // Handles only tell pictures apart; they never index anything.
    static std::atomic<std::int32_t> next{0x10000};
    return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

PictureObject::PictureObject(platform::Image image)
    : image_(std::move(image)), handle_(image_.empty() ? 0 : NextHandle()) {
    using PT = ParamType;
    Members<PictureObject> m(table(), this);
    m.ReadOnly("Width", 0x68020001, PT::Long, [this] { return std::int32_t(image_.width()); });
    m.ReadOnly("Height", 0x68020002, PT::Long, [this] { return std::int32_t(image_.height()); });
    m.ReadOnly("Handle", 0x68020003, PT::Long, [this] { return handle_; });
}

std::shared_ptr<PictureObject> MakePictureObject(platform::Image image) {
    return std::make_shared<PictureObject>(std::move(image));
}

const platform::Image* PictureOf(const Object& obj) {
    if (auto* picture = dynamic_cast<PictureObject*>(obj.get())) return &picture->image();
    platform::Window* w = platform::WindowOf(obj);
    if (w && w->Kind() == platform::WindowKind::PictureBox)
        return &static_cast<platform::PictureBox*>(w)->Surface();
    return nullptr;
}

}  // namespace quindel::hostkit
