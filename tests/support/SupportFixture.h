#pragma once
// A component folder of its own in a temporary directory, with a catalogue written line by line.
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/CodePage.h"

namespace quindel::test {

// One catalogue line in the fixed-column layout: code in columns 1-6, text from column 104.
inline std::string CatalogueLine(const std::string& code, const std::string& text) {
    std::string line = code;
    line.resize(6, ' ');
    line += "PL" + std::string(65, ' ');
    std::string label = "Opis";
    label.resize(30, ' ');
    return line + label + text;
}

struct SupportFixture {
    TestFolder temp;
    std::filesystem::path root = temp.path();
    std::filesystem::path folder;
    headless::HeadlessPlatform p;

    explicit SupportFixture(const std::string& name) : temp("quindel_" + name) {
        setenv("TZ", "UTC", 1);
        tzset();
        folder = root / "lib";
        std::filesystem::create_directories(folder);
        p.files().setComponentFolder(folder.string());
    }

    // Writes raw bytes as the catalogue in the given folder.
    void WriteRaw(const std::filesystem::path& where, const std::string& bytes) const {
        std::ofstream(where / "Quindel.bin", std::ios::binary) << bytes;
    }
    // Writes UTF-8 lines as the catalogue in the system code page.
    void WriteCatalogue(const std::vector<std::string>& lines, const char* eol = "\r\n") const {
        std::string all;
        for (const auto& l : lines) all += ACodePage(l) + eol;
        WriteRaw(folder, all);
    }
    std::string ReadLog() const {
        std::ifstream in(folder / "Quindel2.LOG", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

}  // namespace quindel::test
