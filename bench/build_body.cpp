// Times building the text list body from the cache files of a program
// folder laid out by build_generate_cache, in one layout per run, and
// reports the peak memory of the process.
//
//   build_body HOME broken-down|big-numbered [html]

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "common/interaction.h"
#include "quorvane/generate/html_list.h"
#include "quorvane/generate/text_list.h"
#include "quorvane/store/list_context.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: build_body HOME broken-down|big-numbered [html]\n");
        return 2;
    }
    const std::filesystem::path home = argv[1];
    const bool big = std::strcmp(argv[2], "big-numbered") == 0;
    const bool html = argc > 3 && std::strcmp(argv[3], "html") == 0;
    auto opened = quor::store::SettingsStore::open(home / "settings.db");
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().c_str());
        return 1;
    }
    quor::UnattendedInteraction user;
    quor::store::ListContext context{**opened, quor::store::Places(home), user};
    context.settings().saveSetting("BigList", big ? "True" : "False");
    context.settings().saveSetting("IncludeFileNums", big ? "1" : "0");

    const auto start = std::chrono::steady_clock::now();
    const quor::generate::ListBody body = html ? quor::generate::buildHtmlListBody(context)
                                               : quor::generate::buildTextListBody(context);
    const auto end = std::chrono::steady_clock::now();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%s%s: %d files, %zu lines, %.3f s, peak %ld MB\n", argv[2], html ? " html" : "",
                body.fileCount, body.lines.size(),
                std::chrono::duration<double>(end - start).count(), usage.ru_maxrss / 1024);
    return 0;
}
