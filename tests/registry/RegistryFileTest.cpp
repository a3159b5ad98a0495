// The registry file on its own: identifiers, the text format, corrupt files, concurrent updates,
// and which registry a lookup reads.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <thread>
#include <vector>

#include "TestFolder.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/Guid.h"
#include "runtime/Registry.h"
#include "runtime/VbError.h"

namespace quindel::component {
namespace {

namespace fs = std::filesystem;

Guid G(std::uint32_t n) {
    return Guid{n, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, std::uint8_t(n)}};
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Guid, ParsesTheBracedFormAndRejectsEverythingElse) {
    const Guid expected{
        0x5E1A6C21, 0x7B4D, 0x4F0E, {0x9C, 0x3A, 0x2D, 0x8B, 0x61, 0xF0, 0xA0, 0x04}};
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"{5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004}", true},
        {"{5e1a6c21-7b4d-4f0e-9c3a-2d8b61f0a004}", true},
        {"5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004", true},
        {"{5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004", false},
        {"{5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A0G4}", false},
        {"{5E1A6C217B4D-4F0E-9C3A-2D8B61F0A004-}", false},
        {"{5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A00}", false},
        {"OCX_Pilonda2.Quindel", false},
        {"", false},
    };
    for (const Case& c : cases) {
        const auto g = Guid::Parse(c.text);
        EXPECT_EQ(g.has_value(), c.valid) << c.text;
        if (c.valid && g) {
            EXPECT_EQ(*g, expected) << c.text;
        }
    }
    EXPECT_EQ(expected.ToString(), "{5E1A6C21-7B4D-4F0E-9C3A-2D8B61F0A004}");
    EXPECT_EQ(Guid::Parse(expected.ToString()), expected);
}

TEST(RegistryFile, TextRoundTripKeepsAwkwardPaths) {
    RegistryData d;
    d.Put(ClassEntry{G(1), "Quindel", "OCX_Pilonda2.Quindel", "/opt/a b\\c\td/libQ.so", G(9)});
    d.Put(InterfaceEntry{G(2), "_Quindel", G(9)});
    d.Put(InterfaceEntry{G(3), "__Quindel", G(9)});
    d.Put(TypeLibEntry{G(9), "OCX_Pilonda2", "1.0", "/opt/line\nbreak/libQ.so"});
    const std::string text = RegistryFile::Format(d);
    EXPECT_EQ(RegistryFile::Parse(text, "mem"), d);
    // One entry a line, whatever the fields hold.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
}

TEST(RegistryFile, PutReplacesByIdAndAProgramIdNamesOneClass) {
    RegistryData d;
    d.Put(ClassEntry{G(1), "A", "Lib.Thing", "/a.so", G(9)});
    d.Put(ClassEntry{G(1), "A", "Lib.Thing", "/b.so", G(9)});
    ASSERT_EQ(d.classes.size(), 1u);
    EXPECT_EQ(d.classes[0].library, "/b.so");
    d.Put(ClassEntry{G(2), "B", "lib.THING", "/c.so", G(9)});
    ASSERT_EQ(d.classes.size(), 1u);
    EXPECT_EQ(d.FindProgId("Lib.Thing")->clsid, G(2));
    EXPECT_TRUE(d.RemoveClass(G(2)));
    EXPECT_FALSE(d.RemoveClass(G(2)));
}

TEST(RegistryFile, ACorruptOrTruncatedFileFailsNamingFileAndProblem) {
    const std::string good = RegistryFile::Format([] {
        RegistryData d;
        d.Put(ClassEntry{G(1), "Quindel", "OCX_Pilonda2.Quindel", "/x/libQ.so", G(9)});
        d.Put(InterfaceEntry{G(2), "_Quindel", G(9)});
        return d;
    }());
    struct Case {
        std::string text;
        const char* problem;
    };
    const Case cases[] = {
        {"", "no header"},
        {"# only a comment\n", "no header"},
        {good.substr(0, good.find("interface")), "no end line"},
        {good.substr(0, good.size() - 3), "no line end"},
        {"hello world\n", "not a registry file"},
        {"quindel-registry\t7\nend\t0\n", "version 7"},
        {"quindel-registry\t1\nclass\t{bad}\tQ\tP\t/l\t" + G(9).ToString() + "\nend\t1\n",
         "not an identifier"},
        {"quindel-registry\t1\ninterface\t" + G(2).ToString() + "\t_Q\nend\t1\n", "fields"},
        {"quindel-registry\t1\nwidget\tx\nend\t1\n", "unknown entry 'widget'"},
        {"quindel-registry\t1\nend\t3\n", "counts 3 entries"},
        {"quindel-registry\t1\nend\t0\nclass\tx\n", "after the end line"},
        {"quindel-registry\t1\ntypelib\t" + G(9).ToString() + "\tN\t1.0\t/a\\q\nend\t1\n",
         "bad escape"},
    };
    test::TestFolder dir("registry");
    const fs::path file = dir.path() / "registry";
    for (const Case& c : cases) {
        WriteText(file, c.text);
        try {
            RegistryFile(file).Read();
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const RegistryError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(file.string()), std::string::npos) << what;
            EXPECT_NE(what.find(c.problem), std::string::npos) << what;
            EXPECT_EQ(e.file(), file);
        }
    }
}

TEST(RegistryFile, AMissingFileReadsEmptyAndAFailedChangeLeavesTheFileAlone) {
    test::TestFolder dir("registry");
    const RegistryFile r(dir.path() / "sub" / "registry");
    EXPECT_TRUE(r.Read().Empty());
    r.Update([](RegistryData& d) { d.Put(InterfaceEntry{G(2), "_Q", G(9)}); });
    const RegistryData before = r.Read();
    EXPECT_THROW(r.Update([](RegistryData& d) {
        d.Put(InterfaceEntry{G(3), "_R", G(9)});
        throw std::runtime_error("changed my mind");
    }),
                 std::runtime_error);
    EXPECT_EQ(r.Read(), before);
    // No temporary file is left behind.
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir.path() / "sub"))
        files += e.path().filename().string().find(".lock") == std::string::npos;
    EXPECT_EQ(files, 1);
}

// Each writer adds its own entries with read-modify-write cycles; with the lock none is lost.
void AddEntries(const fs::path& file, int writer, int count) {
    for (int i = 0; i < count; ++i)
        RegistryFile(file).Update([&](RegistryData& d) {
            d.Put(InterfaceEntry{G(std::uint32_t(writer * 1000 + i)), "I", G(9)});
        });
}

TEST(RegistryFile, ConcurrentUpdatesFromThreadsAndProcessesAllLand) {
    constexpr int kWriters = 3, kEach = 12;
    test::TestFolder dir("registry");
    const fs::path file = dir.path() / "registry";
    // Processes first: a child forked while threads run could inherit a held lock.
    std::vector<pid_t> children;
    for (int w = kWriters; w < 2 * kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int code = 0;
            try {
                AddEntries(file, w, kEach);
            } catch (...) {
                code = 1;
            }
            ::_exit(code);
        }
        children.push_back(pid);
    }
    std::vector<std::thread> threads;
    for (int w = 0; w < kWriters; ++w) threads.emplace_back(AddEntries, file, w, kEach);
    for (auto& t : threads) t.join();
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const RegistryData d = RegistryFile(file).Read();
    EXPECT_EQ(d.interfaces.size(), std::size_t(2 * kWriters * kEach));
    for (int w = 0; w < 2 * kWriters; ++w)
        for (int i = 0; i < kEach; ++i)
            EXPECT_NE(d.FindInterface(G(std::uint32_t(w * 1000 + i))), nullptr) << w << " " << i;
}

TEST(RegistryLookup, TheUserRegistryWinsOverTheSystemOne) {
    test::TestFolder dir("registry");
    SetRegistryOverride(std::nullopt);
    ScopedEnv noSingle("QUINDEL_REGISTRY", "");
    ScopedEnv xdg("XDG_DATA_HOME", dir.path().string());
    ScopedEnv system("QUINDEL_SYSTEM_REGISTRY", (dir.path() / "system").string());
    ASSERT_EQ(UserRegistryPath(), dir.path() / "quindel" / "registry");
    RegistryFile(UserRegistryPath()).Update([](RegistryData& d) {
        d.Put(ClassEntry{G(1), "Mine", "Lib.Thing", "/user.so", G(9)});
    });
    RegistryFile(SystemRegistryPath()).Update([](RegistryData& d) {
        d.Put(ClassEntry{G(2), "Theirs", "Lib.Thing", "/system.so", G(9)});
        d.Put(ClassEntry{G(3), "Only", "Lib.Other", "/system.so", G(9)});
    });
    EXPECT_EQ(ResolveClass("lib.thing").library, "/user.so");
    EXPECT_EQ(ResolveClass("Lib.Other").library, "/system.so");
    EXPECT_EQ(ResolveClass(G(2).ToString()).library, "/system.so");
    EXPECT_EQ(RegistrationTarget().Path(), UserRegistryPath());
    try {
        ResolveClass("Lib.Missing");
        ADD_FAILURE();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 429);
        EXPECT_EQ(e.description(), "ActiveX component can't create object");
    }
}

// Packages drop one registry file per component beside the system registry; a lookup reads
// them after the user and system registries, in file-name order.
TEST(RegistryLookup, DropInFilesAreReadAfterTheUserAndSystemRegistries) {
    const auto one = [](std::uint32_t n, const char* progId, const char* library) {
        RegistryData d;
        d.Put(ClassEntry{G(n), "C", progId, library, G(9)});
        return RegistryFile::Format(d);
    };
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;  // path under the folder, text
        std::string lookup;
        std::string library;  // relative to the folder; empty: the class is not found
        std::string errorMentions = {};
    };
    const Case cases[] = {
        {"a drop-in alone",
         {{"sys/registry.d/A.reg", one(1, "Lib.Thing", "/a.so")}},
         "lib.thing",
         "/a.so"},
        {"by class id",
         {{"sys/registry.d/A.reg", one(1, "Lib.Thing", "/a.so")}},
         G(1).ToString(),
         "/a.so"},
        {"the user registry wins",
         {{"user/quindel/registry", one(2, "Lib.Thing", "/user.so")},
          {"sys/registry.d/A.reg", one(1, "Lib.Thing", "/a.so")}},
         "Lib.Thing",
         "/user.so"},
        {"the system file wins",
         {{"sys/registry", one(2, "Lib.Thing", "/system.so")},
          {"sys/registry.d/A.reg", one(1, "Lib.Thing", "/a.so")}},
         "Lib.Thing",
         "/system.so"},
        {"the first by name wins",
         {{"sys/registry.d/B.reg", one(2, "Lib.Thing", "/b.so")},
          {"sys/registry.d/A.reg", one(1, "Lib.Thing", "/a.so")}},
         "Lib.Thing",
         "/a.so"},
        {"a relative library lies from the drop-in's folder",
         {{"sys/registry.d/A.reg", one(1, "Lib.Thing", "../../lib/libthing.so.0")}},
         "Lib.Thing",
         "lib/libthing.so.0"},
        {"other names and folders are no drop-ins",
         {{"sys/registry.d/A.reg.dpkg-new", one(1, "Lib.Thing", "/new.so")},
          {"sys/registry.d/.A.reg", one(2, "Lib.Thing", "/hidden.so")},
          {"sys/registry.d/A.txt", one(3, "Lib.Thing", "/txt.so")},
          {"sys/registry.d/D.reg/A.reg", one(4, "Lib.Thing", "/nested.so")}},
         "Lib.Thing",
         ""},
        {"no drop-in folder", {}, "Lib.Thing", ""},
        {"a corrupt drop-in is named",
         {{"sys/registry.d/A.reg", "quindel-registry\t1\n"},
          {"sys/registry.d/B.reg", one(1, "Lib.Thing", "/b.so")}},
         "Lib.Thing",
         "",
         "A.reg"},
    };
    SetRegistryOverride(std::nullopt);
    ScopedEnv noSingle("QUINDEL_REGISTRY", "");
    for (const Case& c : cases) {
        test::TestFolder dir("dropin");
        ScopedEnv xdg("XDG_DATA_HOME", (dir.path() / "user").string());
        ScopedEnv system("QUINDEL_SYSTEM_REGISTRY", (dir.path() / "sys" / "registry").string());
        ASSERT_EQ(DropInFolder(), dir.path() / "sys" / "registry.d");
        for (const auto& [file, text] : c.files) {
            fs::create_directories((dir.path() / file).parent_path());
            WriteText(dir.path() / file, text);
        }
        const fs::path expected =
            c.library.empty() || c.library[0] == '/' ? fs::path(c.library) : dir.path() / c.library;
        try {
            EXPECT_EQ(fs::path(ResolveClass(c.lookup).library), expected) << c.what;
        } catch (const VbError& e) {
            EXPECT_TRUE(c.library.empty()) << c.what << ": " << e.description();
            EXPECT_EQ(e.number(), 429) << c.what;
            EXPECT_NE(e.description().find(c.errorMentions), std::string::npos)
                << c.what << ": " << e.description();
        }
    }
}

}  // namespace
}  // namespace quindel::component
