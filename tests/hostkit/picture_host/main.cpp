// A host that shows pictures and nothing else, built against the host kit's picture room alone: it
// places a picture control on a headless form, loads the picture named on its command line by
// late binding, as a panel would, and prints the picture's size.
#include <cstdio>

#include "hostkit/picture/PictureControl.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/VbError.h"

int main(int argc, char** argv) {
    using namespace quindel;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PICTURE\n", argv[0]);
        return 2;
    }
    try {
        headless::HeadlessPlatform platform;
        auto form = platform.NewForm();
        const Object picture = platform.NewChild<hostkit::PictureControl>(*form);
        LetProperty(picture, "FileName", std::string(argv[1]));
        std::printf("picture %d x %d\n", CLng(GetProperty(picture, "IWidth")),
                    CLng(GetProperty(picture, "IHeight")));
    } catch (const VbError& e) {
        std::printf("run-time error %d: %s\n", e.number(), e.description().c_str());
        return 1;
    }
    return 0;
}
