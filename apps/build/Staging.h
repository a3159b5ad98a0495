#pragma once
// The build's files gather in a staging folder inside the content folder (.quindel-build.<pid>,
// so on the same file system) until the whole build has succeeded; only then Commit renames them
// into place, each replacing its old file in one step. A file whose bytes are already there is
// left alone, keeping its time stamp. A build that fails, or a Staging destroyed without Commit,
// removes the staging folder and has changed nothing in the content folder.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quindel::build {

class Staging {
  public:
    explicit Staging(std::filesystem::path folder);
    ~Staging();
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;

    const std::filesystem::path& Folder() const { return staging_; }
    std::filesystem::path PathOf(const std::string& relative) const { return staging_ / relative; }
    // Stages bytes as `relative`; false (with the reason in *error) when it cannot.
    bool Write(const std::string& relative, std::string_view bytes, std::string* error);
    // A file written at PathOf(relative) by someone else. `knownNew`: it is known to differ from
    // the one in place, so Commit replaces it without comparing.
    void Adopt(const std::string& relative, bool knownNew = false) {
        staged_.push_back({relative, knownNew});
    }
    // Moves the staged files that differ from the content folder's into place.
    bool Commit(std::size_t* moved, std::string* error);

  private:
    std::filesystem::path folder_, staging_;
    struct Staged {
        std::string relative;
        bool knownNew = false;
    };
    std::vector<Staged> staged_;
};

// Whether `file` holds exactly `other`'s bytes.
bool SameBytes(const std::filesystem::path& file, const std::filesystem::path& other);

}  // namespace quindel::build
