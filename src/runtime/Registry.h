#pragma once
// The component registry: which library implements which class, by class id and program id,
// with the class's interfaces and type library. One text file per registry; the per-user
// registry wins over the system-wide one.
//
// File format (UTF-8, one entry a line, fields separated by tabs; a tab, a line break or a
// backslash inside a field is written \t, \n, \r or \\):
//   quindel-registry  1
//   class      {clsid}  name  progid   library-path  {typelib}
//   interface  {iid}    name  {typelib}
//   typelib    {libid}  name  version  library-path
//   end        N        (the number of entries above: a file cut short is detected)
// Lines starting with # are comments. Anything else is a corrupt file: reading it fails with a
// RegistryError naming the file and the line, never with a partial result. A relative library
// path is taken from the registry file's folder, so a package's drop-in file (below) names its
// library wherever the installed tree lies.
//
// Writes are atomic (a temporary file in the same folder, flushed to disk, renamed over the
// registry) and serialised between processes and threads by flock on "<file>.lock" around the
// whole read-modify-write, so two registrations at once both land and never corrupt the file.
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Guid.h"

namespace quindel::component {

struct ClassEntry {
    Guid clsid;
    std::string name;
    std::string progId;
    std::string library;
    Guid typeLib;
    bool operator==(const ClassEntry&) const = default;
};

struct InterfaceEntry {
    Guid iid;
    std::string name;
    Guid typeLib;
    bool operator==(const InterfaceEntry&) const = default;
};

struct TypeLibEntry {
    Guid libid;
    std::string name;
    std::string version;
    std::string library;
    bool operator==(const TypeLibEntry&) const = default;
};

struct RegistryData {
    std::vector<ClassEntry> classes;
    std::vector<InterfaceEntry> interfaces;
    std::vector<TypeLibEntry> typeLibs;

    const ClassEntry* FindClass(const Guid& clsid) const;
    // Program ids compare case-insensitively (ASCII).
    const ClassEntry* FindProgId(std::string_view progId) const;
    const InterfaceEntry* FindInterface(const Guid& iid) const;
    const TypeLibEntry* FindTypeLib(const Guid& libid) const;

    // Replaces an entry with the same id; a class also takes its program id from any other.
    void Put(ClassEntry e);
    void Put(InterfaceEntry e);
    void Put(TypeLibEntry e);
    // Whether something was removed.
    bool RemoveClass(const Guid& clsid);
    bool RemoveInterface(const Guid& iid);
    bool RemoveTypeLib(const Guid& libid);

    bool Empty() const { return classes.empty() && interfaces.empty() && typeLibs.empty(); }
    bool operator==(const RegistryData&) const = default;
};

// A registry file that cannot be read, parsed or written; what() names the file.
class RegistryError : public std::runtime_error {
  public:
    RegistryError(const std::filesystem::path& file, const std::string& problem);
    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
};

class RegistryFile {
  public:
    explicit RegistryFile(std::filesystem::path file) : file_(std::move(file)) {}
    const std::filesystem::path& Path() const { return file_; }

    // Empty data when the file does not exist.
    RegistryData Read() const;
    // Under the lock: reads, applies change, writes the result atomically. The folder is made
    // when missing. A change that throws leaves the file as it was.
    void Update(const std::function<void(RegistryData&)>& change) const;

    static std::string Format(const RegistryData& data);
    // `file` only names the source in errors.
    static RegistryData Parse(std::string_view text, const std::filesystem::path& file);

  private:
    std::filesystem::path file_;
};

// $XDG_DATA_HOME/quindel/registry, or ~/.local/share/quindel/registry.
std::filesystem::path UserRegistryPath();
// <prefix>/share/quindel/registry, for the prefix the runtime library is installed under;
// the variable QUINDEL_SYSTEM_REGISTRY, when set, names another file.
std::filesystem::path SystemRegistryPath();

// <system registry>.d: a folder of drop-in files, one per installed component (`NAME.reg`, the
// format above), as packages install them; nobody writes them at run time.
std::filesystem::path DropInFolder();
// The `*.reg` files in the folder, in file-name order; hidden files, other names (a package
// manager's `.reg.dpkg-new` and the like) and anything that is not a file are left out. None when
// the folder does not exist.
std::vector<RegistryFile> DropInRegistries(const std::filesystem::path& folder);

// Points every lookup and every registration of this process at one registry file (tools and
// tests); nullopt goes back to the environment. Without an override the variable
// QUINDEL_REGISTRY, when set, names that one file; otherwise lookups read the user registry, then
// the system registry, then the drop-in files, and registrations write the user registry.
void SetRegistryOverride(std::optional<std::filesystem::path> file);
// In the order they are consulted.
std::vector<RegistryFile> LookupRegistries();
RegistryFile RegistrationTarget();

}  // namespace quindel::component
