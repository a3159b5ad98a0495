#pragma once
// What the builder has to say about a manifest and its files. Every message names the file it is
// about and, where there is one, the manifest's field and line, so an author can go straight to
// it: "quindel.toml:12: error: object 3 'Kraków', caption: ...". Errors stop the build before
// anything is written; warnings are reported and the build goes on.
#include <cstdint>
#include <string>
#include <vector>

namespace quindel::build {

enum class Severity { Warning, Error };

struct Diagnostic {
    Severity severity = Severity::Error;
    std::string file;       // the manifest, or the media file the message is about
    std::int64_t line = 0;  // in the manifest; 0 when none applies
    std::string where;      // "object 3 'Kraków'", "entry", "link 2"; may be empty
    std::string field;      // "caption"; may be empty
    std::string message;

    std::string Text() const;
};

class Diagnostics {
  public:
    void Add(Diagnostic d) { items_.push_back(std::move(d)); }
    void Error(std::string file, std::int64_t line, std::string where, std::string field,
               std::string message);
    void Warning(std::string file, std::int64_t line, std::string where, std::string field,
                 std::string message);

    bool HasErrors() const;
    std::size_t Count(Severity s) const;
    const std::vector<Diagnostic>& Items() const { return items_; }
    // Sorted by file and line, so messages read in manifest order whatever thread found them.
    void Sort();

  private:
    std::vector<Diagnostic> items_;
};

}  // namespace quindel::build
