// quindel-build: builds a content folder from its manifest. See ContentBuilder.h and the README.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "build/ContentBuilder.h"
#include "build/Manifest.h"
#include "build/Proposal.h"

namespace {

namespace fs = std::filesystem;
using namespace quindel::build;

constexpr const char* kUsage =
    "usage: quindel-build [--check] [--jobs N] [DIR]\n"
    "       quindel-build --propose DIR\n"
    "Builds the content folder DIR (default: the current folder) from DIR/quindel.toml: the list\n"
    "files, position files, packed files, the article and the search index, beside the media.\n"
    "  --check     report what is wrong, write nothing\n"
    "  --jobs N    probe and pack on N threads (default: one per core)\n"
    "  --propose   write DIR/quindel.toml proposed from the files in DIR\n"
    "Exit: 0 built (warnings at most), 1 errors in the content, 2 usage, 3 a write failed,\n"
    "4 a manifest was proposed and nothing built.\n";

struct Args {
    fs::path folder = ".";
    bool check = false, propose = false;
    unsigned jobs = 0;
};

bool Parse(int argc, char** argv, Args& a) {
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--check")
            a.check = true;
        else if (arg == "--propose")
            a.propose = true;
        else if (arg == "--jobs" && i + 1 < argc)
            a.jobs = unsigned(std::strtoul(argv[++i], nullptr, 10));
        else if (arg.starts_with("-") || folderGiven)
            return false;
        else
            a.folder = arg, folderGiven = true;
    }
    return !(a.propose && a.check);
}

int Propose(const Args& a) {
    const fs::path manifest = a.folder / kManifestName;
    if (fs::exists(manifest)) {
        std::fprintf(stderr, "quindel-build: %s exists; not replaced\n", manifest.c_str());
        return 2;
    }
    std::ofstream(manifest, std::ios::binary) << ProposeManifest(a.folder, a.jobs);
    std::fprintf(stderr,
                 "quindel-build: proposed %s from the folder's files: edit it (titles, captions, "
                 "order), then run quindel-build again\n",
                 manifest.c_str());
    return 4;
}

}  // namespace

int main(int argc, char** argv) {
    Args a;
    if (!Parse(argc, argv, a)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!fs::is_directory(a.folder)) {
        std::fprintf(stderr, "quindel-build: %s is not a folder\n", a.folder.c_str());
        return 2;
    }
    if (a.propose || (!a.check && !fs::exists(a.folder / kManifestName))) return Propose(a);
    const BuildReport report = BuildContent({a.folder, a.check, a.jobs});
    for (const Diagnostic& d : report.diagnostics.Items())
        std::fprintf(stderr, "%s\n", d.Text().c_str());
    if (!report.failure.empty())
        std::fprintf(stderr, "quindel-build: %s; the folder is as it was\n",
                     report.failure.c_str());
    std::fprintf(stderr, "quindel-build: %s%s\n", a.check ? "checked: " : "",
                 report.Summary().c_str());
    return report.ExitCode();
}
