// Command strings in, numbers and replies out: words, quoting, device names and the errors of
// each kind of mistake.
#include <string>
#include <vector>

#include "MciTestKit.h"

namespace quindel::mci::test {
namespace {

struct Case {
    std::string command;  // "$HWND" stands for the host surface's handle
    std::uint32_t result;
    std::string reply = {};
};

class CommandStrings : public MciHost {
  protected:
    void SetUp() override {
        Write("anim.fake", "40x30: 100 100 100");
        Write("bad.fake", "not an animation");
    }

    std::string Expand(std::string s) const {
        const std::string hwnd = std::to_string(surface->hWnd());
        for (std::size_t at; (at = s.find("$HWND")) != std::string::npos;) s.replace(at, 5, hwnd);
        for (std::size_t at; (at = s.find("$DIR")) != std::string::npos;)
            s.replace(at, 4, folder.path().string());
        return s;
    }

    void Run(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            std::string reply = "stale";
            const std::string command = Expand(c.command);
            EXPECT_EQ(mci.SendString(command, &reply, 80), c.result) << command;
            EXPECT_EQ(reply, c.reply) << command;
        }
    }
};

TEST_F(CommandStrings, MistakesBeforeAnyDeviceIsReached) {
    Run({
        {"", err::MissingCommandString},
        {" \t  ", err::MissingCommandString},
        {"dance mmmMAT", err::UnrecognizedCommand},
        {"\"play\" mmmMAT", err::UnrecognizedCommand},
        {"play", err::MissingDeviceName},
        {"play mmmMAT", err::InvalidDeviceName},
        {"PLAY   mmmMAT", err::InvalidDeviceName},
        {"play all", err::CannotUseAll},
        {"close mmmMAT", err::InvalidDeviceName},
        {"close", err::MissingDeviceName},
        {"close all", err::None},
        {"open", err::MissingDeviceName},
        {"open type mmmovie alias a", err::MissingDeviceName},
        {"open \"$DIR/anim.fake type mmmovie", err::NoClosingQuote},
        {"open \"$DIR/anim.fake\"x type mmmovie", err::ExtraCharacters},
        {"open $DIR/anim.fake type nosuch alias a parent $HWND", err::CannotLoadDriver},
        {"open $DIR/anim.xyz alias a parent $HWND", err::ExtensionNotFound},
        {"open $DIR/missing.fake type mmmovie alias a parent $HWND", err::FileNotFound},
        {"open $DIR/bad.fake type mmmovie alias a parent $HWND", err::InvalidFile},
        {"open $DIR/anim.fake type mmmovie alias a", err::NoWindow},
        {"open $DIR/anim.fake type mmmovie alias a parent 999999", err::CreateWindow},
        {"open $DIR/anim.fake type mmmovie alias a parent 12ab", err::BadInteger},
        {"open $DIR/anim.fake type", err::MissingParameter},
        {"open $DIR/anim.fake type mmmovie alias a style popup parent $HWND",
         err::UnsupportedFunction},
        {"open $DIR/anim.fake type mmmovie alias a style sideways parent $HWND", err::BadConstant},
        {"open $DIR/anim.fake type mmmovie alias a loudly", err::UnrecognizedKeyword},
        {"open $DIR/anim.fake type mmmovie alias a alias b", err::DuplicateFlags},
        {"open $DIR/anim.fake type mmmovie alias all parent $HWND", err::CannotUseAll},
    });
    EXPECT_EQ(mci.OpenCount(), 0u);
}

TEST_F(CommandStrings, CommandsOnAnOpenDevice) {
    Run({
        {"open $DIR/anim.fake type mmmovie alias mmmMAT style child parent $HWND", err::None},
        {"open $DIR/anim.fake type mmmovie alias MMMmat parent $HWND", err::DuplicateAlias},
        {"status mmmMAT length", err::None, "3"},
        {"  STATUS   mmmmat   LENGTH  ", err::None, "3"},
        {"status mmmMAT position", err::None, "0"},
        {"status mmmMAT mode", err::None, "paused"},
        {"status mmmMAT ready wait", err::None, "true"},
        {"status mmmMAT Time  Format", err::None, "frames"},
        {"status mmmMAT", err::MissingParameter},
        {"status mmmMAT colour", err::UnrecognizedKeyword},
        {"status mmmMAT window", err::UnrecognizedKeyword},
        {"status nosuch length", err::InvalidDeviceName},
        {"seek mmmMAT", err::MissingParameter},
        {"seek mmmMAT to", err::MissingParameter},
        {"seek mmmMAT to middle", err::BadInteger},
        {"seek mmmMAT to 4", err::OutOfRange},
        {"seek mmmMAT to -1", err::OutOfRange},
        {"seek mmmMAT to end", err::None},
        {"status mmmMAT position", err::None, "3"},
        {"seek mmmMAT to 1", err::None},
        {"status mmmMAT position", err::None, "1"},
        {"play mmmMAT from 5", err::OutOfRange},
        {"play mmmMAT from x", err::BadInteger},
        {"play mmmMAT from 99999999999", err::BadInteger},
        {"play mmmMAT from 2 to 1", err::OutOfRange},
        {"play mmmMAT from 1 from 2", err::DuplicateFlags},
        {"play mmmMAT speed 2", err::UnrecognizedKeyword},
        {"play mmmMAT", err::None},
        {"status mmmMAT mode", err::None, "playing"},
        {"pause mmmMAT wait", err::None},
        {"status mmmMAT mode", err::None, "paused"},
        {"stop mmmMAT notify", err::None},
        {"status mmmMAT mode", err::None, "stopped"},
        {"resume mmmMAT extra", err::UnrecognizedKeyword},
        {"where mmmMAT destination", err::None, "0 0 40 30"},
        {"where mmmMAT", err::MissingParameter},
        {"where mmmMAT source destination", err::FlagsNotCompatible},
        {"window mmmMAT state hide", err::None},
        {"window mmmMAT state sideways", err::BadConstant},
        {"window mmmMAT", err::MissingParameter},
        {"close mmmMAT loudly", err::UnrecognizedKeyword},
        {"close mmmMAT notify", err::None},
        {"close mmmMAT", err::InvalidDeviceName},
        {"pause mmmMAT", err::InvalidDeviceName},
    });
}

TEST_F(CommandStrings, FileNamesWithBlanksAndPolishLetters) {
    const std::string odd = Write("Żółta  łódź ćma.fake", "20x10: 100 100");
    Run({
        // Unquoted, as the panel joins them: blanks kept exactly, up to the first keyword.
        {"open $DIR/Żółta  łódź ćma.fake type mmmovie alias a parent $HWND", err::None},
        {"status A length", err::None, "2"},
        {"open \"$DIR/Żółta  łódź ćma.fake\" type mmmovie alias b parent $HWND", err::None},
        {"status b length", err::None, "2"},
        // Without an alias the file is the device's name; its extension gives the type.
        {"open \"$DIR/Żółta  łódź ćma.fake\" parent $HWND", err::None},
        {"status \"$DIR/ŻÓŁTA  ŁÓDŹ ĆMA.FAKE\" length", err::None, "2"},
        {"close \"$DIR/Żółta  łódź ćma.fake\"", err::None},
        {"open $DIR/Żółta łódź ćma.fake type mmmovie alias c parent $HWND", err::FileNotFound},
    });
    EXPECT_EQ(mci.OpenCount(), 2u);
    EXPECT_EQ(Send("close all"), err::None);
    EXPECT_EQ(mci.OpenCount(), 0u);
}

TEST_F(CommandStrings, RepliesAreCutToTheCallersBuffer) {
    ASSERT_EQ(Send(Expand("open $DIR/anim.fake type mmmovie alias a parent $HWND")), err::None);
    struct Cut {
        std::size_t capacity;
        std::string reply;
    };
    for (const Cut& c :
         std::vector<Cut>{{0, ""}, {1, ""}, {2, "0"}, {5, "0 0 "}, {80, "0 0 40 30"}}) {
        std::string reply = "stale";
        EXPECT_EQ(mci.SendString("where a source", &reply, c.capacity), err::None);
        EXPECT_EQ(reply, c.reply) << c.capacity;
    }
    EXPECT_EQ(mci.SendString("where a source", nullptr, 80), err::None);
    std::string reply = "stale";
    EXPECT_EQ(mci.SendString("where nosuch source", &reply, 80), err::InvalidDeviceName);
    EXPECT_EQ(reply, "");
}

TEST_F(CommandStrings, ErrorTexts) {
    const std::vector<std::pair<std::uint32_t, std::string>> texts = {
        {263, "The specified device is not open or is not recognized by MCI."},
        {275, "Cannot find the specified file. Make sure the path and filename are correct."},
        {261, "The driver cannot recognize the specified command."},
        {273, "The specified command requires a parameter. Please supply one."},
        {274, "The MCI device you are using does not support the specified command."},
        {282, "The specified parameter is out of range for the specified command."},
        {289, "The specified alias is already being used in this application. Use a unique alias."},
        {0, "The specified command was carried out."},
    };
    for (const auto& [error, text] : texts) EXPECT_EQ(mci.ErrorString(error), text) << error;
    EXPECT_EQ(mci.ErrorString(err::InvalidDeviceName), mci.ErrorString(263));
    for (std::uint32_t e = 0; e < 1000; ++e) {
        const std::string text = mci.ErrorString(e);
        EXPECT_FALSE(text.empty()) << e;
        EXPECT_LE(text.size(), 255u) << e;
    }
}

}  // namespace
}  // namespace quindel::mci::test
