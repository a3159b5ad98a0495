// The desktop host: the panel on a real window, with the display area the objects show in (the
// entry's article at first) and a status line of the events it raises.
//   quindel-viewer [CONTENTDIR] [--shots OUTDIR] [--quit-after MS] [--show TYPE] [--fresh]
// CONTENTDIR defaults to the sample that comes with the viewer (SampleFolder.h). --shots writes
// the pictures ViewerShots lists into OUTDIR and quits; --quit-after quits after MS milliseconds;
// --show opens on the first object of that type (VI plays the sample film); --help prints the
// usage. The time to the main window's first painted frame is printed on start. A viewer that
// cannot start says why on standard error and, on a display, in a message box. SIGTERM and SIGINT
// close it as its window's close box does, so its work folder goes too. With a search index
// beside the lists, the status line ends in a search field (SearchField.h). The viewer comes back
// to where the last reading of the folder ended (ViewerState.h) unless --fresh is given; runs
// that take pictures or open on a type (--shots, --show) neither restore nor save a reading.
#include <unistd.h>

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "support/Catalogo.h"
#include "viewer/FirstFrameClock.h"
#include "viewer/QuitOnSignal.h"
#include "viewer/SampleFolder.h"
#include "viewer/SearchField.h"
#include "viewer/ViewerArgs.h"
#include "viewer/ViewerHost.h"
#include "viewer/ViewerSearch.h"
#include "viewer/ViewerShots.h"
#include "viewer/ViewerState.h"

namespace fs = std::filesystem;
using namespace quindel;

namespace {

// The chunk file goes beside the pictures, or into a folder of this run's own.
fs::path WorkFolder(const viewer::ViewerArgs& args) {
    if (args.shots) return *args.shots;
    return fs::temp_directory_path() / ("quindel-viewer-" + std::to_string(::getpid()));
}

// Installed, the sample lies at this path from the program's folder; in the build tree, in the
// source tree (both given by the build).
const std::vector<fs::path> kSampleCandidates{QUINDEL_SAMPLE_INSTALLED, QUINDEL_SAMPLE_BUILT_FROM};

// Steps onto the first object of that type as the user would, with the panel's step button.
void Show(qt::QtPlatform& desktop, viewer::ViewerHost& host, const std::string& tipo) {
    const std::int16_t step = host.ScrollBeside(tipo);
    if (step == 0) {
        std::fprintf(stderr, "no object of type %s in the list\n", tipo.c_str());
        return;
    }
    viewer::ViewerShots(desktop, host).ClickButton(step);
}

// On standard error always; in a message box too when a person sits at a display.
void ReportFailure(qt::QtPlatform& desktop, const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    const QString name = QGuiApplication::platformName();
    if (name == QLatin1String("offscreen") || name == QLatin1String("minimal")) return;
    desktop.Box().Show("The viewer cannot start:\n" + text, platform::mb::Critical,
                       "Quindel viewer");
}

// The search field at the right end of the status line, following every layout.
void PlaceSearchField(viewer::ViewerHost& host, viewer::SearchField& field) {
    const platform::RectPx r = host.StatusReserveRectPx();
    field.Place(QRect(r.left, r.top, r.width(), r.height()));
}

platform::RectPx WorkArea() {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return {};
    const QRect a = s->availableGeometry();
    return {a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
}

}  // namespace

int main(int argc, char** argv) {
    const auto started = viewer::FirstFrameClock::Clock::now();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    viewer::ViewerArgs args = viewer::ParseViewerArgs({argv + 1, argv + argc});
    if (args.help) {
        std::fputs(viewer::kViewerUsage, stdout);
        return 0;
    }
    if (!args.error.empty()) {
        std::fprintf(stderr, "%s\n%s", args.error.c_str(), viewer::kViewerUsage);
        return 2;
    }
    // Absolute: the content folder becomes the current one.
    if (args.shots) args.shots = fs::absolute(*args.shots);
    QApplication app(argc, argv);
    qt::QtPlatform desktop;
    const fs::path content = args.content
                                 ? viewer::ContentFolder(*args.content)
                                 : viewer::FindSample(viewer::ProgramFolder(), kSampleCandidates);
    if (content.empty()) {
        ReportFailure(desktop,
                      "No content folder was given, and the sample that comes with the "
                      "viewer is not where it was installed.\n" +
                          std::string(viewer::kViewerUsage));
        return 1;
    }
    const fs::path work = WorkFolder(args);
    int status = 0;
    {
        viewer::ViewerHost host(
            desktop, content, work,
            [&](platform::Form& panel, platform::Form& main) { desktop.Dock(panel, main); });
        host.setWorkArea(WorkArea());
        viewer::ReadingMemory memory(
            host, [](const std::string& w) { std::fprintf(stderr, "warning: %s\n", w.c_str()); });
        const bool remember = !args.shots && !args.show;
        host.OnEvent = [&](const std::string& e) {
            std::printf("  event %s\n", e.c_str());
            if (remember) memory.Note();
        };
        host.OnClosing = [&] {
            if (remember) memory.Note();
        };
        host.OnClosed = [] { QCoreApplication::quit(); };
        if (!host.Start()) {
            ReportFailure(desktop, host.Error());
            return 1;
        }
        desktop.SetMinimumClientSize(host.MainForm(), host.MinimumClientPx());
        viewer::ViewerSearch search(host.Panel(), host.Content(), host.Fingerprint());
        auto* field =
            new viewer::SearchField(desktop.Widget(host.MainForm()), search,
                                    viewer::SearchFieldTexts::For(LinguaCatalogo(desktop.files())));
        host.OnLayout = [&host, field] { PlaceSearchField(host, *field); };
        host.setStatusReservePx(viewer::SearchField::kWidthPx);
        field->show();
        if (remember && !args.fresh) memory.Restore();
        new viewer::FirstFrameClock(*desktop.Widget(host.MainForm()), started, [](double ms) {
            std::printf("first frame painted %.1f ms after start\n", ms);
        });
        if (args.shots) {
            for (const fs::path& f : viewer::ViewerShots(desktop, host).Write(*args.shots))
                std::printf("  picture %s\n", f.c_str());
        } else {
            viewer::QuitOnSignal stop([&host] { host.Close(); });
            if (args.quitAfterMs)
                QTimer::singleShot(*args.quitAfterMs, &app, [&host] { host.Close(); });
            if (args.show) QTimer::singleShot(0, &app, [&] { Show(desktop, host, *args.show); });
            status = app.exec();
        }
        host.OnLayout = nullptr;  // the field goes with the main window's widget
        if (remember) memory.Save();
    }
    if (!args.shots) fs::remove_all(work);
    return status;
}
