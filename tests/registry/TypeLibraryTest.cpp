// The type library the built library carries in its file matches what the control's member table
// says, and reading it from any other file fails with a reason.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "TestFolder.h"
#include "control/Quindel.h"
#include "control/QuindelIdentificativi.h"
#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/TypeLibraryResource.h"

namespace quindel {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(TypeLibrary, TheLibraryFileCarriesTheMemberTablesText) {
    headless::HeadlessPlatform p;
    auto form = p.NewForm();
    const std::string expected = Quindel::Crea(p, *form)->TypeLibrary();
    std::string why;
    const auto text = component::ReadTypeLibrary(QUINDEL_LIBRARY, why);
    ASSERT_TRUE(text) << why;
    EXPECT_EQ(*text, expected);
    for (const Guid& g : {identificativi::kLibreria, identificativi::kInterfaccia,
                          identificativi::kEventi, identificativi::kClasse})
        EXPECT_NE(text->find(g.ToString()), std::string::npos) << g.ToString();
}

TEST(TypeLibrary, TheToolPrintsItWithoutLoadingTheLibrary) {
    test::TestFolder dir("typelib");
    const fs::path out = dir.path() / "out.idl";
    const std::string print = std::string("'") + QUINDEL_TYPELIB_TOOL + "' '" + QUINDEL_LIBRARY +
                              "' > '" + out.string() + "'";
    ASSERT_EQ(std::system(print.c_str()), 0);
    std::string why;
    EXPECT_EQ(ReadAll(out), component::ReadTypeLibrary(QUINDEL_LIBRARY, why).value_or("?"));

    // A file that is not a type library is never overwritten.
    const fs::path notes = dir.path() / "notes.txt";
    std::ofstream(notes) << "keep me\n";
    const std::string write =
        std::string("'") + QUINDEL_TYPELIB_TOOL + "' '" + notes.string() + "' 2>/dev/null";
    EXPECT_NE(std::system(write.c_str()), 0);
    EXPECT_EQ(ReadAll(notes), "keep me\n");
}

TEST(TypeLibrary, OtherFilesGiveAReasonNotACrash) {
    test::TestFolder dir("typelib");
    const std::string library = ReadAll(QUINDEL_LIBRARY);
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "not a 64-bit ELF"},
        {"text", "hello\n", "not a 64-bit ELF"},
        {"header only", library.substr(0, 64), "section"},
        {"cut in half", library.substr(0, library.size() / 2), "section"},
        {"library without one", ReadAll(QUINDEL_PLAIN_LIBRARY), "carries no type library"},
    };
    for (const Case& c : cases) {
        const fs::path file = dir.path() / "file";
        std::ofstream(file, std::ios::binary) << c.bytes;
        std::string why;
        EXPECT_FALSE(component::ReadTypeLibrary(file, why)) << c.name;
        EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
    }
    std::string why;
    EXPECT_FALSE(component::ReadTypeLibrary(dir.path() / "absent", why));
    EXPECT_NE(why.find("cannot open"), std::string::npos);
}

}  // namespace
}  // namespace quindel
