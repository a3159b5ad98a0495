#pragma once
// A folder of this process's own for temporary output: made on first use with a name nobody can
// guess and room for its owner only (mkdtemp, mode 0700) under $XDG_RUNTIME_DIR when that is
// set, else the temporary folder, and removed with everything in it when the object goes. Files
// made inside it cannot have been planted by anyone else, so writing them follows no stranger's
// link. Path() is empty when no such folder could be made.
#include <string>

namespace quindel::platform {

// Where private folders are made: $XDG_RUNTIME_DIR when it is a folder of this user's that they
// may write, else the system's temporary folder ($TMPDIR, else /tmp).
std::string TemporaryParent();

class PrivateFolder {
  public:
    explicit PrivateFolder(std::string prefix = "quindel");
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::string& Path() const;
    // Path() joined with name, or empty when there is no folder.
    std::string File(const std::string& name) const;

  private:
    std::string prefix_;
    mutable std::string path_;
    mutable bool tried_ = false;
};

}  // namespace quindel::platform
