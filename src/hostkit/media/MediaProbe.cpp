#include "hostkit/media/MediaProbe.h"

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace quindel::hostkit {
namespace {

MediaProbeResult Failure(std::string why) {
    return {{}, std::move(why)};
}

std::uint64_t LittleEndian(std::string_view s, std::size_t at, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | std::uint8_t(s[at + std::size_t(i)]);
    return v;
}

std::uint64_t BigEndian(std::string_view s, std::size_t at, std::size_t bytes) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < bytes; ++i) v = (v << 8) | std::uint8_t(s[at + i]);
    return v;
}

std::int64_t RoundedMs(std::uint64_t units, std::uint64_t perSecond) {
    return std::int64_t((units * 1000 + perSecond / 2) / perSecond);
}

// ---- WAV: a "fmt " chunk with the byte rate, then the "data" chunk, cut at the end of the file.

MediaProbeResult ProbeWav(std::string_view head, std::uint64_t fileSize) {
    std::uint64_t byteRate = 0;
    for (std::size_t at = 12; at + 8 <= head.size();) {
        const std::string_view id = head.substr(at, 4);
        const std::uint64_t size = LittleEndian(head, at + 4, 4);
        const std::size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= head.size()) {
            byteRate = LittleEndian(head, body + 8, 4);
        } else if (id == "data") {
            if (byteRate == 0) return Failure("WAV file without a valid format chunk");
            const std::uint64_t present = fileSize > body ? fileSize - body : 0;
            return {{RoundedMs(std::min(size, present), byteRate), false, {}}, {}};
        }
        at = body + std::size_t(size) + (size & 1);
    }
    return Failure("WAV file without a data chunk");
}

// ---- Ogg Vorbis: the sample rate from the first page, the sample count (granule position) from
// the last page of the same stream.

constexpr std::size_t kOggHeader = 27;

std::optional<std::size_t> OggBodyOffset(std::string_view s, std::size_t at) {
    if (at + kOggHeader > s.size() || s.substr(at, 4) != "OggS") return std::nullopt;
    const std::size_t body = at + kOggHeader + std::uint8_t(s[at + 26]);
    if (body > s.size()) return std::nullopt;
    return body;
}

MediaProbeResult ProbeOgg(std::string_view head, std::string_view tail) {
    const auto body = OggBodyOffset(head, 0);
    if (!body || *body + 16 > head.size() || head.substr(*body, 7) != "\x01vorbis")
        return Failure("Ogg file without a Vorbis stream first");
    const std::uint64_t rate = LittleEndian(head, *body + 12, 4);
    if (rate == 0) return Failure("Vorbis stream with a sample rate of 0");
    const std::uint64_t serial = LittleEndian(head, 14, 4);
    constexpr std::uint64_t kNoGranule = ~std::uint64_t(0);
    for (std::size_t at = tail.size() >= kOggHeader ? tail.size() - kOggHeader + 1 : 0; at-- > 0;) {
        if (!OggBodyOffset(tail, at) || LittleEndian(tail, at + 14, 4) != serial) continue;
        const std::uint64_t granule = LittleEndian(tail, at + 6, 8);
        if (granule != kNoGranule) return {{RoundedMs(granule, rate), false, {}}, {}};
    }
    return Failure("Ogg file without a final page");
}

// ---- Matroska/WebM: Segment > Info (TimecodeScale, Duration) and Tracks > TrackEntry > Video.

namespace ebml {
constexpr std::uint32_t kHeader = 0x1A45DFA3, kSegment = 0x18538067, kInfo = 0x1549A966,
                        kTimecodeScale = 0x2AD7B1, kDuration = 0x4489, kTracks = 0x1654AE6B,
                        kTrackEntry = 0xAE, kTrackType = 0x83, kVideo = 0xE0, kPixelWidth = 0xB0,
                        kPixelHeight = 0xBA, kDisplayWidth = 0x54B0, kDisplayHeight = 0x54BA,
                        kDisplayUnit = 0x54B2, kCluster = 0x1F43B675;
constexpr std::uint32_t kVideoTrack = 1;

struct Element {
    std::uint32_t id = 0;
    std::size_t begin = 0, end = 0;  // the data, cut to what was read
};

// A variable-length number: the count of leading zero bits of the first byte gives its length.
std::optional<std::size_t> VarLength(std::string_view s, std::size_t at, std::size_t limit) {
    if (at >= s.size()) return std::nullopt;
    const int zeros = std::countl_zero(std::uint8_t(s[at]));
    const std::size_t n = std::size_t(zeros) + 1;
    if (zeros >= 8 || n > limit || at + n > s.size()) return std::nullopt;
    return n;
}

// The element at `at`, within [at, limit); a size of all ones (unknown) runs to `limit`.
std::optional<Element> ElementAt(std::string_view s, std::size_t at, std::size_t limit) {
    const auto idLength = VarLength(s, at, 4);
    if (!idLength) return std::nullopt;
    const std::size_t sizeAt = at + *idLength;
    const auto sizeLength = VarLength(s, sizeAt, 8);
    if (!sizeLength) return std::nullopt;
    const std::uint64_t marker = std::uint64_t(1) << (7 * *sizeLength);
    const std::uint64_t size = BigEndian(s, sizeAt, *sizeLength) & (marker - 1);
    Element e{std::uint32_t(BigEndian(s, at, *idLength)), sizeAt + *sizeLength, limit};
    if (e.begin > limit) return std::nullopt;
    if (size != marker - 1 && size < limit - e.begin) e.end = e.begin + std::size_t(size);
    return e;
}

template <class Visit>
void Children(std::string_view s, const Element& parent, Visit visit) {
    for (std::size_t at = parent.begin; at < parent.end;) {
        const auto child = ElementAt(s, at, parent.end);
        if (!child || !visit(*child)) return;
        at = child->end;
    }
}

std::uint64_t Unsigned(std::string_view s, const Element& e) {
    return BigEndian(s, e.begin, std::min<std::size_t>(e.end - e.begin, 8));
}

std::optional<double> Float(std::string_view s, const Element& e) {
    const std::size_t n = e.end - e.begin;
    if (n == 4) return double(std::bit_cast<float>(std::uint32_t(BigEndian(s, e.begin, 4))));
    if (n == 8) return std::bit_cast<double>(BigEndian(s, e.begin, 8));
    return std::nullopt;
}

struct Headers {
    std::uint64_t timecodeScale = 1000000;  // nanoseconds per Duration unit
    std::optional<double> duration;
    bool hasVideo = false;
    std::uint64_t pixelW = 0, pixelH = 0, displayW = 0, displayH = 0, displayUnit = 0;
};

void ReadVideo(std::string_view s, const Element& video, Headers& h) {
    Children(s, video, [&](const Element& e) {
        if (e.id == kPixelWidth) h.pixelW = Unsigned(s, e);
        if (e.id == kPixelHeight) h.pixelH = Unsigned(s, e);
        if (e.id == kDisplayWidth) h.displayW = Unsigned(s, e);
        if (e.id == kDisplayHeight) h.displayH = Unsigned(s, e);
        if (e.id == kDisplayUnit) h.displayUnit = Unsigned(s, e);
        return true;
    });
}

void ReadTracks(std::string_view s, const Element& tracks, Headers& h) {
    Children(s, tracks, [&](const Element& entry) {
        if (entry.id != kTrackEntry || h.hasVideo) return true;
        std::uint64_t type = 0;
        std::optional<Element> video;
        Children(s, entry, [&](const Element& e) {
            if (e.id == kTrackType) type = Unsigned(s, e);
            if (e.id == kVideo) video = e;
            return true;
        });
        if (type == kVideoTrack && video) {
            h.hasVideo = true;
            ReadVideo(s, *video, h);
        }
        return true;
    });
}

void ReadSegment(std::string_view s, const Element& segment, Headers& h) {
    Children(s, segment, [&](const Element& e) {
        if (e.id == kInfo) {
            Children(s, e, [&](const Element& i) {
                if (i.id == kTimecodeScale) h.timecodeScale = Unsigned(s, i);
                if (i.id == kDuration) h.duration = Float(s, i);
                return true;
            });
        } else if (e.id == kTracks) {
            ReadTracks(s, e, h);
        }
        return e.id != kCluster;
    });
}

}  // namespace ebml

MediaProbeResult ProbeMatroska(std::string_view head) {
    const auto header = ebml::ElementAt(head, 0, head.size());
    const auto segment = header ? ebml::ElementAt(head, header->end, head.size()) : std::nullopt;
    if (!segment || segment->id != ebml::kSegment)
        return Failure("Matroska file without a segment");
    ebml::Headers h;
    ebml::ReadSegment(head, *segment, h);
    const double ms = h.duration ? *h.duration * double(h.timecodeScale) / 1e6 : -1;
    if (!(ms >= 0 && ms < 1e15)) return Failure("Matroska file without a valid duration");
    MediaFacts facts;
    facts.lengthMs = std::int64_t(ms + 0.5);
    facts.hasVideo = h.hasVideo;
    const bool display = h.displayW > 0 && h.displayH > 0 && h.displayUnit == 0;
    if (h.hasVideo)
        facts.videoSize = {int(std::min<std::uint64_t>(display ? h.displayW : h.pixelW, 1 << 16)),
                           int(std::min<std::uint64_t>(display ? h.displayH : h.pixelH, 1 << 16))};
    return {facts, {}};
}

}  // namespace

MediaProbeResult ProbeMedia(std::string_view head, std::string_view tail, std::uint64_t fileSize) {
    if (head.size() >= 12 && head.substr(0, 4) == "RIFF" && head.substr(8, 4) == "WAVE")
        return ProbeWav(head, fileSize);
    if (head.substr(0, 4) == "OggS") return ProbeOgg(head, tail);
    if (head.size() >= 4 && BigEndian(head, 0, 4) == ebml::kHeader) return ProbeMatroska(head);
    return Failure("not a WAV, Ogg Vorbis or WebM file");
}

MediaProbeResult ProbeMediaFile(const std::string& path) {
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || !in) return Failure("cannot read " + path);
    std::string head(std::size_t(std::min<std::uint64_t>(size, kProbeHeadBytes)), '\0');
    std::string tail(std::size_t(std::min<std::uint64_t>(size, kProbeTailBytes)), '\0');
    in.read(head.data(), std::streamsize(head.size()));
    in.seekg(std::streamoff(size - tail.size()));
    in.read(tail.data(), std::streamsize(tail.size()));
    if (!in) return Failure("cannot read " + path);
    return ProbeMedia(head, tail, size);
}

}  // namespace quindel::hostkit
