// quindel-samplegen OUTDIR: writes the bundled sample entry (lists, article text, README).
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "SampleFiles.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quindel-samplegen OUTDIR\n");
        return 2;
    }
    // The sample is Polish content for a Windows-1250 system; pinning the page keeps the bytes
    // the same whatever the caller's environment says.
    setenv("QUINDEL_CODEPAGE", "CP1250", 1);
    try {
        quindel::samplegen::WriteSampleFiles(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quindel-samplegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
