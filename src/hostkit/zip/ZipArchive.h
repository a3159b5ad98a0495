#pragma once
// A zip archive opened for reading through libzip, with its own name index: entry names are
// matched case-insensitively with "\" and "/" alike (content tools of the other platform write
// either), which libzip's own lookup does not do. Contract:
// - Opening never throws; a failure gives null and the reason (libzip's text).
// - Entries are only read, never extracted to paths of their own, so names are never paths on
//   this machine. Directory entries are not files: Find and OnlyFile skip them.
// - Read streams an entry's data to a sink in chunks and stops at the first failure: the entry
//   encrypted, stored with a method libzip cannot read, damaged, failing its checksum, longer
//   than maxBytes (counted as read, whatever the directory claims), or the sink refusing.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quindel::hostkit {

class ZipArchive {
  public:
    static std::unique_ptr<ZipArchive> OpenFile(const std::string& path, std::string* why);
    // An archive held in memory (an archive packed inside another).
    static std::unique_ptr<ZipArchive> OpenBytes(std::string bytes, std::string* why);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    std::optional<std::uint64_t> Find(std::string_view name) const;
    // The archive's one file entry, when it holds exactly one.
    std::optional<std::uint64_t> OnlyFile() const;

    enum class ReadStatus { Done, Unreadable, TooLarge, SinkFailed };
    using Sink = std::function<bool(const char* data, std::size_t size)>;
    ReadStatus Read(std::uint64_t index, std::uint64_t maxBytes, const Sink& sink) const;

  private:
    struct Data;
    explicit ZipArchive(std::unique_ptr<Data> d);
    std::unique_ptr<Data> d_;
};

// The form entry names are compared in: "\" as "/", no leading "/" or "./", lower case.
std::string ZipEntryKey(std::string_view name);

}  // namespace quindel::hostkit
