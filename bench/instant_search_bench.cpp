// instant_search_bench HOME
//
// Key-to-rows time of the search as you type over a large own list. HOME
// holds data/bench.lst and its listing files (search_bench HOME ENTRIES lays
// them out). Keys are typed into the search box one at a time ("l", "lo",
// "lov", "love"); for each the wall time from the key until its rows and
// count are shown and the first screenful painted is printed, with the rows
// found. The first key also reads the list into memory; the keys are typed
// again after the box is emptied, with the list kept. Runs on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.

#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <vector>

#include "quorfind/settings.h"
#include "quorfind/terminal_interaction.h"
#include "quorfind/ui/search_window.h"
#include "quorvane/store/settings_store.h"

namespace fs = std::filesystem;
using namespace quor;

namespace {

double processCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Processor time (all threads) of the last keyToRows.
double lastCpuSeconds = 0;

// Sends one key to the search box as a user's key press, and returns the
// seconds until the answer is shown and painted.
double keyToRows(find::ui::SearchWindow& window, Qt::Key key, const QString& text,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QEventLoop answered;
    find::ui::InstantRunner& runner = window.instantSearch();
    const auto shown = QObject::connect(&runner, &find::ui::InstantRunner::answered, &answered,
                                        &QEventLoop::quit, Qt::QueuedConnection);
    const auto dropped = QObject::connect(&runner, &find::ui::InstantRunner::unanswered, &answered,
                                          &QEventLoop::quit, Qt::QueuedConnection);
    QElapsedTimer clock;
    clock.start();
    const double cpuStart = processCpuSeconds();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(window.searchBox().lineEdit(), &press);
    if (runner.pending()) {
        answered.exec();
    }
    window.repaint();
    const double seconds = clock.nsecsElapsed() / 1e9;
    lastCpuSeconds = processCpuSeconds() - cpuStart;
    QObject::disconnect(shown);
    QObject::disconnect(dropped);
    return seconds;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !fs::exists(fs::path(argv[1]) / "data" / "bench.lst")) {
        std::cerr << "usage: instant_search_bench HOME [ROUNDS] (lay HOME out with search_bench "
                     "HOME)\n";
        return 2;
    }
    const fs::path home = fs::absolute(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const fs::path storeFile = home / "instant_search_bench.db";
    auto opened = store::SettingsStore::open(storeFile);
    if (!opened) {
        std::cerr << opened.error() << '\n';
        return 1;
    }
    find::FindSettings settings(**opened);
    settings.app().save(find::kLocalList, "bench.txt");
    settings.app().save(find::kIncludeFolders, "1");
    settings.app().save(find::kSearchAsYouType, "1");
    find::TerminalInteraction user(std::cerr);
    find::ui::SearchWindow window(**opened, store::Places(home), user,
                                  find::ui::SearchServices::desktop());
    window.load();
    window.show();
    QCoreApplication::processEvents();

    const QString word = "love";
    std::vector<std::vector<double>> times(word.size());
    std::vector<std::vector<double>> cpuTimes(word.size());
    std::vector<std::size_t> rows(word.size());
    for (int round = 0; round <= rounds; ++round) {
        for (qsizetype i = 0; i < word.size(); ++i) {
            const double seconds = keyToRows(
                window, static_cast<Qt::Key>(word[i].toUpper().unicode()), word.mid(i, 1));
            rows[i] = window.results().size();
            if (round == 0 && i == 0) {
                std::printf("%-8s %8.1f ms  %9zu rows  (the list read into memory)\n", "l",
                            seconds * 1e3, rows[0]);
            } else if (round > 0) {
                times[i].push_back(seconds);
                cpuTimes[i].push_back(lastCpuSeconds);
            }
        }
        // Empties the box: every entry is shown, then typing starts again.
        window.searchBox().lineEdit()->selectAll();
        (void)keyToRows(window, Qt::Key_Delete, {});
    }
    std::printf("median of %d rounds, list kept in memory:\n", rounds);
    for (qsizetype i = 0; i < word.size(); ++i) {
        std::printf("%-8s %8.1f ms wall %8.1f ms cpu  %9zu rows  (max %.1f ms wall)\n",
                    word.left(i + 1).toStdString().c_str(), median(times[i]) * 1e3,
                    median(cpuTimes[i]) * 1e3, rows[i],
                    *std::max_element(times[i].begin(), times[i].end()) * 1e3);
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory %.0f MB\n", usage.ru_maxrss / 1024.0);
    fs::remove(storeFile);
    return 0;
}
