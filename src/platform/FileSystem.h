#pragma once
// Files as content sees them. Content and callers write paths with backslashes and were authored
// on a case-insensitive system: "\" maps to "/", and each part of a path that does not exist as
// spelled is looked up case-insensitively in its folder. Also the component's own folder and
// program name, which a host may override (an installed library folder is usually read-only).
#include <string>
#include <string_view>

namespace quindel::platform {

class FileSystem {
  public:
    // The native path for a content path. Parts that exist nowhere are kept as written.
    std::string Resolve(std::string_view path) const;
    // True when the path, whose last part may hold the wildcards * and ?, names at least one
    // normal file: not a folder, not hidden (a name starting with "."). Never throws; an empty
    // or malformed path gives false.
    bool ExistsNormalFile(std::string_view pattern) const;

    // The component's folder: the host's override, else $QUINDEL_FOLDER, else the folder of the
    // loaded library. No trailing separator.
    std::string ComponentFolder() const;
    void setComponentFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string& ProgramName() const { return programName_; }
    void setProgramName(std::string name) { programName_ = std::move(name); }

  private:
    std::string folder_;
    std::string programName_ = "Quindel2";
};

// Case-insensitive match of a name against a pattern with * and ? (over code points).
bool MatchWildcard(std::string_view pattern, std::string_view name);

}  // namespace quindel::platform
