// Writes the control's type library text (its dispatch and event interfaces with every member's
// dispatch id), produced from the control's own member table.
//   quindel-typelib OUTFILE
#include <cstdio>
#include <fstream>

#include "control/Quindel.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quindel-typelib OUTFILE\n");
        return 2;
    }
    quindel::headless::HeadlessPlatform p;
    auto host = p.NewForm();
    auto q = quindel::Quindel::Crea(p, *host);
    std::ofstream out(argv[1], std::ios::binary);
    out << q->TypeLibrary();
    return out ? 0 : 1;
}
