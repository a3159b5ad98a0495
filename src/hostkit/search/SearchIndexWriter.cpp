#include "hostkit/search/SearchIndexWriter.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "hostkit/search/ContentFingerprint.h"
#include "hostkit/search/SearchText.h"

namespace quindel::hostkit {
namespace {

constexpr const char* kSchema =
    "PRAGMA journal_mode = OFF;"
    "PRAGMA synchronous = OFF;"
    "PRAGMA page_size = 8192;"
    "BEGIN;"
    "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT);"
    "CREATE VIRTUAL TABLE entries USING fts5(title, description, list UNINDEXED,"
    " record UNINDEXED, label UNINDEXED, tokenize = \"unicode61 remove_diacritics 2\","
    " prefix = '1 2 3 4 5 6');"
    // Terms gather in memory up to this size before a segment goes to the file: a content's
    // index of 100,000 records is one segment, with nothing left for the final merge to do.
    "INSERT INTO entries(entries, rank) VALUES ('hashsize', 67108864);";

// The data reaches the disk before the rename makes it the index.
bool SyncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

struct SearchIndexWriter::Db {
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    ~Db() {
        sqlite3_finalize(insert);
        sqlite3_close(db);
    }
    bool Exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == 0; }
    std::string Message() const { return db ? sqlite3_errmsg(db) : "no database"; }
};

SearchIndexWriter::SearchIndexWriter(const std::string& path, bool synced)
    : db_(std::make_unique<Db>()), path_(path), synced_(synced) {
    // A new file of our own beside the target: never a link, never someone else's file.
    std::string pattern = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        Fail("cannot create a file beside " + path);
        return;
    }
    ::fchmod(fd, 0644);  // readable as the lists beside it are, not private as mkstemp makes it
    ::close(fd);
    temp_ = pattern;
    if (sqlite3_open_v2(temp_.c_str(), &db_->db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        !db_->Exec(kSchema) ||
        sqlite3_prepare_v2(db_->db, "INSERT INTO entries VALUES (?1, ?2, ?3, ?4, ?5)", -1,
                           &db_->insert, nullptr) != SQLITE_OK)
        Fail("cannot start the index");
}

SearchIndexWriter::~SearchIndexWriter() {
    db_.reset();
    if (!temp_.empty()) std::remove(temp_.c_str());
}

bool SearchIndexWriter::Fail(const std::string& what) {
    if (error_.empty()) error_ = what + (db_ && db_->db ? ": " + db_->Message() : "");
    return false;
}

bool SearchIndexWriter::Add(const SearchEntry& entry) {
    if (!error_.empty()) return false;
    const std::string title = FoldLetters(entry.title);
    const std::string description = FoldLetters(entry.description);
    sqlite3_stmt* s = db_->insert;
    sqlite3_bind_text(s, 1, title.data(), int(title.size()), SQLITE_STATIC);
    sqlite3_bind_text(s, 2, description.data(), int(description.size()), SQLITE_STATIC);
    sqlite3_bind_int(s, 3, static_cast<int>(entry.list));
    sqlite3_bind_int64(s, 4, entry.record);
    sqlite3_bind_text(s, 5, entry.title.data(), int(entry.title.size()), SQLITE_STATIC);
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_reset(s);
    merged_ = false;
    return ok || Fail("cannot add record " + std::to_string(entry.record));
}

bool SearchIndexWriter::Merge() {
    if (!error_.empty()) return false;
    // One merged segment makes every later query cheaper than the build's many small ones.
    if (!db_->Exec("INSERT INTO entries(entries) VALUES ('optimize');"))
        return Fail("cannot merge the index");
    return merged_ = true;
}

bool SearchIndexWriter::Commit(const std::string& fingerprint) {
    if (!error_.empty()) return false;
    sqlite3_stmt* meta = nullptr;
    sqlite3_prepare_v2(db_->db, "INSERT INTO meta VALUES ('version', ?1), ('content', ?2)", -1,
                       &meta, nullptr);
    sqlite3_bind_text(meta, 1, std::to_string(kSearchIndexVersion).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(meta, 2, fingerprint.c_str(), -1, SQLITE_TRANSIENT);
    const bool metaOk = sqlite3_step(meta) == SQLITE_DONE;
    sqlite3_finalize(meta);
    if (!metaOk) return Fail("cannot stamp the index");
    if (!merged_ && !Merge()) return false;
    if (!db_->Exec("COMMIT;")) return Fail("cannot finish the index");
    db_.reset();
    std::error_code ec;
    if (synced_ && !SyncFile(temp_)) return Fail("cannot write " + temp_ + " to the disk");
    std::filesystem::rename(temp_, path_, ec);
    if (ec) return Fail("cannot put the index in place at " + path_ + ": " + ec.message());
    temp_.clear();
    if (synced_) {
        const std::string folder = std::filesystem::path(path_).parent_path().string();
        SyncFile(folder.empty() ? "." : folder);
    }
    return true;
}

std::string WriteSearchIndex(const std::string& path, const std::vector<SearchEntry>& records,
                             const std::string& fingerprint) {
    SearchIndexWriter writer(path);
    for (const SearchEntry& e : records)
        if (!writer.Add(e)) break;
    writer.Commit(fingerprint);
    return writer.Error();
}

std::string WriteSearchIndexForFolder(const std::string& folder) {
    SearchIndexWriter writer((std::filesystem::path(folder) / kSearchIndexFile).string());
    ForEachListEntry(folder, [&](const SearchEntry& e) { return writer.Add(e); });
    writer.Commit(ContentFingerprint(folder));
    return writer.Error();
}

}  // namespace quindel::hostkit
