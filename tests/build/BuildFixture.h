#pragma once
// A content folder in a fresh temporary folder, removed afterwards, with small real media made by
// the sample generator's encoders, and a manifest written from parts a test may change.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "PictureFiles.h"
#include "build/ContentBuilder.h"
#include "build/Diagnostics.h"

namespace quindel::build::test {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// text with its first `find` replaced; a test fault when there is none.
inline std::string Replaced(std::string text, const std::string& find, const std::string& with) {
    const auto at = text.find(find);
    if (at == std::string::npos)
        ADD_FAILURE() << "no '" << find << "' in the manifest";
    else
        text.replace(at, find.size(), with);
    return text;
}

inline std::string Png(int w, int h) {
    return samplegen::EncodePng(platform::Image(w, h));
}
inline std::string Gif(int frames) {
    std::vector<samplegen::GifFrameSpec> f;
    for (int i = 0; i < frames; ++i)
        f.push_back({platform::Image(8, 6, platform::MakeRgb(std::uint8_t(i * 40), 0, 0)), 10});
    return samplegen::EncodeGif(f);
}

// What a folder holds: every file's bytes and time stamp, to show that nothing changed.
inline std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(
    const fs::path& d) {
    std::map<std::string, std::pair<std::string, fs::file_time_type>> s;
    for (const auto& e : fs::recursive_directory_iterator(d))
        if (e.is_regular_file())
            s[fs::relative(e.path(), d).string()] = {ReadFile(e.path()), e.last_write_time()};
        else
            s[fs::relative(e.path(), d).string() + "/"] = {};
    return s;
}

class ContentFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("QUINDEL_CODEPAGE", "CP1250", 1);
        dir_ = fs::temp_directory_path() /
               ("quindel-build-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        WriteFile(dir_ / "media/a.png", Png(64, 48));
        WriteFile(dir_ / "media/b.png", Png(32, 32));
        WriteFile(dir_ / "media/anim.gif", Gif(3));
        WriteFile(dir_ / "texts/t1.rtf", "{\\rtf1 Wisła}");
        WriteFile(dir_ / "Haslo.txt", "Wisła");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // The base manifest: a picture, a packed picture, an animation and a packed text, one link.
    static std::string BaseManifest() {
        return "[entry]\ncode = \"WISLA\"\narticle = \"Haslo.txt\"\n"                 // 1-3
               "[[object]]\ntype = \"FO\"\nfile = \"media/a.png\"\n"                  // 4-6
               "title = \"Wisła w Krakowie\"\ncaption = \"Widok z Wawelu\"\n"         // 7-8
               "[[object]]\ntype = \"drawing\"\nfile = \"media/b.png\"\n"             // 9-11
               "packed = \"media/RYS.BLB\"\nname = \"RYS001.PNG\"\n"                  // 12-13
               "title = \"Rysunek\"\ncaption = \"Przekrój doliny\"\n"                 // 14-15
               "[[object]]\ntype = \"AN\"\nfile = \"media/anim.gif\"\n"               // 16-18
               "title = \"Łódź\"\ncaption = \"Animacja\"\n"                           // 19-20
               "[[object]]\ntype = \"TA\"\nfile = \"texts/t1.rtf\"\n"                 // 21-23
               "packed = \"TEKSTY.BLB\"\ntitle = \"Tekst\"\ncaption = \"O rzece\"\n"  // 24-26
               "[[link]]\ncode = \"E0187342\"\ntitle = \"Kraków\"\n";                 // 27-29
    }

    void WriteManifest(const std::string& text) const { WriteFile(dir_ / "quindel.toml", text); }
    BuildReport Build(bool checkOnly = false) const { return BuildContent({dir_, checkOnly, 2}); }

    fs::path dir_;
};

}  // namespace quindel::build::test
