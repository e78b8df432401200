// find_window_bench HOME
//
// How the search window copes with a large own list. HOME holds
// data/bench.lst and its listing files (search_bench HOME ENTRIES lays them
// out); the window searches them through its search box, and, as a text
// list, all listing files joined into one file. For each search it prints
// the wall time from Enter until the rows are shown, the rows shown, and the
// longest stretch in which the window ran no events (a timer that fires at
// every turn of the event loop measures it): that stretch is how long the
// window looks frozen. Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.

#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "quorfind/settings.h"
#include "quorfind/terminal_interaction.h"
#include "quorfind/ui/search_window.h"
#include "quorvane/store/settings_store.h"

namespace fs = std::filesystem;
using namespace quor;

namespace {

// Runs one search from the box and reports it.
void measure(find::ui::SearchWindow& window, const char* label, const QString& text) {
    QElapsedTimer clock;
    qint64 lastTurn = 0;
    qint64 longest = 0;
    QTimer turns;
    turns.setInterval(0);
    QObject::connect(&turns, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - lastTurn);
        lastTurn = now;
    });
    turns.start();
    window.searchBox().setEditText(text);
    clock.start();
    window.startSearch();
    window.repaint();  // the first rows painted
    const qint64 total = clock.nsecsElapsed();
    longest = std::max(longest, total - lastTurn);
    turns.stop();
    std::printf("%-28s %8.3f s  %9zu rows  longest without events %7.3f s\n", label, total / 1e9,
                window.results().size(), longest / 1e9);
}

// The listing files joined, as one text list of every entry.
fs::path joinedTextList(const fs::path& home) {
    const fs::path joined = home / "bench-all.txt";
    std::ofstream out(joined, std::ios::binary);
    for (int i = 0; fs::exists(home / "data" / ("bench" + std::to_string(i) + ".dat")); ++i) {
        std::ifstream in(home / "data" / ("bench" + std::to_string(i) + ".dat"), std::ios::binary);
        out << in.rdbuf();
    }
    return joined;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !fs::exists(fs::path(argv[1]) / "data" / "bench.lst")) {
        std::cerr << "usage: find_window_bench HOME (lay HOME out with search_bench HOME)\n";
        return 2;
    }
    const fs::path home = fs::absolute(argv[1]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const fs::path storeFile = home / "find_window_bench.db";
    auto opened = store::SettingsStore::open(storeFile);
    if (!opened) {
        std::cerr << opened.error() << '\n';
        return 1;
    }
    find::FindSettings settings(**opened);
    settings.app().save(find::kLocalList, "bench.txt");
    settings.app().save(find::kIncludeFolders, "1");
    find::TerminalInteraction user(std::cerr);
    find::ui::SearchServices services = find::ui::SearchServices::desktop();
    const fs::path textList = joinedTextList(home);
    services.chooseOpenFile = [&](QWidget*, const quor::ui::FileRequest&) {
        return QString::fromStdString(textList.string());
    };
    find::ui::SearchWindow window(**opened, store::Places(home), user, std::move(services));
    window.load();
    window.show();
    QCoreApplication::processEvents();

    measure(window, "own list, selective", "zebrafish");
    measure(window, "own list, every entry", "");
    measure(window, "own list, every entry again", "");
    window.searchAnyTextList();
    measure(window, "text list, selective", "zebrafish");
    measure(window, "text list, every line", "");
    fs::remove(textList);
    fs::remove(storeFile);
    return 0;
}
