#include "mci/GifFrames.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "mci/MciError.h"
#include "platform/GifAnimation.h"

namespace quindel::mci {

namespace {

constexpr std::uintmax_t kMaxFileBytes = 256u * 1024 * 1024;
constexpr platform::GifAnimation::Limits kLimits = platform::GifAnimation::kPlayerLimits;

class GifFrames final : public FrameSource {
  public:
    explicit GifFrames(platform::GifAnimation gif) : gif_(std::move(gif)) {}
    int Width() const override { return gif_.Width(); }
    int Height() const override { return gif_.Height(); }
    int FrameCount() const override { return gif_.FrameCount(); }
    int DelayMs(int frame) const override { return gif_.DelayMs(frame); }
    const platform::Image& Frame(int frame) override { return gif_.Frame(frame); }

  private:
    platform::GifAnimation gif_;
};

}  // namespace

std::unique_ptr<FrameSource> LoadGifFile(const std::string& path, std::uint32_t& error) {
    std::error_code ec;
    const std::filesystem::path file(path);
    if (path.empty() || !std::filesystem::is_regular_file(file, ec)) {
        error = err::FileNotFound;
        return nullptr;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxFileBytes) {
        error = ec ? err::FileRead : err::InvalidFile;
        return nullptr;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::ifstream in(file, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) {
        error = err::FileRead;
        return nullptr;
    }
    std::optional<platform::GifAnimation> gif =
        platform::GifAnimation::DecodeWithin(bytes, kLimits);
    if (!gif) {
        error = err::InvalidFile;
        return nullptr;
    }
    return std::make_unique<GifFrames>(std::move(*gif));
}

}  // namespace quindel::mci
