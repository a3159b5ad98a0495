// The desktop host: the panel on a real window, with the display area the objects show in (the
// entry's article at first) and a status line of the events it raises.
//   quindel-viewer [CONTENTDIR] [--shots OUTDIR] [--quit-after MS] [--show TYPE]
// CONTENTDIR defaults to resources/sample. --shots writes the pictures ViewerShots lists into
// OUTDIR and quits; --quit-after quits after MS milliseconds; --show opens on the first object of
// that type (VI plays the sample film). The time to the main window's first painted frame is
// printed on start.
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/qt/QtPlatform.h"
#include "viewer/FirstFrameClock.h"
#include "viewer/ViewerArgs.h"
#include "viewer/ViewerHost.h"
#include "viewer/ViewerShots.h"

namespace fs = std::filesystem;
using namespace quindel;

namespace {

// The chunk file goes beside the pictures, or into a folder of this run's own.
fs::path WorkFolder(const viewer::ViewerArgs& args) {
    if (args.shots) return *args.shots;
    return fs::temp_directory_path() / ("quindel-viewer-" + std::to_string(::getpid()));
}

// Steps onto the first object of that type as the user would, with the panel's step button.
void Show(qt::QtPlatform& desktop, viewer::ViewerHost& host, const std::string& tipo) {
    const std::int16_t step = host.ScrollBeside(tipo);
    if (step == 0) {
        std::fprintf(stderr, "no object of type %s in the list\n", tipo.c_str());
        return;
    }
    viewer::ViewerShots(desktop, host).ClickButton(step);
}

}  // namespace

int main(int argc, char** argv) {
    const auto started = viewer::FirstFrameClock::Clock::now();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    viewer::ViewerArgs args = viewer::ParseViewerArgs({argv + 1, argv + argc});
    // Absolute: the content folder becomes the current one.
    if (args.shots) args.shots = fs::absolute(*args.shots);
    if (!args.error.empty()) {
        std::fprintf(stderr,
                     "%s\nusage: quindel-viewer [CONTENTDIR] [--shots OUTDIR] "
                     "[--quit-after MS] [--show TYPE]\n",
                     args.error.c_str());
        return 2;
    }
    QApplication app(argc, argv);
    qt::QtPlatform desktop;
    const fs::path work = WorkFolder(args);
    int status = 0;
    {
        viewer::ViewerHost host(
            desktop, args.content, work,
            [&](platform::Form& panel, platform::Form& main) { desktop.Dock(panel, main); });
        host.OnEvent = [](const std::string& e) { std::printf("  event %s\n", e.c_str()); };
        host.OnClosed = [] { QCoreApplication::quit(); };
        if (!host.Start()) {
            std::fprintf(stderr, "%s\n", host.Error().c_str());
            return 1;
        }
        new viewer::FirstFrameClock(*desktop.Widget(host.MainForm()), started, [](double ms) {
            std::printf("first frame painted %.1f ms after start\n", ms);
        });
        if (args.shots) {
            for (const fs::path& f : viewer::ViewerShots(desktop, host).Write(*args.shots))
                std::printf("  picture %s\n", f.c_str());
        } else {
            if (args.quitAfterMs)
                QTimer::singleShot(*args.quitAfterMs, &app, [&host] { host.Close(); });
            if (args.show) QTimer::singleShot(0, &app, [&] { Show(desktop, host, *args.show); });
            status = app.exec();
        }
    }
    if (!args.shots) fs::remove_all(work);
    return status;
}
