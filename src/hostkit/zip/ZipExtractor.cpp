#include "hostkit/zip/ZipExtractor.h"

#include <filesystem>

#include "contract/Declare.h"
#include "contract/Extractor.h"
#include "hostkit/zip/ZipArchive.h"
#include "platform/FileSystem.h"
#include "platform/SafeFile.h"
#include "runtime/VbError.h"

namespace quindel::hostkit {

namespace {

constexpr const char* kSource = "ZipExtractor";
constexpr int kInvalidFormat = 321;

std::int32_t ResultOf(ZipArchive::ReadStatus status) {
    switch (status) {
        case ZipArchive::ReadStatus::Done:
            return ZipExtractor::kExtracted;
        case ZipArchive::ReadStatus::TooLarge:
            return ZipExtractor::kTooLarge;
        case ZipArchive::ReadStatus::SinkFailed:
            return ZipExtractor::kUnwritable;
        case ZipArchive::ReadStatus::Unreadable:
            break;
    }
    return ZipExtractor::kUnreadable;
}

// The target is written under a name of its own and put in place whole, so a link planted at
// the target is replaced, never written through.
std::int32_t CopyEntry(const ZipArchive& archive, std::uint64_t index, const std::string& target) {
    platform::ReplacingFile out(target);
    if (!out.Opened()) return ZipExtractor::kUnwritable;
    const auto status =
        archive.Read(index, ZipExtractor::kMaxEntryBytes,
                     [&out](const char* p, std::size_t n) { return out.Write(p, n); });
    if (status != ZipArchive::ReadStatus::Done) return ResultOf(status);
    return out.Commit() ? ZipExtractor::kExtracted : ZipExtractor::kUnwritable;
}

std::int32_t WriteBytes(const std::string& bytes, const std::string& target) {
    platform::ReplacingFile out(target);
    if (!out.Write(bytes)) return ZipExtractor::kUnwritable;
    return out.Commit() ? ZipExtractor::kExtracted : ZipExtractor::kUnwritable;
}

std::string FileNameOf(const std::string& entry) {
    const std::size_t slash = entry.find_last_of("/\\");
    return slash == std::string::npos ? entry : entry.substr(slash + 1);
}

}  // namespace

ZipExtractor::ZipExtractor(platform::FileSystem& files) : files_(files) {
    namespace row = contract::extractor;
    using PT = ParamType;
    using Z = ZipExtractor;
    contract::Declare<Z> m(table(), this);
    m.Property(row::BlobFile, 0x68020501, &Z::BlobFile, &Z::setBlobFile);
    const std::vector<ParamSpec> params = {ByVal("entry", PT::String), ByVal("target", PT::String)};
    m.Method(row::Estrai, 0x60020502, params, &Z::estrai);
    m.Method(row::PackedEstrai, 0x60020503, params, &Z::packedestrai);
}

ZipExtractor::~ZipExtractor() = default;

void ZipExtractor::setBlobFile(const std::string& path) {
    archive_.reset();
    blobFile_ = path;
    if (path.empty()) return;
    const std::string native = files_.Resolve(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(native, ec)) Raise(53, kSource);
    std::string why;
    archive_ = ZipArchive::OpenFile(native, &why);
    if (!archive_) throw VbError(kInvalidFormat, kSource, "Invalid file format: " + why);
}

std::int32_t ZipExtractor::Prepare(const std::string& entry, const std::string& nativeTarget,
                                   std::uint64_t& index) const {
    std::error_code ec;
    std::filesystem::remove(nativeTarget, ec);
    if (std::filesystem::exists(nativeTarget, ec)) return kUnwritable;
    if (!archive_) return kNoArchive;
    const auto found = archive_->Find(entry);
    if (!found) return kNoEntry;
    index = *found;
    return kExtracted;
}

std::int32_t ZipExtractor::estrai(const std::string& entry, const std::string& target) {
    const std::string native = files_.Resolve(target);
    std::uint64_t index = 0;
    if (const std::int32_t failed = Prepare(entry, native, index)) return failed;
    return CopyEntry(*archive_, index, native);
}

std::int32_t ZipExtractor::packedestrai(const std::string& entry, const std::string& target) {
    const std::string native = files_.Resolve(target);
    std::uint64_t index = 0;
    if (const std::int32_t failed = Prepare(entry, native, index)) return failed;
    std::string bytes;
    const auto status =
        archive_->Read(index, kMaxInnerBytes, [&bytes](const char* p, std::size_t n) {
            bytes.append(p, n);
            return true;
        });
    // Too large to be held: not an archive this kit opens from memory, so copied as it is.
    if (status == ZipArchive::ReadStatus::TooLarge) return CopyEntry(*archive_, index, native);
    if (status != ZipArchive::ReadStatus::Done) return ResultOf(status);
    if (bytes.rfind("PK\x03\x04", 0) != 0) return WriteBytes(bytes, native);
    const auto inner = ZipArchive::OpenBytes(std::move(bytes), nullptr);
    if (!inner) return kNoInnerEntry;
    auto found = inner->Find(FileNameOf(entry));
    if (!found) found = inner->OnlyFile();
    if (!found) return kNoInnerEntry;
    return CopyEntry(*inner, *found, native);
}

}  // namespace quindel::hostkit
