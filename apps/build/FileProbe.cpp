#include "build/FileProbe.h"

#include <sys/stat.h>

#include <fstream>

#include "hostkit/media/GstMediaEngine.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "platform/GifAnimation.h"
#include "platform/PictureFile.h"

namespace quindel::build {

namespace fs = std::filesystem;
using platform::BytesOf;

namespace {

ProbeResult Failed(FileKind kind, std::string why) {
    ProbeResult r;
    r.kind = kind;
    r.error = std::move(why);
    return r;
}

std::string LimitText() {
    const platform::PictureLimits l;
    return std::to_string(l.maxSide) + " pixels a side and " +
           std::to_string(l.maxPixels / (1024 * 1024)) + " megapixels";
}

ProbeResult ProbePictureBytes(const std::string& bytes) {
    std::string why;
    const auto size = platform::ReadPictureSize(BytesOf(bytes), &why);
    if (!size) return Failed(FileKind::Picture, "the picture decoders cannot read it: " + why);
    ProbeResult r;
    r.kind = FileKind::Picture;
    r.width = size->width;
    r.height = size->height;
    if (!platform::PictureLimits{}.Allows(size->width, size->height))
        return Failed(FileKind::Picture, std::to_string(size->width) + " x " +
                                             std::to_string(size->height) +
                                             " pixels is beyond the " + LimitText() +
                                             " the viewer decodes; it refuses the picture");
    // A reduced decode runs every decoder stage the viewer's fitted display runs.
    if (!platform::DecodePictureAtLeast(BytesOf(bytes), 1, 1, {}, &why))
        return Failed(FileKind::Picture, "the picture does not decode: " + why);
    return r;
}

ProbeResult ProbeAnimationBytes(const std::string& bytes) {
    std::string why;
    if (platform::SniffPictureFormat(BytesOf(bytes)) != platform::PictureFormat::Gif)
        return Failed(FileKind::Animation, "animations must be GIF files");
    auto gif = platform::GifAnimation::DecodeWithin(BytesOf(bytes),
                                                    platform::GifAnimation::kPlayerLimits, &why);
    if (!gif) return Failed(FileKind::Animation, "the animation player cannot open it: " + why);
    ProbeResult r;
    r.kind = FileKind::Animation;
    r.width = gif->Width();
    r.height = gif->Height();
    r.frames = gif->FrameCount();
    return r;
}

ProbeResult ProbeMedia(const fs::path& file, FileKind expected) {
    hostkit::GstMediaEngine engine({.fakeAudio = true});
    const hostkit::MediaResult opened = engine.Open(file.string());
    if (!opened.ok()) return Failed(expected, "GStreamer cannot play it: " + opened.error);
    ProbeResult r;
    r.kind = engine.HasVideo() ? FileKind::Film : FileKind::Sound;
    r.width = engine.VideoSize().width;
    r.height = engine.VideoSize().height;
    r.lengthMs = engine.LengthMs();
    engine.Close();
    if (expected == FileKind::Film && r.kind != FileKind::Film)
        return Failed(expected, "it holds no pictures (a sound file?)");
    return r;
}

ProbeResult ProbeText(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return Failed(FileKind::Text, "is not a regular file");
    if (std::int64_t(fs::file_size(file, ec)) > hostkit::RichTextBox::kMaxTextFileBytes)
        return Failed(FileKind::Text, "is larger than the 32 MB a text may hold");
    std::ifstream in(file, std::ios::binary);
    if (!in) return Failed(FileKind::Text, "cannot be read");
    ProbeResult r;
    r.kind = FileKind::Text;
    return r;
}

std::optional<std::string> ReadBytes(const fs::path& file, ProbeResult& failure, FileKind kind) {
    std::string why;
    auto bytes = platform::ReadPictureFile(file.string(), &why);
    if (!bytes) failure = Failed(kind, "cannot be read: " + why);
    return bytes;
}

}  // namespace

FileStamp StampOf(const fs::path& file) {
    // One stat, not the three calls of <filesystem>: a build looks at every file twice.
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return {true, std::uint64_t(st.st_size),
            std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

ProbeResult ProbeFile(const fs::path& file, FileKind expected) {
    ProbeResult failure;
    switch (expected) {
        case FileKind::Picture:
            if (const auto bytes = ReadBytes(file, failure, expected))
                return ProbePictureBytes(*bytes);
            return failure;
        case FileKind::Animation:
            if (const auto bytes = ReadBytes(file, failure, expected))
                return ProbeAnimationBytes(*bytes);
            return failure;
        case FileKind::Film:
        case FileKind::Sound:
            return ProbeMedia(file, expected);
        case FileKind::Text:
            return ProbeText(file);
        case FileKind::None:
            break;
    }
    return {};
}

ProbeResult IdentifyFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char head[16] = {};
    in.read(head, sizeof head);
    const std::string start(head, std::size_t(in.gcount()));
    const auto format = platform::SniffPictureFormat(BytesOf(start));
    if (format == platform::PictureFormat::Gif) {
        ProbeResult r = ProbeFile(file, FileKind::Animation);
        if (r.ok() && r.frames > 1) return r;
    }
    if (format != platform::PictureFormat::Unknown) return ProbeFile(file, FileKind::Picture);
    const std::string ext = file.extension().string();
    if (start.rfind("{\\rtf", 0) == 0 || ext == ".txt" || ext == ".TXT")
        return ProbeFile(file, FileKind::Text);
    ProbeResult media = ProbeMedia(file, FileKind::Sound);
    if (!media.ok()) media.kind = FileKind::None;
    return media;
}

}  // namespace quindel::build
