#pragma once
// What the builder remembers between runs, in .quindel-build.cache beside the manifest:
// - the probe of every object file, keyed by its path, size and time stamp, so an unchanged file
//   is never opened again;
// - the key of every packed file it wrote (its members' names and stamps), so an unchanged packed
//   file is kept as it is;
// - the stamp of the last build: a hash of the manifest's bytes and of the stamps of every file
//   the build read or wrote. When a run computes the same stamp nothing has changed, and the run
//   ends there, having read the manifest and the cache and looked at each file's stamp.
// - the key of the records each list was made from, and the stamp of the search index it wrote,
//   so a list whose records changed is replaced without being compared, and an index whose
//   records did not change is kept.
// A cache that is missing or damaged is treated as empty: it only ever saves work.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "build/FileProbe.h"

namespace quindel::build {

inline constexpr const char* kCacheName = ".quindel-build.cache";

struct CachedProbe {
    FileStamp stamp;
    ProbeResult probe;
};

struct BuildCache {
    std::uint64_t buildStamp = 0;
    std::vector<std::string> watched;  // paths relative to the content folder
    std::map<std::string, CachedProbe> probes;
    std::map<std::string, std::uint64_t> packed;
    std::map<std::string, std::uint64_t> records;  // list file -> key of its records
    FileStamp index;

    static BuildCache Load(const std::filesystem::path& file);
    // Written to a new file renamed over the old one. False when it cannot be written.
    bool Save(const std::filesystem::path& file) const;
};

// The key of a build's inputs other than files: the manifest's bytes and the settings that
// change the output.
std::uint64_t InputsKey(std::string_view manifestBytes, std::string_view settings);

// The stamp of a build: its inputs' key and the stamps of the watched files.
std::uint64_t BuildStamp(std::uint64_t inputsKey, const std::filesystem::path& folder,
                         const std::vector<std::string>& watched);

}  // namespace quindel::build
