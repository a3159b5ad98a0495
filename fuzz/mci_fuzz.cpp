// Random command strings against the standard interpreter on a headless platform. The input is
// a script: each line is one command, except a line "~N" that lets N ms of virtual time pass
// (N below 10000). Files: the working folder is a temporary one holding a.gif (three frames),
// "b c.gif", "łódź.gif" (the same), bad.gif (no GIF) and cut.gif (a GIF cut short). The host
// window's handle is 4100, the form's 4096.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "../tests/mci/GifWriter.h"
#include "mci/CommandInterpreter.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

using quindel::mci::test::GifFrame;

std::filesystem::path folder;

void RemoveFolder() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

void MakeFiles() {
    folder =
        std::filesystem::temp_directory_path() / ("quindel_mci_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    std::atexit(RemoveFolder);
    static constexpr std::uint8_t kPalette[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0}};
    std::vector<GifFrame> frames;
    for (int i = 0; i < 3; ++i) frames.push_back({5 + i, std::vector<std::uint8_t>(12, i), 3});
    const std::string gif = quindel::mci::test::WriteGif(4, 3, kPalette, frames);
    for (const char* name : {"a.gif", "b c.gif", "łódź.gif"}) std::ofstream(name) << gif;
    std::ofstream("bad.gif") << "not a picture";
    std::ofstream("cut.gif") << gif.substr(0, gif.size() / 2);
}

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

void RunLine(quindel::headless::HeadlessPlatform& p, quindel::mci::CommandInterpreter& mci,
             std::string_view line) {
    if (!line.empty() && line[0] == '~') {
        int ms = 0;
        for (char c : line.substr(1, 4))
            if (c >= '0' && c <= '9') ms = ms * 10 + (c - '0');
        p.RunFor(ms);
        return;
    }
    const std::size_t capacity = line.size() % 90;
    std::string reply = "stale";
    const std::uint32_t result = mci.SendString(line, &reply, capacity);
    Check(result == 0 || reply.empty());
    Check(capacity == 0 ? reply.empty() : reply.size() < capacity * 4);
    const std::string text = mci.ErrorString(result);
    Check(!text.empty() && text.size() <= 255);
}

// One platform for the whole run: building a host window costs more than most scripts. Each
// script gets an interpreter of its own, which closes its devices when it goes.
struct Host {
    Host() {
        MakeFiles();
        form = p.NewForm();
        surface = p.NewPictureBox(*form);
        surface->Move(0, 0, 3000, 3000);
        form->Show();
        Check(form->hWnd() == 4096 && surface->hWnd() == 4100);
    }
    quindel::headless::HeadlessPlatform p;
    std::shared_ptr<quindel::platform::Form> form;
    std::shared_ptr<quindel::platform::PictureBox> surface;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Host host;
    auto mci = quindel::mci::NewInterpreter(host.p);
    std::string_view script(reinterpret_cast<const char*>(data), size);
    while (!script.empty()) {
        const std::size_t end = std::min(script.find('\n'), script.size());
        RunLine(host.p, *mci, script.substr(0, end));
        script.remove_prefix(std::min(end + 1, script.size()));
    }
    mci.reset();
    Check(host.surface->Children().empty() && host.form->Children().size() == 1 &&
          !host.p.timers().NextDeadline());
    return 0;
}
