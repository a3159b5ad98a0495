// Where the component's own files go: the log, the temporary files and the catalogue, for each
// combination of the host's overrides and the environment; and the process's private folder,
// removed however the process ends (each case in a forked child, so every child makes a folder
// of its own under the environment it was given).
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>

#include "TestFolder.h"
#include "platform/FileSystem.h"
#include "platform/ProcessFolder.h"
#include "platform/SafeFile.h"

namespace fs = std::filesystem;
using quindel::platform::FileSystem;
using quindel::platform::ProcessFolder;

namespace {

// Sets (or, with nullopt, clears) variables for the guard's life.
class ScopedEnv {
  public:
    explicit ScopedEnv(const std::map<std::string, std::optional<std::string>>& vars) {
        for (const auto& [name, value] : vars) {
            const char* old = std::getenv(name.c_str());
            old_[name] = old ? std::optional<std::string>(old) : std::nullopt;
            Set(name, value);
        }
    }
    ~ScopedEnv() {
        for (const auto& [name, value] : old_) Set(name, value);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    static void Set(const std::string& name, const std::optional<std::string>& value) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    std::map<std::string, std::optional<std::string>> old_;
};

const std::optional<std::string> kUnset;

std::string LoadedLibraryFolder() {
    Dl_info info{};
    EXPECT_TRUE(dladdr(reinterpret_cast<void*>(&quindel::platform::MatchWildcard), &info));
    return fs::path(info.dli_fname).parent_path().string();
}

// Runs body in a forked child, which writes what it has to say into the pipe and then ends as
// body decides; returns the child's words and its wait status.
struct ChildResult {
    std::string said;
    int status = 0;
};
ChildResult InChild(const std::function<void(int out)>& body) {
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ends[0]);
        body(ends[1]);
        std::exit(0);
    }
    ::close(ends[1]);
    ChildResult r;
    char buffer[512];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) r.said.append(buffer, n);
    ::close(ends[0]);
    ::waitpid(pid, &r.status, 0);
    return r;
}

void Say(int out, const std::string& s) {
    [[maybe_unused]] const auto n = ::write(out, s.data(), s.size());
}

}  // namespace

TEST(FileFolders, TheLogGoesToTheHostsFolderBesideTheComponentOrTheStateFolder) {
    quindel::test::TestFolder t("folders");
    const std::string home = (t.path() / "home").string(), state = (t.path() / "state").string();
    struct Case {
        const char* what;
        std::optional<std::string> quindelFolder, xdgState, home;
        std::string hostComponent, hostLog;
        std::string expected;  // "" for no log at all
    } cases[] = {
        {"the host's log folder wins", "/q", state, home, "/c", "/log", "/log"},
        {"a component folder named by the host", "/q", state, home, "/c", "", "/c"},
        {"a component folder named by the environment", "/q", state, home, "", "", "/q"},
        {"the XDG state folder", kUnset, state, home, "", "", state + "/quindel"},
        {"a relative state folder is ignored", kUnset, "rel", home, "", "",
         home + "/.local/state/quindel"},
        {"the default state folder", kUnset, kUnset, home, "", "", home + "/.local/state/quindel"},
        {"no home, no state folder: no log", kUnset, kUnset, kUnset, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv env({{"QUINDEL_FOLDER", c.quindelFolder},
                       {"XDG_STATE_HOME", c.xdgState},
                       {"HOME", c.home}});
        FileSystem files;
        if (!c.hostComponent.empty()) files.setComponentFolder(c.hostComponent);
        if (!c.hostLog.empty()) files.setLogFolder(c.hostLog);
        EXPECT_EQ(files.LogFolder(), c.expected);
        if (c.expected.starts_with(t.path().string())) {
            struct stat st {};
            ASSERT_EQ(::stat(c.expected.c_str(), &st), 0) << "the state folder is made";
            EXPECT_EQ(st.st_mode & 0777, 0700u);
        }
    }
}

TEST(FileFolders, TheCatalogueIsLookedForBesideTheComponentOrTheLibraryNeverTheCurrentFolder) {
    quindel::test::TestFolder t("folders");
    const std::string library = LoadedLibraryFolder();
    const std::string installed =
        (fs::path(library) / ".." / "share" / "quindel").lexically_normal().string();
    struct Case {
        const char* what;
        std::optional<std::string> quindelFolder;
        std::string hostComponent;
        std::vector<std::string> expected;
    } cases[] = {
        {"the host's component folder and its parent", "/q", "/c", {"/c", "/c/.."}},
        {"the environment's component folder and its parent", "/q", "", {"/q", "/q/.."}},
        {"the library's folder, then the data folder installed with it",
         kUnset,
         "",
         {library, installed}},
    };
    const fs::path before = fs::current_path();
    fs::current_path(t.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv env({{"QUINDEL_FOLDER", c.quindelFolder}});
        FileSystem files;
        if (!c.hostComponent.empty()) files.setComponentFolder(c.hostComponent);
        EXPECT_EQ(files.DataFolders(), c.expected);
        EXPECT_EQ(files.ComponentFolder(), c.expected.front());
    }
    fs::current_path(before);
}

// How the child ends once its folder holds an extracted file, and whether it is gone afterwards.
TEST(FileFolders, TheTemporaryFolderIsPrivateAndGoesWhenTheProcessEnds) {
    quindel::test::TestFolder t("folders");
    const fs::path runtime = t.path() / "runtime", tmp = t.path() / "tmp";
    fs::create_directories(runtime);
    fs::create_directories(tmp);
    ::chmod(runtime.c_str(), 0700);
    enum class End { Exit, Term, Int, HostHandlerThenTerm, TermIgnoredThenExit };
    struct Case {
        const char* what;
        std::optional<std::string> runtimeDir;
        fs::path parent;
        End end;
    } cases[] = {
        {"exit, under the runtime folder", runtime.string(), runtime, End::Exit},
        {"SIGTERM", runtime.string(), runtime, End::Term},
        {"SIGINT", runtime.string(), runtime, End::Int},
        {"the host's own SIGTERM handler, which exits", runtime.string(), runtime,
         End::HostHandlerThenTerm},
        {"SIGTERM ignored by the host, then exit", runtime.string(), runtime,
         End::TermIgnoredThenExit},
        {"no runtime folder: TMPDIR", kUnset, tmp, End::Exit},
        {"a runtime folder that is not there: TMPDIR", (t.path() / "none").string(), tmp,
         End::Term},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ChildResult r = InChild([&](int out) {
            ScopedEnv env({{"XDG_RUNTIME_DIR", c.runtimeDir},
                           {"TMPDIR", tmp.string()},
                           {"QUINDEL_FOLDER", kUnset}});
            if (c.end == End::HostHandlerThenTerm) std::signal(SIGTERM, [](int) { std::exit(7); });
            if (c.end == End::TermIgnoredThenExit) std::signal(SIGTERM, SIG_IGN);
            const std::string folder = FileSystem().TemporaryFolder();
            quindel::platform::ReplacingFile extracted(folder + "/$$tmp$$.$$$");
            extracted.Write("picture");
            extracted.Commit();
            quindel::platform::ReplacingFile unfinished(folder + "/$$tmp$$.$$$");  // mid-extraction
            Say(out, folder);
            if (c.end == End::Exit) std::exit(0);
            if (c.end == End::Int) ::raise(SIGINT);
            if (c.end != End::Exit) ::raise(SIGTERM);
            Say(out, fs::exists(folder) ? "|still there" : "|gone early");
            std::exit(0);
        });
        const fs::path folder = r.said.substr(0, r.said.find('|'));
        EXPECT_EQ(folder.parent_path(), c.parent);
        EXPECT_TRUE(folder.filename().string().starts_with("quindel-")) << folder;
        EXPECT_FALSE(fs::exists(folder)) << "left behind: " << folder;
        switch (c.end) {
            case End::Term:
            case End::Int:
                ASSERT_TRUE(WIFSIGNALED(r.status)) << "the signal still ends the process";
                EXPECT_EQ(WTERMSIG(r.status), c.end == End::Int ? SIGINT : SIGTERM);
                break;
            case End::HostHandlerThenTerm:
                ASSERT_TRUE(WIFEXITED(r.status));
                EXPECT_EQ(WEXITSTATUS(r.status), 7) << "the host's handler stays in charge";
                break;
            case End::TermIgnoredThenExit:
                EXPECT_TRUE(r.said.ends_with("|still there")) << r.said;
                [[fallthrough]];
            case End::Exit:
                ASSERT_TRUE(WIFEXITED(r.status));
                EXPECT_EQ(WEXITSTATUS(r.status), 0);
                break;
        }
    }
}

TEST(FileFolders, AForkedChildMakesAFolderOfItsOwnAndLeavesItsParentsAlone) {
    quindel::test::TestFolder t("folders");
    const ChildResult r = InChild([&](int out) {
        ScopedEnv env({{"XDG_RUNTIME_DIR", kUnset}, {"TMPDIR", t.path().string()}});
        const std::string mine = ProcessFolder();
        InChild([](int) {});  // a child that never asks for a folder, then exits
        const ChildResult child = InChild([](int out) { Say(out, ProcessFolder()); });
        const ChildResult killed = InChild([](int out) {
            Say(out, ProcessFolder());
            ::raise(SIGTERM);
        });
        const bool distinct = child.said != mine && killed.said != mine && !child.said.empty();
        const bool kept = ProcessFolder() == mine && fs::is_directory(mine);
        const bool theirsGone = !fs::exists(child.said) && !fs::exists(killed.said);
        Say(out, std::string(distinct ? "distinct " : "shared ") + (kept ? "kept " : "lost ") +
                     (theirsGone ? "gone" : "left"));
    });
    EXPECT_EQ(r.said, "distinct kept gone");
    EXPECT_TRUE(fs::is_empty(t.path())) << "the parent's folder went at its exit";
}

TEST(FileFolders, BesideTheComponentTheTemporaryFolderIsTheComponents) {
    ScopedEnv env({{"QUINDEL_FOLDER", std::string("/q")}});
    FileSystem files;
    EXPECT_EQ(files.TemporaryFolder(), "/q");
    files.setComponentFolder("/c");
    EXPECT_EQ(files.TemporaryFolder(), "/c");
}
