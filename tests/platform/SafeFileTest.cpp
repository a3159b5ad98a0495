// Writing where a link, a FIFO or a device may have been planted: the replacing writer and the
// appender never write through them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "TestFolder.h"
#include "platform/PrivateFolder.h"
#include "platform/SafeFile.h"

namespace fs = std::filesystem;
using quindel::platform::AppendToFile;
using quindel::platform::ReplacingFile;

namespace {

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& p, const std::string& s) {
    std::ofstream(p, std::ios::binary) << s;
}

std::size_t EntriesIn(const fs::path& folder) {
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

}  // namespace

TEST(SafeFile, AReplacedTargetNeverWritesThroughALink) {
    quindel::test::TestFolder t("safefile");
    const fs::path victim = t.path() / "victim", target = t.path() / "target";
    struct Case {
        const char* what;
        bool linkBefore;  // planted before the writer opened, or while it wrote
        bool commit;
    } cases[] = {{"link there before", true, true},
                 {"link planted while writing", false, true},
                 {"never committed", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(victim, "precious");
        fs::remove(target);
        if (c.linkBefore) fs::create_symlink(victim, target);
        {
            ReplacingFile out(target.string());
            ASSERT_TRUE(out.Opened());
            if (!c.linkBefore) fs::create_symlink(victim, target);
            EXPECT_TRUE(out.Write("new"));
            if (c.commit) EXPECT_TRUE(out.Commit());
        }
        EXPECT_EQ(Read(victim), "precious");
        EXPECT_EQ(fs::is_symlink(target), !c.commit);
        if (c.commit) EXPECT_EQ(Read(target), "new");
        EXPECT_EQ(EntriesIn(t.path()), 2u) << "no temporary file left";
    }
}

TEST(SafeFile, AppendingRefusesLinksFifosAndDevices) {
    quindel::test::TestFolder t("safefile");
    const fs::path log = t.path() / "log", victim = t.path() / "victim";
    const fs::path link = t.path() / "link", fifo = t.path() / "fifo";
    Write(victim, "precious");
    fs::create_symlink(victim, link);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(AppendToFile(log.string(), "one\n"));
    EXPECT_TRUE(AppendToFile(log.string(), "two\n"));
    EXPECT_EQ(Read(log), "one\ntwo\n");
    for (const fs::path& refused : {link, fifo, fs::path("/dev/null"), t.path() / "no/such"})
        EXPECT_FALSE(AppendToFile(refused.string(), "x")) << refused;
    EXPECT_EQ(Read(victim), "precious");
}

TEST(SafeFile, APrivateFolderIsItsOwnersAloneAndGoesWithEverythingInIt) {
    std::string path;
    {
        quindel::platform::PrivateFolder folder("quindel-test");
        path = folder.Path();
        ASSERT_FALSE(path.empty());
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        Write(folder.File("print.pdf"), "%PDF");
        EXPECT_EQ(Read(folder.File("print.pdf")), "%PDF");
        quindel::platform::PrivateFolder other("quindel-test");
        EXPECT_NE(other.Path(), path) << "every folder has a name of its own";
    }
    EXPECT_FALSE(fs::exists(path));
}
