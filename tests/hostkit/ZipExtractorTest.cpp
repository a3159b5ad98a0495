// The packed-file extractor: opening archives, both extraction methods over stored, deflated and
// doubly packed entries, names in any case and with either slash, and what becomes of the
// target when an extraction fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "DisplayKitSupport.h"
#include "TestFolder.h"
#include "ZipWriter.h"
#include "hostkit/zip/ZipExtractor.h"
#include "platform/FileSystem.h"
#include "runtime/Coercions.h"

namespace quindel::hostkit {
namespace {

namespace fs = std::filesystem;
using test::ErrorOf;

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A long text that deflate really shrinks.
std::string Text(const std::string& word, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += word + std::to_string(i % 7) + ' ';
    return s;
}

struct ZipStage {
    test::TestFolder folder{"zipextractor"};
    platform::FileSystem files;
    std::shared_ptr<ZipExtractor> zip = std::make_shared<ZipExtractor>(files);
    Object obj = zip;
    fs::path target = folder.path() / "$$tmp$$.$$$";

    std::string Archive(const std::string& name, const std::vector<test::ZipEntrySpec>& entries) {
        const fs::path p = folder.path() / name;
        EXPECT_TRUE(test::WriteZip(p.string(), entries));
        return p.string();
    }
    std::string Bytes(const std::vector<test::ZipEntrySpec>& entries) {
        return Read(Archive("inner.tmp", entries));
    }
    std::int32_t Call(const char* method, const std::string& entry) {
        test::WriteBytes(target, std::string("left over"));
        return CLng(CallMethod(obj, method, entry, target.string()));
    }
};

TEST(ZipExtractor, ExtractsByEitherMethod) {
    ZipStage s;
    const std::string photo = Text("photo", 3000), note = "short note";
    const std::string inner = s.Bytes({{"PICTURE.JPG", Text("inner", 500)}});
    const std::string single = s.Bytes({{"another name.txt", "the only file"}});
    LetProperty(s.obj, "BlobFile",
                s.Archive("blob.zip", {
                                          {"images/photo.jpg", photo},
                                          {"Notes\\Note.TXT", note, true},
                                          {"picture.jpg", inner, true},
                                          {"single.bin", single},
                                          {"fake.bin", "PK\x03\x04 and nothing of an archive"},
                                          {"folder/", ""},
                                      }));
    const struct {
        const char* method;
        const char* entry;
        std::int32_t result;
        std::string content;  // the target's, after the call; none when the call failed
    } cases[] = {
        {"estrai", "images\\photo.jpg", 0, photo},
        {"estrai", "IMAGES/PHOTO.JPG", 0, photo},
        {"estrai", "notes/note.txt", 0, note},  // stored; written with a backslash
        {"estrai", "picture.jpg", 0, inner},    // an archive inside: copied as it is
        {"estrai", "missing.jpg", ZipExtractor::kNoEntry, ""},
        {"estrai", "folder", ZipExtractor::kNoEntry, ""},
        {"packedestrai", "Images\\Photo.jpg", 0, photo},  // a plain entry: copied
        {"packedestrai", "picture.jpg", 0, Text("inner", 500)},
        {"packedestrai", "single.bin", 0, "the only file"},
        {"packedestrai", "fake.bin", ZipExtractor::kNoInnerEntry, ""},
        {"packedestrai", "missing.jpg", ZipExtractor::kNoEntry, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.method << " " << c.entry);
        EXPECT_EQ(s.Call(c.method, c.entry), c.result);
        EXPECT_EQ(fs::exists(s.target), c.result == 0);
        if (c.result == 0) {
            EXPECT_EQ(Read(s.target), c.content);
        }
    }
}

TEST(ZipExtractor, ArchivesThatCannotBeOpenedOrRead) {
    ZipStage s;
    const std::string data = Text("data", 4000);
    std::string damaged = Read(s.Archive("good.zip", {{"a.txt", data}}));
    damaged[damaged.size() / 3] ^= 0x55;  // inside the deflated data
    test::WriteBytes(s.folder.path() / "damaged.zip", damaged);
    test::WriteBytes(s.folder.path() / "garbage.zip", std::string(300, 'x'));
    test::WriteBytes(s.folder.path() / "cut.zip", damaged.substr(0, damaged.size() - 30));

    const struct {
        const char* blob;
        int error;            // from BlobFile
        std::int32_t result;  // of estrai("a.txt") afterwards
    } cases[] = {
        {"GOOD.ZIP", 0, ZipExtractor::kExtracted},  // resolved in any case
        {"damaged.zip", 0, ZipExtractor::kUnreadable},
        {"garbage.zip", 321, ZipExtractor::kNoArchive},
        {"cut.zip", 321, ZipExtractor::kNoArchive},
        {"absent.zip", 53, ZipExtractor::kNoArchive},
        {"", 0, ZipExtractor::kNoArchive},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.blob);
        const std::string path = *c.blob ? (s.folder.path() / c.blob).string() : "";
        EXPECT_EQ(ErrorOf([&] { LetProperty(s.obj, "BlobFile", path); }), c.error);
        EXPECT_EQ(s.Call("estrai", "a.txt"), c.result);
        EXPECT_EQ(fs::exists(s.target), c.result == 0);
    }
}

TEST(ZipExtractor, TheTargetIsReplacedWhole) {
    ZipStage s;
    LetProperty(s.obj, "BlobFile", s.Archive("blob.zip", {{"a.txt", "new"}}));
    // A longer old file: nothing of it may survive the shorter new one.
    test::WriteBytes(s.target, std::string(1000, 'o'));
    EXPECT_EQ(CLng(CallMethod(s.obj, "estrai", "a.txt", s.target.string())), 0);
    EXPECT_EQ(Read(s.target), "new");
    // A target in a folder that does not exist cannot be written.
    EXPECT_EQ(CLng(CallMethod(s.obj, "estrai", "a.txt", (s.folder.path() / "no/x").string())),
              ZipExtractor::kUnwritable);
}

// Someone who can write into the target's folder plants a link at the target name: the
// extraction replaces the link and leaves the file it points at alone.
TEST(ZipExtractor, ALinkPlantedAtTheTargetIsReplacedNotWrittenThrough) {
    ZipStage s;
    LetProperty(s.obj, "BlobFile", s.Archive("blob.zip", {{"a.txt", "new"}}));
    const fs::path victim = s.folder.path() / "victim.txt";
    for (const char* method : {"estrai", "packedestrai"}) {
        SCOPED_TRACE(method);
        test::WriteBytes(victim, std::string("precious"));
        fs::remove(s.target);
        fs::create_symlink(victim, s.target);
        EXPECT_EQ(CLng(CallMethod(s.obj, method, "a.txt", s.target.string())), 0);
        EXPECT_FALSE(fs::is_symlink(s.target));
        EXPECT_EQ(Read(s.target), "new");
        EXPECT_EQ(Read(victim), "precious");
    }
    // Nothing of the writing is left beside the target.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(s.folder.path())) ++entries;
    EXPECT_EQ(entries, 3u);  // the archive, the victim, the target
}

}  // namespace
}  // namespace quindel::hostkit
