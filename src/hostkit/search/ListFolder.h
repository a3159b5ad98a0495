#pragma once
// The two list files of a content folder as the search sees them: their names, and a streaming
// read of each record's list, index, title and description, decoded from the system code page,
// without holding the list in memory. A record is 1578 bytes; the title is the text the list
// window shows (299, 255 bytes), the description the object's caption (554, 1024 bytes). These
// offsets mirror the list writer's layout, which a test checks; a partial last record is skipped.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace quindel::hostkit {

inline constexpr const char* kMultimediaListFile = "ListaMM.lst";
inline constexpr const char* kLinkedListFile = "ListaLemmi.lst";
inline constexpr const char* kSearchIndexFile = "search.sqlite";

// Which list a record belongs to; the numbers are the ones the index stores.
enum class SearchList : std::int32_t { Multimedia = 0, Linked = 1 };

// One record as the index holds it (UTF-8, trailing blanks and NULs removed).
struct SearchEntry {
    SearchList list = SearchList::Multimedia;
    std::int64_t record = 0;  // 0-based index in its list file
    std::string title, description;
};

std::filesystem::path ListFilePath(const std::string& folder, const char* name);

// Calls visit for every whole record of both lists of `folder`, the multimedia list first.
// Stops early when visit returns false. A missing list is read as empty. Returns the number of
// records visited.
std::int64_t ForEachListEntry(const std::string& folder,
                              const std::function<bool(const SearchEntry&)>& visit);

}  // namespace quindel::hostkit
