// build_window_bench TREE [--columns size,date,mp3,length] [--big] [--html]
//
// How long the main window goes without running its events while it builds
// a list of TREE (make_scan_tree.py files TREE gives 200,000 files). The
// tree is one folder record of a temporary program folder; the build runs
// twice:
//   core     ListBuild alone, with an interaction that never runs events
//   window   Create List in the main window (its build runs events at most
//            every 30 ms), with a 5 ms timer on the event loop
// For the window it prints the build time and the longest stretch between
// two runs of the timer (the longest the window could not repaint or take a
// click on Stop), and how many stretches were longer than 100 and 250 ms.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <stdlib.h>

#include <QApplication>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/qt/status_text.h"
#include "quorvane/generate/build_driver.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/window_build.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void applyOptions(quor::store::AppSettings& s, const std::vector<std::string>& options) {
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (options[i] == "--columns" && i + 1 < options.size()) {
            const std::string& columns = options[++i];
            auto has = [&](const char* c) { return columns.find(c) != std::string::npos; };
            s.saveSetting("IncludeFileSize", has("size") ? "1" : "0");
            s.saveSetting("IncludeFileDate", has("date") ? "1" : "0");
            s.saveSetting("IncludeMP3Info", has("mp3") ? "1" : "0");
            s.saveSetting("IncludeSongLength", has("length") ? "1" : "0");
        } else if (options[i] == "--big") {
            s.saveSetting("BigList", "True");
            s.saveSetting("IncludeFileNums", "1");
        } else if (options[i] == "--html") {
            s.saveSetting("HTML", "1");
        }
    }
}

struct Tick {
    Clock::time_point at;
    QString status;  // the status text when the timer ran
};

struct Stretches {
    double longest = 0;
    QString longestAfter;  // the status text before the longest stretch
    int over100 = 0;
    int over250 = 0;
};

Stretches stretchesOf(const std::vector<Tick>& ticks) {
    Stretches result;
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const double gap = secondsBetween(ticks[i - 1].at, ticks[i].at);
        if (gap > result.longest) {
            result.longest = gap;
            result.longestAfter = ticks[i - 1].status;
        }
        result.over100 += gap > 0.100 ? 1 : 0;
        result.over250 += gap > 0.250 ? 1 : 0;
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: build_window_bench TREE [--columns size,date,mp3,length] [--big] "
                     "[--html]\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    char folderTemplate[] = "/tmp/build-window-bench.XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::cerr << "build_window_bench: cannot make a temporary folder\n";
        return 1;
    }
    const std::filesystem::path home(folderTemplate);
    const quor::store::Places places(home);
    (void)places.ensureFolders();
    (void)quor::writeFileAtomically(home / "Template.html",
                                    "<html>\r\n<!--header-->\r\n<!--list-->\r\n<!--footer-->\r\n"
                                    "</html>\r\n");
    auto opened = quor::store::SettingsStore::open(home / "settings.db");
    if (!opened) {
        std::cerr << "build_window_bench: " << opened.error() << "\n";
        return 1;
    }
    quor::store::SettingsStore& store = **opened;
    {
        quor::store::AppSettings settings(store, quor::store::kQuorvane);
        quor::store::writeFolderRecord(settings, 0, {argv[1], "Bench", "1", "0"});
        settings.saveSetting("NumPaths", "1");
        settings.saveSetting("SavePath", (home / "list.out").string());
        settings.saveSetting("ShowHeader", "0");
        applyOptions(settings, std::vector<std::string>(argv + 2, argv + argc));
    }

    // No questions and no boxes; what must be said goes to standard error.
    quor::UnattendedInteraction user("build_window_bench");
    {
        const quor::store::ListContext context{store, places, user};
        quor::store::ListContext mutableContext = context;
        quor::generate::ListBuild build(mutableContext);
        const auto start = Clock::now();
        (void)build.MakeList();
        std::printf("core    %7.3f s\n", secondsBetween(start, Clock::now()));
    }

    quor::ui::MainWindow window(store, places, user, quor::ui::WindowServices::desktop());
    (void)quor::ui::attachWindowBuild(window, user, quor::ui::WindowServices::desktop());
    (void)window.load();
    window.show();
    std::vector<Tick> ticks;
    const auto tick = [&] {
        ticks.push_back({Clock::now(), quor::ui::shownStatusText(*window.statusBar())});
    };
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, tick);
    timer.start();
    tick();
    window.makeList();
    tick();
    const Stretches stretches = stretchesOf(ticks);
    std::printf(
        "window  %7.3f s  longest without events %.3f s (after \"%s\"), over 100 ms: %d, "
        "over 250 ms: %d\n",
        secondsBetween(ticks.front().at, ticks.back().at), stretches.longest,
        stretches.longestAfter.toUtf8().constData(), stretches.over100, stretches.over250);
    std::filesystem::remove_all(home);
    return 0;
}
