#include "viewer/ViewerArgs.h"

#include <charconv>

namespace quindel::viewer {

namespace {

std::optional<int> Milliseconds(const std::string& s) {
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < 0) return std::nullopt;
    return v;
}

}  // namespace

const char* const kViewerUsage =
    "usage: quindel-viewer [CONTENTDIR] [--shots OUTDIR] [--quit-after MS] [--show TYPE] "
    "[--fresh]\n"
    "  CONTENTDIR        a folder with ListaMM.lst, ListaLemmi.lst, the article and the objects;\n"
    "                    without it, the sample that comes with the viewer\n"
    "  --shots OUTDIR    write pictures of the window into OUTDIR, then quit\n"
    "  --quit-after MS   close the viewer after MS milliseconds\n"
    "  --show TYPE       open on the first object of that type (FO, MA, TA, F3, VI, AU, ...)\n"
    "  --fresh           open at the start, not where the last reading of the folder ended\n"
    "  --help            print this and quit\n";

ViewerArgs ParseViewerArgs(const std::vector<std::string>& args) {
    ViewerArgs a;
    bool contentGiven = false;
    for (std::size_t i = 0; i < args.size() && a.error.empty(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            a.help = true;
        } else if (arg == "--fresh") {
            a.fresh = true;
        } else if (arg == "--shots" && hasValue) {
            a.shots = args[++i];
        } else if (arg == "--quit-after" && hasValue) {
            a.quitAfterMs = Milliseconds(args[++i]);
            if (!a.quitAfterMs) a.error = "--quit-after wants milliseconds, not " + args[i];
        } else if (arg == "--show" && hasValue) {
            a.show = args[++i];
        } else if (arg.starts_with("--") || contentGiven) {
            a.error = "unexpected argument " + arg;
        } else {
            a.content = arg;
            contentGiven = true;
        }
    }
    return a;
}

}  // namespace quindel::viewer
