#pragma once
// Reading a content file whole for a display control, with the run-time errors the controls
// raise: 53 when there is no such file (or it is a folder), 75 when it cannot be read or is
// larger than any picture or movie the kit accepts (PictureFile.h's cap). `source` names the
// control in the error.
#include <string>

namespace quindel::hostkit {

std::string ReadContentFile(const std::string& nativePath, const char* source);

}  // namespace quindel::hostkit
