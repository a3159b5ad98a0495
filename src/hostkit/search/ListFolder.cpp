#include "hostkit/search/ListFolder.h"

#include <fstream>
#include <string_view>
#include <vector>

#include "runtime/CodePage.h"

namespace quindel::hostkit {
namespace {

constexpr std::size_t kRecord = 1578;
constexpr std::size_t kTitleAt = 299, kTitleWidth = 255;
constexpr std::size_t kDescriptionAt = 554, kDescriptionWidth = 1024;
constexpr std::size_t kRecordsABlock = 4096;

std::string_view Trimmed(std::string_view field) {
    const auto end = field.find_last_not_of(std::string_view(" \0", 2));
    return end == std::string_view::npos ? std::string_view() : field.substr(0, end + 1);
}

// False when visit asked to stop.
bool ReadList(const std::filesystem::path& file, SearchList list, std::int64_t& visited,
              const std::function<bool(const SearchEntry&)>& visit) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> block(kRecord * kRecordsABlock);
    const std::string codePage = SystemCodePage();
    SearchEntry entry;
    entry.list = list;
    std::int64_t index = 0;
    while (in) {
        in.read(block.data(), std::streamsize(block.size()));
        const std::size_t records = std::size_t(in.gcount()) / kRecord;
        for (std::size_t r = 0; r < records; ++r, ++index) {
            const std::string_view rec(block.data() + r * kRecord, kRecord);
            entry.record = index;
            entry.title = DaCodePage(Trimmed(rec.substr(kTitleAt, kTitleWidth)), codePage);
            entry.description =
                DaCodePage(Trimmed(rec.substr(kDescriptionAt, kDescriptionWidth)), codePage);
            ++visited;
            if (!visit(entry)) return false;
        }
    }
    return true;
}

}  // namespace

std::filesystem::path ListFilePath(const std::string& folder, const char* name) {
    return std::filesystem::path(folder) / name;
}

std::int64_t ForEachListEntry(const std::string& folder,
                              const std::function<bool(const SearchEntry&)>& visit) {
    std::int64_t visited = 0;
    if (ReadList(ListFilePath(folder, kMultimediaListFile), SearchList::Multimedia, visited, visit))
        ReadList(ListFilePath(folder, kLinkedListFile), SearchList::Linked, visited, visit);
    return visited;
}

}  // namespace quindel::hostkit
