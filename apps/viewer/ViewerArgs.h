#pragma once
// The viewer's command line:
//   quindel-viewer [CONTENTDIR] [--shots OUTDIR] [--quit-after MS] [--show TYPE] [--fresh]
//   quindel-viewer --help
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quindel::viewer {

struct ViewerArgs {
    // Absent: the bundled sample, found beside the program (SampleFolder.h).
    std::optional<std::filesystem::path> content;
    std::optional<std::filesystem::path> shots;  // write the pictures there, then quit
    std::optional<int> quitAfterMs;
    std::optional<std::string> show;  // open on the first object of this type (FO, VI, AU...)
    bool fresh = false;  // ignore the reading state saved for the folder (it is still saved)
    bool help = false;   // print the usage and stop
    std::string error;   // what was wrong with the command line; empty when it was right
};

ViewerArgs ParseViewerArgs(const std::vector<std::string>& args);

// What the command line takes, for --help and for a command line that was wrong.
extern const char* const kViewerUsage;

}  // namespace quindel::viewer
