// Every control of the kit declares exactly its row of the display-control contract, and the
// platform's own windows answer the rows the panel reaches them by.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "DisplayKitSupport.h"
#include "contract/Rows.h"
#include "hostkit/animation/AnimationForm.h"
#include "hostkit/media/MediaControl.h"
#include "hostkit/movie/MovieControl.h"
#include "hostkit/panorama/PanoramaControl.h"
#include "hostkit/picture/PictureControl.h"
#include "hostkit/richtextbox/RichTextBox.h"
#include "hostkit/zip/ZipExtractor.h"
#include "platform/WindowObject.h"
#include "runtime/Text.h"

namespace quindel::hostkit {
namespace {

std::set<std::string> Names(const contract::Row& row) {
    std::set<std::string> names;
    for (const contract::Member& m : row.members) names.insert(LCase(m.name));
    return names;
}

// Each member of row is in table with the row's kinds, type and (when the row numbers it) id.
void ExpectAnswers(const DispatchTable& table, const contract::Row& row) {
    for (const contract::Member& m : row.members) {
        SCOPED_TRACE(std::string(row.name) + "." + std::string(m.name));
        const MemberSpec* declared = table.find(m.name);
        ASSERT_NE(declared, nullptr);
        EXPECT_EQ(declared->kinds, m.kinds);
        EXPECT_EQ(declared->valueType, m.type);
        if (m.id != 0) {
            EXPECT_EQ(declared->id, m.id);
        }
    }
}

TEST(ContractRows, EveryKitControlDeclaresItsWholeRowAndNothingMore) {
    test::Stage st;
    platform::Form& f = *st.form;
    const MediaOptions virtualMedia{.backend = MediaBackend::Virtual};
    const struct {
        const contract::Row& row;
        std::shared_ptr<TableDispatch> control;
    } cases[] = {
        {contract::picture::kRow, st.p.NewChild<PictureControl>(f)},
        {contract::panorama::kRow, st.p.NewChild<PanoramaControl>(f)},
        {contract::movie::kRow, st.p.NewChild<MovieControl>(f)},
        {contract::media::kFilm, st.p.NewChild<MediaControl>(f, virtualMedia)},
        {contract::text::kRow, st.p.NewChild<RichTextBox>(f)},
        {contract::extractor::kRow, std::make_shared<ZipExtractor>(st.p.files())},
        {contract::animationform::kRow, std::make_shared<AnimationForm>(st.p.NewForm())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.name);
        const DispatchTable& table = c.control->dispatchTable();
        std::set<std::string> declared;
        for (const MemberSpec& m : table.members()) declared.insert(LCase(m.name));
        EXPECT_EQ(declared, Names(c.row));
        EXPECT_EQ(table.members().size(), c.row.members.size()) << "a member named twice";
        ExpectAnswers(table, c.row);
    }
}

// One film control serves as the sound control too.
TEST(ContractRows, TheSoundRowIsPartOfTheFilmRow) {
    for (const contract::Member& m : contract::media::kSound.members) {
        const contract::Member* film = contract::media::kFilm.Find(m.name);
        ASSERT_NE(film, nullptr) << m.name;
        EXPECT_EQ(film->kinds, m.kinds) << m.name;
        EXPECT_EQ(film->type, m.type) << m.name;
    }
}

TEST(ContractRows, ThePlatformsWindowsAnswerTheRowsThePanelReachesThemBy) {
    test::Stage st;
    const auto animation = std::make_shared<AnimationForm>(st.p.NewForm());
    const struct {
        const contract::Row& row;
        Object window;
    } cases[] = {
        {contract::window::kForm, platform::MakeFormObject(st.form)},
        {contract::window::kAnimationSurface,
         *GetProperty(animation, contract::animationform::PicAnimazioni.name).asObjectPtr()},
        {contract::window::kSoundSign,
         *GetProperty(animation, contract::animationform::PicSuono.name).asObjectPtr()},
    };
    for (const auto& c : cases) {
        const auto* view = dynamic_cast<const TableDispatch*>(c.window.get());
        ASSERT_NE(view, nullptr) << c.row.name;
        ExpectAnswers(view->dispatchTable(), c.row);
    }
}

}  // namespace
}  // namespace quindel::hostkit
