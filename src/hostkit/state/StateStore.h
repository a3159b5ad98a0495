#pragma once
// Keeps reading states between runs: one file a content folder under $XDG_STATE_HOME/quindel/
// (~/.local/state/quindel/ when the variable is unset, empty or not absolute), named by a hash of
// the folder's canonical path. Writing is atomic (a new file renamed over the old one). Loading
// never fails the caller: a missing file gives nothing, a damaged one or one saved for other
// content gives nothing and a warning that says why.
#include <filesystem>
#include <optional>
#include <string>

#include "hostkit/state/ReadingState.h"

namespace quindel::hostkit {

std::filesystem::path StateFolder();
// The state file of a content folder (which need not exist).
std::filesystem::path StateFileFor(const std::filesystem::path& contentFolder);

// Saves `state` for `contentFolder`; an empty text on success, else what failed.
std::string SaveReadingState(const std::filesystem::path& contentFolder, const ReadingState& state);

struct LoadedState {
    std::optional<ReadingState> state;  // set when a usable state was found
    std::string warning;                // set when a state file was there but is not usable
};

// The state saved for `contentFolder`, when its fingerprint is `fingerprint`.
LoadedState LoadReadingState(const std::filesystem::path& contentFolder,
                             const std::string& fingerprint);

}  // namespace quindel::hostkit
