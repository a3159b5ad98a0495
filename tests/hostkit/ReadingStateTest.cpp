#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "TestFolder.h"
#include "hostkit/state/ReadingState.h"
#include "hostkit/state/StateStore.h"

namespace quindel {
namespace {

namespace fs = std::filesystem;
using hostkit::ReadingState;

ReadingState Full() {
    ReadingState s;
    s.content = "0123456789abcdef0123456789abcdef";
    s.object = 144;
    s.zoomed = true;
    s.panX = 312;
    s.panY = -4;
    s.panoramaPan = 123.456789012345;
    s.panoramaFov = 1.0 / 3.0;
    s.filmMs = 9876543210LL;
    s.volume = 37;
    s.multimediaListOpen = true;
    s.linkedListOpen = false;
    return s;
}

TEST(ReadingStateText, RoundTripsEveryFieldAndLeavesAbsentOnesAbsent) {
    ReadingState sparse;
    sparse.content = "c";
    sparse.volume = 0;
    for (const ReadingState& s : {Full(), sparse}) {
        ReadingState back;
        std::string why;
        ASSERT_TRUE(hostkit::ParseReadingState(hostkit::FormatReadingState(s), back, why)) << why;
        EXPECT_EQ(back, s);
    }
}

TEST(ReadingStateText, RefusesDamagedTextAndSkipsUnknownKeys) {
    const std::string head = "quindel-reading-state 1\ncontent=abc\n";
    const struct {
        const char* name;
        std::string text;
        bool usable;
    } cases[] = {
        {"empty", "", false},
        {"other header", "quindel-reading-state 2\ncontent=abc\n", false},
        {"no fingerprint", "quindel-reading-state 1\nobject=3\n", false},
        {"number with junk", head + "object=3x\n", false},
        {"empty number", head + "volume=\n", false},
        {"key without value", head + "object\n", false},
        {"flag not 0 or 1", head + "zoomed=yes\n", false},
        {"not finite", head + "panorama_pan=nan\n", false},
        {"too large for 32 bits", head + "pan_x=99999999999\n", false},
        {"binary",
         std::string("\x7f"
                     "ELF\0\1\2",
                     7),
         false},
        {"unknown key and comment", head + "# note\nfuture_key=whatever\nobject=5\n", true},
        {"CR LF lines", "quindel-reading-state 1\r\ncontent=abc\r\n", false},
    };
    for (const auto& c : cases) {
        ReadingState s;
        s.volume = 99;
        std::string why;
        EXPECT_EQ(hostkit::ParseReadingState(c.text, s, why), c.usable) << c.name;
        if (c.usable) {
            EXPECT_EQ(s.object, 5) << c.name;
            EXPECT_FALSE(s.volume.has_value()) << c.name;
        } else {
            EXPECT_FALSE(why.empty()) << c.name;
            EXPECT_EQ(s.volume, 99) << c.name << ": a refused text changed the state";
        }
    }
}

// Each test keeps its states under a folder of its own.
class StateStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = std::make_unique<test::TestFolder>("quindel_state");
        setenv("XDG_STATE_HOME", (home_->path() / "xdg").c_str(), 1);
        content_ = home_->path() / "content";
        fs::create_directories(content_);
    }
    void TearDown() override {
        unsetenv("XDG_STATE_HOME");
        home_.reset();
    }
    std::unique_ptr<test::TestFolder> home_;
    fs::path content_;
};

TEST_F(StateStoreTest, SavesAndLoadsPerContentFolder) {
    const ReadingState s = Full();
    ASSERT_EQ(hostkit::SaveReadingState(content_, s), "");
    EXPECT_EQ(hostkit::StateFileFor(content_).parent_path(), home_->path() / "xdg" / "quindel");
    // The same folder by another spelling of its path.
    const auto loaded = hostkit::LoadReadingState(content_ / "." / "", s.content);
    ASSERT_TRUE(loaded.state.has_value()) << loaded.warning;
    EXPECT_EQ(*loaded.state, s);
    EXPECT_EQ(loaded.warning, "");
    // Another folder has no state; nothing is said about it.
    const fs::path other = home_->path() / "other";
    fs::create_directories(other);
    const auto none = hostkit::LoadReadingState(other, s.content);
    EXPECT_FALSE(none.state.has_value());
    EXPECT_EQ(none.warning, "");
    // Saved again: replaced whole, and no temporary file stays behind.
    ReadingState later = s;
    later.object = 2;
    ASSERT_EQ(hostkit::SaveReadingState(content_, later), "");
    EXPECT_EQ(hostkit::LoadReadingState(content_, s.content).state->object, 2);
    int files = 0;
    for ([[maybe_unused]] const auto& f : fs::directory_iterator(home_->path() / "xdg" / "quindel"))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(StateStoreTest, UnusableStateIsIgnoredWithAWarning) {
    const ReadingState s = Full();
    const struct {
        const char* name;
        std::string bytes;
        std::string fingerprint;
    } cases[] = {
        {"other content", hostkit::FormatReadingState(s), "ffffffffffffffffffffffffffffffff"},
        {"damaged", "quindel-reading-state 1\ncontent=" + s.content + "\nobject=??\n", s.content},
        {"truncated", hostkit::FormatReadingState(s).substr(0, 10), s.content},
        {"huge", std::string(1 << 20, '\n'), s.content},
    };
    for (const auto& c : cases) {
        const fs::path file = hostkit::StateFileFor(content_);
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.bytes;
        const auto loaded = hostkit::LoadReadingState(content_, c.fingerprint);
        EXPECT_FALSE(loaded.state.has_value()) << c.name;
        EXPECT_NE(loaded.warning.find(file.string()), std::string::npos) << c.name;
    }
}

TEST_F(StateStoreTest, StateFolderFollowsTheEnvironment) {
    const struct {
        const char* xdg;  // nullptr: unset
        fs::path expected;
    } cases[] = {
        {"/srv/state", "/srv/state/quindel"},
        {"", fs::path(std::getenv("HOME") ? std::getenv("HOME") : "/") / ".local/state/quindel"},
        {"relative/state",
         fs::path(std::getenv("HOME") ? std::getenv("HOME") : "/") / ".local/state/quindel"},
        {nullptr,
         fs::path(std::getenv("HOME") ? std::getenv("HOME") : "/") / ".local/state/quindel"},
    };
    for (const auto& c : cases) {
        if (c.xdg)
            setenv("XDG_STATE_HOME", c.xdg, 1);
        else
            unsetenv("XDG_STATE_HOME");
        EXPECT_EQ(hostkit::StateFolder(), c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
}

TEST_F(StateStoreTest, AnUnwritableStateFolderIsAnErrorNotACrash) {
    // A file where the folder should be stops even root.
    const fs::path blocker = home_->path() / "blocker";
    std::ofstream(blocker) << "x";
    setenv("XDG_STATE_HOME", blocker.c_str(), 1);
    EXPECT_NE(hostkit::SaveReadingState(content_, Full()), "");
    EXPECT_FALSE(hostkit::LoadReadingState(content_, Full().content).state.has_value());
}

}  // namespace
}  // namespace quindel
