#include "hostkit/zip/ZipArchive.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "runtime/Text.h"

namespace quindel::hostkit {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

std::string ErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

struct FileClose {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

}  // namespace

std::string ZipEntryKey(std::string_view name) {
    std::string key(name);
    std::replace(key.begin(), key.end(), '\\', '/');
    std::size_t start = 0;
    for (;;) {
        if (key.compare(start, 2, "./") == 0)
            start += 2;
        else if (key.compare(start, 1, "/") == 0)
            start += 1;
        else
            break;
    }
    return LCase(std::string_view(key).substr(start));
}

struct ZipArchive::Data {
    zip_t* zip = nullptr;
    std::string bytes;  // the archive itself, when it is held in memory
    std::unordered_map<std::string, std::uint64_t> byKey;
    std::vector<std::uint64_t> files;

    ~Data() {
        if (zip) zip_discard(zip);
    }
    void Index() {
        const zip_int64_t n = zip_get_num_entries(zip, 0);
        for (zip_int64_t i = 0; i < n; ++i) {
            const char* name = zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
            if (!name || !*name || name[std::strlen(name) - 1] == '/') continue;
            files.push_back(std::uint64_t(i));
            byKey.emplace(ZipEntryKey(name), std::uint64_t(i));  // the first of a name wins
        }
    }
};

ZipArchive::ZipArchive(std::unique_ptr<Data> d) : d_(std::move(d)) {}
ZipArchive::~ZipArchive() = default;

std::unique_ptr<ZipArchive> ZipArchive::OpenFile(const std::string& path, std::string* why) {
    int code = 0;
    auto d = std::make_unique<Data>();
    d->zip = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!d->zip) {
        if (why) *why = ErrorText(code);
        return nullptr;
    }
    d->Index();
    return std::unique_ptr<ZipArchive>(new ZipArchive(std::move(d)));
}

std::unique_ptr<ZipArchive> ZipArchive::OpenBytes(std::string bytes, std::string* why) {
    auto d = std::make_unique<Data>();
    d->bytes = std::move(bytes);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(d->bytes.data(), d->bytes.size(), 0, &error);
    if (source) {
        d->zip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!d->zip) zip_source_free(source);  // on success the archive owns its source
    }
    if (!d->zip) {
        if (why) *why = zip_error_strerror(&error);
        zip_error_fini(&error);
        return nullptr;
    }
    zip_error_fini(&error);
    d->Index();
    return std::unique_ptr<ZipArchive>(new ZipArchive(std::move(d)));
}

std::optional<std::uint64_t> ZipArchive::Find(std::string_view name) const {
    const auto it = d_->byKey.find(ZipEntryKey(name));
    if (it == d_->byKey.end()) return std::nullopt;
    return it->second;
}

std::optional<std::uint64_t> ZipArchive::OnlyFile() const {
    if (d_->files.size() != 1) return std::nullopt;
    return d_->files.front();
}

ZipArchive::ReadStatus ZipArchive::Read(std::uint64_t index, std::uint64_t maxBytes,
                                        const Sink& sink) const {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(d_->zip, index, 0, &st) != 0) return ReadStatus::Unreadable;
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
        return ReadStatus::Unreadable;
    if ((st.valid & ZIP_STAT_SIZE) && st.size > maxBytes) return ReadStatus::TooLarge;
    const std::unique_ptr<zip_file_t, FileClose> file(zip_fopen_index(d_->zip, index, 0));
    if (!file) return ReadStatus::Unreadable;
    std::vector<char> chunk(kChunk);
    std::uint64_t total = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), chunk.data(), chunk.size());
        if (n < 0) return ReadStatus::Unreadable;  // damaged data or a checksum that fails
        if (n == 0) return ReadStatus::Done;
        total += std::uint64_t(n);
        if (total > maxBytes) return ReadStatus::TooLarge;
        if (!sink(chunk.data(), std::size_t(n))) return ReadStatus::SinkFailed;
    }
}

}  // namespace quindel::hostkit
