// The HTML page: the fuzzer's bytes are the user's template, header and
// footer and the names of a catalogued folder. Every template line that is
// not a marker reaches the page in order, the list goes in at every list
// marker, and no name can put markup, a quote or a line break into the
// page: the list's own tags are the only markup it adds.

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/interaction.h"
#include "fuzz/fuzz_input.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/cache_reader.h"
#include "quorvane/generate/html_list.h"
#include "quorvane/generate/list_file.h"
#include "quorvane/generate/template.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/settings_store.h"

namespace quor::fuzz {
namespace {

using namespace quor::generate;

store::ListContext& pageContext() {
    static std::unique_ptr<store::SettingsStore> settings = [] {
        auto opened = store::SettingsStore::open(scratchFolder() / "settings.db");
        check(opened.ok(), "the settings store opens");
        return std::move(*opened);
    }();
    static UnattendedInteraction user("fuzz");
    static store::ListContext context{*settings, store::Places(scratchFolder()), user};
    return context;
}

std::vector<std::string> splitAtCrLf(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos;
         start = end + 2) {
        out.emplace_back(text.substr(start, end - start));
    }
    if (start < text.size()) {
        out.emplace_back(text.substr(start));
    }
    return out;
}

// The tags the list itself writes; a link's target is checked to hold no
// quote or angle bracket.
std::size_t ownTagLength(std::string_view at) {
    static const char* const kTags[] = {
        "<table width= \"100%\" border=1>",
        "<table width= \"100%\" border=0>",
        "</table>",
        "<tr>",
        "</tr>",
        "<td bgcolor=White>",
        "<td bgcolor=white>",
        "<td bgcolor=LightGray>",
        "</td>",
        "<b>",
        "</b>",
        "<br>",
        "</a>",
    };
    for (const char* tag : kTags) {
        if (at.starts_with(tag)) {
            return std::string_view(tag).size();
        }
    }
    if (at.starts_with("<a href=\"")) {
        const std::size_t close = at.find("\">", 9);
        check(close != std::string_view::npos, "a link is closed");
        check(at.substr(9, close - 9).find_first_of("<>\"") == std::string_view::npos,
              "a link target holds no markup");
        return close + 2;
    }
    return 0;
}

void checkNoInjectedMarkup(std::string_view piece) {
    for (const std::string& line : splitAtCrLf(piece)) {
        check(line.find_first_of("\r\n") == std::string::npos, "a list line is one line");
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '<') {
                const std::size_t tag = ownTagLength(std::string_view(line).substr(i));
                check(tag > 0, "the list adds only its own tags");
                i += tag - 1;
                continue;
            }
            check(line[i] != '>' && line[i] != '"', "names are escaped");
        }
    }
}

void writeCatalogue(FuzzInput& in) {
    store::AppSettings settings = pageContext().settings();
    std::string cache = "0\r\n*Music/\r\n";
    const int files = in.byte() % 6;
    for (int i = 0; i < files; ++i) {
        FileLineColumns columns;
        if (in.flag()) {
            columns.size = "3.45MB";
        }
        std::string name;
        for (char c : in.text(16)) {
            name += c == '/' ? '_' : c;
        }
        cache += fileLine(name.empty() ? "x" : name, columns) + "\r\n";
    }
    check(writeFileAtomically(scratchFolder() / "0.txt", cache).ok(), "the cache file is written");
    store::writeFolderRecord(settings, 0, {"/srv/music", "Music", "0", "0"});
    settings.save(store::kNumPaths, "1");
    settings.saveSetting("SavePath", (scratchFolder() / "page.html").string());
    settings.saveSetting("TotalSize", "1KB");
}

void configure(FuzzInput& in) {
    store::AppSettings settings = pageContext().settings();
    const std::uint8_t flags = in.byte();
    settings.saveSetting("ShowHeader", (flags & 1) ? "1" : "0");
    settings.saveSetting("ShowSummary", (flags & 2) ? "1" : "0");
    settings.saveSetting("ShowFooter", (flags & 4) ? "1" : "0");
    settings.saveSetting("UseHTMLTable", (flags & 8) ? "1" : "0");
    settings.saveSetting("IncludeLinks", (flags & 16) ? "1" : "0");
    settings.saveSetting("IncludePath", (flags & 32) ? "1" : "0");
    settings.saveSetting("BigList", (flags & 64) ? "True" : "False");
    settings.saveSetting("DownloadLink", (flags & 128) ? "http://host/files" : "");
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    using namespace quor::generate;
    FuzzInput in(data, size);
    quor::store::ListContext& context = pageContext();
    configure(in);
    writeCatalogue(in);
    check(quor::writeFileAtomically(context.places.headerFile(), in.text(40)).ok(), "header");
    check(quor::writeFileAtomically(context.places.footerFile(), in.text(40)).ok(), "footer");
    check(quor::writeFileAtomically(context.places.templateFile(), in.rest()).ok(), "template");

    const ListBody body = buildHtmlListBody(context);
    std::string piece;
    renderListBody(body, HtmlRenderOptions::read(context.settings()), piece);
    checkNoInjectedMarkup(piece);

    check(writeHtmlListFile(context, body, "now").ok(), "the page is written");
    const quor::Result<std::string> page = quor::readFile(scratchFolder() / "page.html");
    const auto templateLines = readUserTextLines(context.places.templateFile());
    check(page.ok() && templateLines.ok(), "the page and template are read");
    check(page->empty() || page->ends_with("\r\n"), "the page ends with a line end");

    // Template lines arrive in order; the list arrives at every list marker.
    const std::vector<std::string> pageLines = splitAtCrLf(*page);
    std::size_t at = 0;
    std::size_t listMarkers = 0;
    for (const std::string& line : *templateLines) {
        if (isTemplateMarker(line, kListMarker)) {
            ++listMarkers;
            continue;
        }
        if (isTemplateMarker(line, kHeaderMarker) || isTemplateMarker(line, kFooterMarker)) {
            continue;
        }
        while (at < pageLines.size() && pageLines[at] != line) {
            ++at;
        }
        check(at < pageLines.size(), "every template line reaches the page in order");
        ++at;
    }
    std::size_t pieces = 0;
    for (std::size_t p = page->find(piece); !piece.empty() && p != std::string::npos;
         p = page->find(piece, p + piece.size())) {
        ++pieces;
    }
    check(piece.empty() || pieces >= listMarkers, "the list goes in at every list marker");
    return 0;
}
