// The contract's calls go only as a member's row allows, and the strict fakes answer as a real
// control does: exactly their row's members, each only in the kinds of call it takes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

#include "contract/FakeControl.h"
#include "contract/Rows.h"

namespace quindel::contract {
namespace {

using test::FakeControl;

TEST(Contract, ACallOfAKindTheRowDoesNotListIsRefusedBeforeItIsSent) {
    const auto fake = std::make_shared<FakeControl>(picture::kRow);
    const Object o = fake;
    const std::function<void()> calls[] = {
        [&] { Let(o, picture::IWidth, std::int32_t(3)); },
        [&] { Call(o, picture::FileName); },
        [&] { Set(o, picture::FileName, Object()); },
        [&] { Get(o, window::Move); },
    };
    for (const auto& call : calls) EXPECT_THROW(call(), std::logic_error);
    EXPECT_TRUE(fake->log.empty());
}

TEST(Contract, AStrictFakeRaises438AsARealControlWould) {
    const auto shockwave = std::make_shared<FakeControl>(movie::kRow);
    shockwave->missing.insert("autostart");
    const Object o = shockwave;
    struct Case {
        const char* what;
        std::function<void()> call;
    } cases[] = {
        {"a misspelt member", [&] { LetProperty(o, "SCR", std::string("a.gif")); }},
        {"another row's member", [&] { GetProperty(o, "FileName"); }},
        {"a method read as a property", [&] { GetProperty(o, "Play"); }},
        {"a property called as a method", [&] { CallMethod(o, "SRC"); }},
        {"a read-only member written", [&] { LetProperty(o, "GetCurrentFrame", std::int32_t(2)); }},
        {"a member listed as missing", [&] { LetProperty(o, "AutoStart", false); }},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << " was answered";
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 438) << c.what;
        }
    }
    EXPECT_TRUE(shockwave->log.empty());
}

TEST(Contract, AStrictFakeAnswersItsRowByNameInAnyCaseAndByTheRowsNumbers) {
    const auto box = std::make_shared<FakeControl>(text::kRow);
    const Object o = box;
    LetProperty(o, "ftext", std::string("{\\rtf1 a}"));
    Args none;
    EXPECT_EQ(CStr(o->Invoke(text::FText.id, CallKind::Get, none)), "{\\rtf1 a}");
    Args value{Variant(std::int32_t(5))};
    o->Invoke(text::SelStart.id, CallKind::Let, value);
    EXPECT_EQ(CLng(Get(o, text::SelStart)), 5);
    EXPECT_EQ(box->log, (std::vector<std::string>{"let ftext={\\rtf1 a}", "get ftext",
                                                  "let selstart=5", "get selstart"}));
    EXPECT_EQ(text::kRow.Find("FTEXT"), &text::kRow.members[0]);
    EXPECT_EQ(text::kRow.Find("FTex"), nullptr);
}

TEST(Contract, MediaCommandsGoOutAsTheirNumbers) {
    const auto player = std::make_shared<FakeControl>(media::kSound);
    for (const auto c :
         {media::MediaCommand::Stop, media::MediaCommand::Close, media::MediaCommand::PlayOn})
        media::Send(player, c);
    EXPECT_EQ(player->log,
              (std::vector<std::string>{"let command=11", "let command=1", "let command=7"}));
}

}  // namespace
}  // namespace quindel::contract
