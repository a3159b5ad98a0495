#include "hostkit/search/ContentFingerprint.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "hostkit/search/ListFolder.h"

namespace quindel::hostkit {
namespace {

// Two independent 64-bit lanes over 8-byte words, each step a multiply and a rotate; a million
// records (1.5 GB) hash at memory speed rather than byte by byte.
class Hash128 {
  public:
    void Add(const char* data, std::size_t n) {
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, data + i, 8);
            Mix(w);
        }
        std::uint64_t tail = 0;
        std::memcpy(&tail, data + i, n - i);
        Mix(tail ^ (std::uint64_t(n - i) << 56));
    }
    void AddNumber(std::uint64_t v) { Mix(v); }
    std::string Hex() const {
        char out[33];
        std::snprintf(out, sizeof out, "%016llx%016llx", static_cast<unsigned long long>(Final(a_)),
                      static_cast<unsigned long long>(Final(b_)));
        return out;
    }

  private:
    static std::uint64_t Rotl(std::uint64_t v, int r) { return (v << r) | (v >> (64 - r)); }
    static std::uint64_t Final(std::uint64_t h) {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        return h ^ (h >> 33);
    }
    void Mix(std::uint64_t w) {
        a_ = Rotl(a_ ^ (w * 0x87c37b91114253d5ULL), 31) * 0x9e3779b97f4a7c15ULL;
        b_ = Rotl(b_ + (w * 0x4cf5ad432745937fULL), 27) * 0xc2b2ae3d27d4eb4fULL + a_;
    }
    std::uint64_t a_ = 0x6a09e667f3bcc908ULL;
    std::uint64_t b_ = 0xbb67ae8584caa73bULL;
};

// The file's length, then its bytes: the length keeps "ab" + "" apart from "a" + "b".
void AddFile(Hash128& h, const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> block(1 << 20);
    std::uint64_t total = 0;
    Hash128 body;
    while (in) {
        in.read(block.data(), std::streamsize(block.size()));
        const auto got = std::size_t(in.gcount());
        if (got == 0) break;
        body.Add(block.data(), got);
        total += got;
    }
    h.AddNumber(total);
    const std::string bodyHex = body.Hex();
    h.Add(bodyHex.data(), bodyHex.size());
}

}  // namespace

std::string ContentFingerprint(const std::string& folder) {
    Hash128 h;
    for (const char* name : {kMultimediaListFile, kLinkedListFile})
        AddFile(h, ListFilePath(folder, name));
    return h.Hex();
}

}  // namespace quindel::hostkit
