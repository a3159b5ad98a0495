#pragma once
// Files as content sees them. Content and callers write paths with backslashes and were authored
// on a case-insensitive system: "\" maps to "/", and each part of a path that does not exist as
// spelled is looked up case-insensitively in its folder. Also the component's own folder and
// program name, which a host may override, and where the component's own files go: its log, its
// temporary files and its data (the message catalogue).
#include <string>
#include <string_view>
#include <vector>

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
    // loaded library (empty when that cannot be told). No trailing separator.
    std::string ComponentFolder() const;
    void setComponentFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string& ProgramName() const { return programName_; }
    void setProgramName(std::string name) { programName_ = std::move(name); }

    // True when the host named the component's folder (or $QUINDEL_FOLDER does): the log, the
    // temporary files and the catalogue then all lie in it, as they always did. Otherwise each
    // goes where Linux expects it, as the three calls below say.
    bool FilesBesideComponent() const;
    // The log's folder: the host's setLogFolder, else the component's folder when files lie
    // beside it, else $XDG_STATE_HOME/quindel (an absolute one), else ~/.local/state/quindel, the
    // last two made (mode 0700) when missing. Empty when there is none.
    std::string LogFolder() const;
    void setLogFolder(std::string folder) { logFolder_ = std::move(folder); }
    // Where extracted objects go: the component's folder when files lie beside it, else this
    // process's private folder (ProcessFolder). Empty when none can be made.
    std::string TemporaryFolder() const;
    // Where the catalogue is looked for, in order: the component's folder and its parent when
    // files lie beside it; else the loaded library's folder (a build tree) and the data folder
    // installed with it (<libdir>/../share/quindel). Never the current folder.
    std::vector<std::string> DataFolders() const;

  private:
    std::string folder_;
    std::string logFolder_;
    std::string programName_ = "Quindel2";
};

// Case-insensitive match of a name against a pattern with * and ? (over code points).
bool MatchWildcard(std::string_view pattern, std::string_view name);

}  // namespace quindel::platform
