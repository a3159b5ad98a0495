#pragma once
// A picture reached by late binding, as pictures travel between controls (an image control's
// Picture, a MouseIcon): Width and Height in pixels, Handle a number that names it for as long as
// it lives. C++ code gets the pixels back with ImageOf.
#include <memory>

#include "platform/Image.h"
#include "runtime/Variant.h"

namespace quindel::platform {

Object MakePictureObject(Image picture);
// The picture behind an object made here, or null for Nothing and any other object.
const Image* ImageOf(const Object& picture);

}  // namespace quindel::platform
