#pragma once
// Writes a content folder's search index (search.sqlite beside the lists), an SQLite database:
//   meta(key TEXT PRIMARY KEY, value TEXT)   ('version', '1'), ('content', <fingerprint>)
//   entries: FTS5 (title, description, list UNINDEXED, record UNINDEXED, label UNINDEXED),
//            tokenizer "unicode61 remove_diacritics 2", prefixes of 1 to 6 characters indexed:
//            a typed word up to that long is read from a list of its own, in record order, and
//            the reader stops at its bound, where a longer one merges the lists of every word
//            it begins.
// title and description hold the texts as FoldLetters leaves them (what is matched); label holds
// the title as written, for showing a result. list is 0 for the multimedia list, 1 for the
// linked entries; record the 0-based record index.
// Writing is atomic: the index is built in a new file beside the target, in one transaction,
// and renamed over it only when complete, so a reader sees the old index or the new one.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hostkit/search/ListFolder.h"

namespace quindel::hostkit {

inline constexpr int kSearchIndexVersion = 1;

class SearchIndexWriter {
  public:
    // Starts a new index for `path` (a native path). Error() tells when it could not. `synced`:
    // Commit waits for the data to reach the disk before renaming; a caller that writes other
    // files unsynced beside it (the content builder) gains nothing from the wait.
    explicit SearchIndexWriter(const std::string& path, bool synced = true);
    ~SearchIndexWriter();  // without Commit, the partial file is removed
    SearchIndexWriter(const SearchIndexWriter&) = delete;
    SearchIndexWriter& operator=(const SearchIndexWriter&) = delete;

    bool Add(const SearchEntry& entry);
    // Merges what was added into one segment, the bulk of the index's writing. Commit does it
    // when nobody did; a writer on a thread of its own does it before the fingerprint is known.
    bool Merge();
    // Stamps the index with the content's fingerprint, finishes it and puts it in place; false
    // (with Error()) when anything failed. The fingerprint comes last so that the index can be
    // written while the lists it describes are still being written.
    bool Commit(const std::string& fingerprint);
    const std::string& Error() const { return error_; }

  private:
    struct Db;
    bool Fail(const std::string& what);
    std::unique_ptr<Db> db_;
    std::string path_, temp_, error_;
    bool synced_ = true, merged_ = false;
};

// The whole index in one call; an empty text on success, else what failed.
std::string WriteSearchIndex(const std::string& path, const std::vector<SearchEntry>& records,
                             const std::string& fingerprint);

// The index of a content folder's own lists, written to <folder>/search.sqlite and stamped with
// ContentFingerprint(folder); reads the lists record by record.
std::string WriteSearchIndexForFolder(const std::string& folder);

}  // namespace quindel::hostkit
