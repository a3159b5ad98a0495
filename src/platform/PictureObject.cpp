#include "platform/PictureObject.h"

#include <atomic>

#include "runtime/MemberBuilders.h"

namespace quindel::platform {

namespace {

class PictureObject : public TableDispatch {
  public:
    explicit PictureObject(Image picture) : picture_(std::move(picture)) {
        static std::atomic<std::int32_t> next{1};
        handle_ = next++;
        Members<> m(table());
        m.ReadOnly("Handle", 0, ParamType::Long, [this] { return handle_; });
        m.ReadOnly("Width", 0x2, ParamType::Long,
                   [this] { return std::int32_t(picture_.width()); });
        m.ReadOnly("Height", 0x3, ParamType::Long,
                   [this] { return std::int32_t(picture_.height()); });
    }
    std::string TypeName() const override { return "Picture"; }
    const Image& picture() const { return picture_; }

  private:
    Image picture_;
    std::int32_t handle_;
};

}  // namespace

Object MakePictureObject(Image picture) {
    return std::make_shared<PictureObject>(std::move(picture));
}

const Image* ImageOf(const Object& picture) {
    const auto* p = dynamic_cast<const PictureObject*>(picture.get());
    return p ? &p->picture() : nullptr;
}

}  // namespace quindel::platform
