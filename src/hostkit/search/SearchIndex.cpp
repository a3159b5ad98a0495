#include "hostkit/search/SearchIndex.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "hostkit/search/SearchIndexWriter.h"
#include "hostkit/search/SearchText.h"

namespace quindel::hostkit {

struct SearchIndex::Db {
    sqlite3* db = nullptr;
    sqlite3_stmt* find = nullptr;
    ~Db() {
        sqlite3_finalize(find);
        sqlite3_close(db);
    }
    std::string Meta(const char* key) const {
        sqlite3_stmt* s = nullptr;
        std::string value;
        if (sqlite3_prepare_v2(db, "SELECT value FROM meta WHERE key = ?1", -1, &s, nullptr) ==
            SQLITE_OK) {
            sqlite3_bind_text(s, 1, key, -1, SQLITE_STATIC);
            if (sqlite3_step(s) == SQLITE_ROW && sqlite3_column_text(s, 0))
                value = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        }
        sqlite3_finalize(s);
        return value;
    }
};

SearchIndex::SearchIndex() = default;
SearchIndex::~SearchIndex() = default;
SearchIndex::SearchIndex(SearchIndex&&) noexcept = default;
SearchIndex& SearchIndex::operator=(SearchIndex&&) noexcept = default;

bool SearchIndex::Open(const std::string& path) {
    db_.reset();
    fingerprint_.clear();
    std::error_code ec;
    // SQLite would create a missing file even read-only in some builds: ask first.
    if (!std::filesystem::is_regular_file(path, ec)) {
        error_ = "no search index at " + path;
        return false;
    }
    auto db = std::make_unique<Db>();
    if (sqlite3_open_v2(path.c_str(), &db->db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        error_ = "cannot open the search index " + path + ": " + sqlite3_errmsg(db->db);
        return false;
    }
    const std::string version = db->Meta("version");
    if (version != std::to_string(kSearchIndexVersion)) {
        error_ = "not a search index of version " + std::to_string(kSearchIndexVersion) + ": " +
                 path + (version.empty() ? "" : " (version " + version + ")");
        return false;
    }
    // No ORDER BY: FTS5 then walks the matches in list order and stops at the limit, where
    // ranking would score every match (a million for a single letter).
    if (sqlite3_prepare_v2(db->db,
                           "SELECT list, record, label, bm25(entries, 10.0, 1.0) FROM entries "
                           "WHERE entries MATCH ?1 LIMIT ?2",
                           -1, &db->find, nullptr) != SQLITE_OK) {
        error_ = "damaged search index " + path + ": " + sqlite3_errmsg(db->db);
        return false;
    }
    fingerprint_ = db->Meta("content");
    error_.clear();
    db_ = std::move(db);
    return true;
}

std::vector<SearchHit> SearchIndex::Find(const std::string& typed, int limit) const {
    const std::string query = MatchExpression(typed);
    if (!db_ || query.empty() || limit <= 0) return {};
    // The first candidates in list order, ranked by bm25: when fewer match than the bound,
    // that is the exact ranking of all matches.
    sqlite3_stmt* s = db_->find;
    sqlite3_bind_text(s, 1, query.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(s, 2, std::max(limit, kCandidates));
    std::vector<std::pair<double, SearchHit>> found;
    while (sqlite3_step(s) == SQLITE_ROW) {
        SearchHit hit;
        hit.list = sqlite3_column_int(s, 0) == 1 ? SearchList::Linked : SearchList::Multimedia;
        hit.record = sqlite3_column_int64(s, 1);
        if (const unsigned char* t = sqlite3_column_text(s, 2))
            hit.title = reinterpret_cast<const char*>(t);
        found.emplace_back(sqlite3_column_double(s, 3), std::move(hit));
    }
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SearchHit> hits;
    for (std::size_t i = 0; i < found.size() && int(i) < limit; ++i)
        hits.push_back(std::move(found[i].second));
    return hits;
}

}  // namespace quindel::hostkit
