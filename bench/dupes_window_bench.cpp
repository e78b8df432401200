// dupes_window_bench FILE [TOLERANCE]
//
// What the Duplicate Files window adds to the duplicate search. FILE holds
// one stored name per line (dupes_generate writes such files); they are
// written as one folder cache file in a temporary program folder, and the
// same search runs three times:
//   core      searchDuplicates with an interaction that never runs events
//   window    the window's Search button: its own interaction (events run
//             at most every 30 ms), status text and rows shown as found
//   every     searchDuplicates with an interaction that runs pending
//             events at every poll, as a plain Qt interaction does
// Times are wall seconds of the search alone; runs on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.

#include <stdlib.h>

#include <QApplication>
#include <QCoreApplication>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "quorvane/dupes/dupes_search.h"
#include "quorvane/dupes/stored_name.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/ui/desktop_file_opener.h"
#include "quorvane/ui/dupes_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// An interaction that says nothing and runs events at every poll, or never.
class QuietInteraction final : public quor::Interaction {
  public:
    explicit QuietInteraction(bool runEvents) : runEvents_(runEvents) {}
    void notice(std::string_view text, std::string_view caption, quor::Shown) override {
        std::cerr << "dupes_window_bench: " << text << " (" << caption << ")\n";
    }
    bool confirm(std::string_view, std::string_view) override { return false; }
    bool okOrCancel(std::string_view, std::string_view) override { return false; }
    bool retryOrCancel(std::string_view, std::string_view) override { return false; }
    void status(std::string_view) override {}
    void busy(bool) override {}
    bool keepResponsive() override {
        if (runEvents_) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        return false;
    }
    bool unattended() const override { return false; }

  private:
    bool runEvents_;
};

// The stored names as one cache file: a heading whenever the folder text
// changes, then the file lines. Returns the number of entries.
std::size_t writeCatalogue(const std::string& storedNames, const std::filesystem::path& cacheFile) {
    std::string cache = "0\r\n";
    std::string_view folder;
    std::size_t entries = 0;
    for (std::string_view line : quor::store::splitLines(storedNames)) {
        if (line.empty()) {
            continue;
        }
        const quor::dupes::StoredNameParts parts = quor::dupes::splitStoredName(line);
        if (entries == 0 || parts.folderText != folder) {
            folder = parts.folderText;
            cache += "*" + std::string(folder) + "\r\n";
        }
        cache += std::string(parts.cacheLine) + "\r\n";
        ++entries;
    }
    if (!quor::writeFileAtomically(cacheFile, cache)) {
        std::cerr << "dupes_window_bench: cannot write " << cacheFile << "\n";
        std::exit(1);
    }
    return entries;
}

void report(const char* what, double seconds, int pairs) {
    std::printf("%-7s %8.3f s  %d pairs\n", what, seconds, pairs);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: dupes_window_bench FILE [TOLERANCE]\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    quor::Result<std::string> names = quor::readFile(argv[1]);
    if (!names) {
        std::cerr << "dupes_window_bench: " << names.error() << "\n";
        return 1;
    }
    char folderTemplate[] = "/tmp/dupes-window-bench.XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::cerr << "dupes_window_bench: cannot make a temporary folder\n";
        return 1;
    }
    const std::filesystem::path home(folderTemplate);
    const quor::store::Places places(home);
    const std::size_t entries = writeCatalogue(*names, places.cacheFile(0));
    auto opened = quor::store::SettingsStore::open(home / "settings.db");
    if (!opened) {
        std::cerr << "dupes_window_bench: " << opened.error() << "\n";
        return 1;
    }
    quor::store::SettingsStore& store = **opened;
    {
        quor::store::AppSettings settings(store, quor::store::kQuorvane);
        quor::store::writeFolderRecord(settings, 0, {home.string(), "Bench", "1", "0"});
        settings.saveSetting("NumPaths", "1");
        settings.saveSetting("NumFiles", std::to_string(entries));
        settings.saveSetting("DupesSlider", argc == 3 ? argv[2] : "3");
    }
    std::printf("%zu entries\n", entries);

    for (const bool runEvents : {false, true}) {
        QuietInteraction user(runEvents);
        const quor::store::ListContext context{store, places, user};
        const auto start = Clock::now();
        const quor::dupes::DupesSearchResult result = quor::dupes::searchDuplicates(context);
        report(runEvents ? "every" : "core", secondsSince(start), result.pairCount);
    }

    QuietInteraction boxes(false);
    quor::ui::DupesWindow window(store, places, &boxes, quor::ui::WindowServices::desktop(),
                                 std::make_unique<quor::ui::DesktopFileOpener>(store));
    window.load();
    window.show();
    QCoreApplication::processEvents();
    const auto start = Clock::now();
    window.findChild<QPushButton*>("btnSearch")->click();
    const double seconds = secondsSince(start);
    int pairs = 0;
    for (const std::string& row : window.rows().rows) {
        pairs += row.empty() ? 1 : 0;
    }
    report("window", seconds, pairs);
    std::filesystem::remove_all(home);
    return 0;
}
