#pragma once
// The viewer's command line:
//   quindel-viewer [CONTENTDIR] [--shots OUTDIR] [--quit-after MS] [--show TYPE]
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quindel::viewer {

struct ViewerArgs {
    std::filesystem::path content = "resources/sample";
    std::optional<std::filesystem::path> shots;  // write the pictures there, then quit
    std::optional<int> quitAfterMs;
    std::optional<std::string> show;  // open on the first object of this type (FO, VI, AU...)
    std::string error;  // what was wrong with the command line; empty when it was right
};

ViewerArgs ParseViewerArgs(const std::vector<std::string>& args);

}  // namespace quindel::viewer
