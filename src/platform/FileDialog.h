#pragma once
// The file chooser. Contract (what a backend must do, what a caller may rely on):
// - Ask shows a modal chooser and waits: for Open, a file that exists; for Save, a name to write
//   (a desktop backend may ask before replacing a file). It returns the chosen path, or nullopt
//   when the user cancelled. A backend that cannot ask anyone answers nullopt.
// - The question carries a title, filters (the first is chosen at the start), a start folder and
//   a proposed name, each of which may be empty (the backend then chooses).
// - Paths are UTF-8; a backend gives back the path as its user chose it.
// - Calls come from the user-interface thread only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quindel::platform {

enum class FileDialogMode : std::uint8_t { Open, Save };

struct FileFilter {
    std::string description;  // "Rich text"
    std::string patterns;     // "*.rtf;*.txt"
    bool operator==(const FileFilter&) const = default;
};

struct FileQuestion {
    FileDialogMode mode = FileDialogMode::Open;
    std::string title;
    std::vector<FileFilter> filters;
    std::string folder;  // where the chooser starts
    std::string name;    // the file name proposed
    bool operator==(const FileQuestion&) const = default;
};

class FileDialog {
  public:
    virtual ~FileDialog() = default;
    virtual std::optional<std::string> Ask(const FileQuestion& question) = 0;

    // Filters from the classic "description|patterns|description|patterns" text; a description
    // without patterns is dropped.
    static std::vector<FileFilter> ParseFilters(std::string_view classic) {
        std::vector<FileFilter> out;
        std::vector<std::string> parts;
        for (std::size_t from = 0;;) {
            const std::size_t bar = classic.find('|', from);
            parts.emplace_back(classic.substr(from, bar - from));
            if (bar == std::string_view::npos) break;
            from = bar + 1;
        }
        for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
            if (!parts[i + 1].empty()) out.push_back({parts[i], parts[i + 1]});
        return out;
    }
};

}  // namespace quindel::platform
