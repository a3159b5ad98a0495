#pragma once
// A picture as an object: what a display control hands out as its Picture and takes as its
// MouseIcon. Members (dispatch ids):
//   Width  0x68020001  read-only, pixels
//   Height 0x68020002  read-only, pixels
//   Handle 0x68020003  read-only: non-zero for a non-empty picture, unique among the picture
//                      objects of the process; 0 for an empty one
// C++ readers (the copy dialog, a printer) take the pixels through image().
#include <memory>

#include "platform/Image.h"
#include "runtime/DispatchTable.h"

namespace quindel::hostkit {

class PictureObject : public TableDispatch {
  public:
    explicit PictureObject(platform::Image image);

    const platform::Image& image() const { return image_; }
    std::string TypeName() const override { return "Picture"; }

  private:
    platform::Image image_;
    std::int32_t handle_;
};

std::shared_ptr<PictureObject> MakePictureObject(platform::Image image);

// The pixels behind an object given as a picture: a PictureObject, or a platform picture box
// (its drawing). Null for Nothing and for any other object.
const platform::Image* PictureOf(const Object& obj);

}  // namespace quindel::hostkit
