#pragma once
// The host's packed-file extractor (ControlloBlob) over zip archives. Late-bound members
// (dispatch ids):
//   BlobFile      0x68020501  the archive's path (backslashes, any case); opening it reads its
//                             directory. A missing file raises 53, one that is not a readable zip
//                             archive 321 (libzip's reason in the description); after a failure
//                             no archive is open. "" closes it.
//   estrai        0x60020502  (entry, target) -> Long: copies the entry's data, stored or
//                             deflated, to the target file
//   packedestrai  0x60020503  (entry, target) -> Long: as estrai; and when the entry is itself a
//                             zip archive (content packed one object to an archive, then packed
//                             again), what lands in the target is the inner archive's entry of the
//                             same file name, or its only file. Any other entry is copied as is,
//                             so it serves plain and doubly packed archives alike.
// Entry names compare case-insensitively, "\" as "/". Paths go through the platform's file
// resolution. The target is removed before each extraction, and a failed one leaves no file.
// Results: kExtracted (0) or the reason it failed, below.
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/DispatchTable.h"

namespace quindel::platform {
class FileSystem;
}

namespace quindel::hostkit {

class ZipArchive;

class ZipExtractor : public TableDispatch {
  public:
    enum Result : std::int32_t {
        kExtracted = 0,
        kNoArchive = 1,     // BlobFile names no open archive
        kNoEntry = 2,       // no file entry of that name
        kUnreadable = 3,    // encrypted, an unknown method, damaged, or a failing checksum
        kUnwritable = 4,    // the target cannot be removed or written
        kTooLarge = 5,      // beyond kMaxEntryBytes (kMaxInnerBytes for a packed archive)
        kNoInnerEntry = 6,  // packedestrai: the inner archive is damaged or has no such file
    };
    static constexpr std::uint64_t kMaxEntryBytes = 1ULL << 31;
    static constexpr std::uint64_t kMaxInnerBytes = 256ULL << 20;  // held in memory

    explicit ZipExtractor(platform::FileSystem& files);
    ~ZipExtractor() override;
    std::string TypeName() const override { return "ZipExtractor"; }

    const std::string& BlobFile() const { return blobFile_; }
    void setBlobFile(const std::string& path);
    std::int32_t estrai(const std::string& entry, const std::string& target);
    std::int32_t packedestrai(const std::string& entry, const std::string& target);

  private:
    // Opens the target fresh; kExtracted, or why not.
    std::int32_t Prepare(const std::string& entry, const std::string& nativeTarget,
                         std::uint64_t& index) const;

    platform::FileSystem& files_;
    std::string blobFile_;
    std::unique_ptr<ZipArchive> archive_;
};

}  // namespace quindel::hostkit
