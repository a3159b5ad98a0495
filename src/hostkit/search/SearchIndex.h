#pragma once
// Reads a content folder's search index (see SearchIndexWriter.h) without loading the lists:
// find-as-you-type over titles and descriptions. Every word typed must match the start of a word
// of the record (case, diacritics and letters such as ł folded). Results come best first by
// FTS5's bm25, a match in the title weighing ten times one in the description. So that a
// keystroke costs about the same over a million records, only the first kCandidates matches in
// list order are ranked; with fewer matches than that the ranking is exact. At most `limit`
// results are returned.
// What the person types is never read as query syntax. A missing, damaged or foreign file fails
// Open with a reason; a query on a failed index returns nothing.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hostkit/search/ListFolder.h"

namespace quindel::hostkit {

struct SearchHit {
    SearchList list = SearchList::Multimedia;
    std::int64_t record = 0;  // 0-based
    std::string title;        // as written in the list
};

class SearchIndex {
  public:
    SearchIndex();
    ~SearchIndex();
    SearchIndex(SearchIndex&&) noexcept;
    SearchIndex& operator=(SearchIndex&&) noexcept;

    // Opens the index file at `path` read-only; false (and Error()) when it is missing, is no
    // index of ours or has another version.
    bool Open(const std::string& path);
    bool IsOpen() const { return db_ != nullptr; }
    const std::string& Error() const { return error_; }
    // The content fingerprint the index was written for.
    const std::string& Fingerprint() const { return fingerprint_; }

    std::vector<SearchHit> Find(const std::string& typed, int limit) const;

    static constexpr int kCandidates = 64;

  private:
    struct Db;
    std::unique_ptr<Db> db_;
    std::string error_, fingerprint_;
};

}  // namespace quindel::hostkit
