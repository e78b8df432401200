// The recent-files update: the fuzzer's bytes are the desktop's XBEL file
// (other programs write it) and the list's file name. A file that is
// refused must be left byte for byte; a file that is changed must still be
// well-formed XBEL, hold our bookmark once at the top level with its name
// intact, and keep every other application's bookmark as it stood.

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/text_escape.h"
#include "fuzz/fuzz_input.h"
#include "platform/recent_files.h"
#include "platform/xml_outline.h"

namespace quor::fuzz {
namespace {

using namespace quor::platform;

// Pieces of XBEL text, so that the fuzzer reaches the update paths and not
// only the refusals.
std::string xbelFrom(FuzzInput& in, const std::string& ourUri) {
    static const char* const kPieces[] = {
        "<?xml version=\"1.0\"?>\n",
        "<xbel version=\"1.0\">",
        "</xbel>",
        "<xbel/>",
        "<bookmark href=\"file:///a%20b.txt\" added=\"x\">",
        "<bookmark href=\"",
        "\">",
        "</bookmark>",
        "<info><metadata owner=\"o\">",
        "</metadata></info>",
        "<bookmark:applications>",
        "</bookmark:applications>",
        "<bookmark:application name=\"quorvane\" count=\"",
        "<bookmark:application name=\"gedit\" count=\"3\"/>",
        "\"/>",
        "9223372036854775807",
        "-5",
        "<!-- c -->",
        "&amp;",
        "&#x41;",
        " ",
        "\n",
        "<x a='1'/>",
    };
    std::string out;
    while (!in.empty() && out.size() < 4096) {
        const std::uint8_t pick = in.byte();
        if (pick == 0xFF) {
            out += ourUri;
        } else {
            out += kPieces[pick % (sizeof kPieces / sizeof kPieces[0])];
        }
    }
    return out;
}

bool isOurs(const XmlElement& e, const std::string& wanted) {
    const XmlAttribute* href = e.attribute("href");
    return e.parent == 0 && e.name == "bookmark" && href != nullptr &&
           percentDecoded(href->value) == wanted;
}

void checkUpdate(const std::string& before, const std::string& after, const std::string& uri) {
    const auto outline = outlineXml(after);
    check(outline.has_value() && !outline->empty(), "an updated list is well-formed");
    check((*outline)[0].name == "xbel", "an updated list keeps its xbel root");
    const std::string wanted = percentDecoded(uri);
    int ours = 0;
    for (const XmlElement& e : *outline) {
        ours += isOurs(e, wanted) ? 1 : 0;
    }
    check(ours >= 1, "the list holds our bookmark");
    // Every other application's bookmark stays as it was, byte for byte.
    const auto old = outlineXml(before);
    if (!old) {
        return;
    }
    int oursBefore = 0;
    for (const XmlElement& e : *old) {
        oursBefore += isOurs(e, wanted) ? 1 : 0;
    }
    check(ours == std::max(oursBefore, 1), "our bookmark is added only when missing");
    for (const XmlElement& e : *old) {
        if (e.parent == 0 && e.name == "bookmark" && !isOurs(e, wanted)) {
            const std::string source = before.substr(e.begin, e.end - e.begin);
            check(after.find(source) != std::string::npos, "other bookmarks are kept");
        }
    }
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    using namespace quor::platform;
    FuzzInput in(data, size);
    std::string name;
    for (char c : in.text(24)) {
        if (c != '\0' && c != '/') {
            name += c;
        }
    }
    const std::filesystem::path listFile = scratchFolder() / ("list " + name + ".txt");
    const std::string uri = fileUri(listFile);
    const bool pieces = in.flag();
    const std::string before = pieces ? xbelFrom(in, uri) : std::string(in.rest());

    const std::filesystem::path xbel = scratchFolder() / "recently-used.xbel";
    check(quor::writeFileAtomically(xbel, before).ok(), "the list is written");
    const quor::Status updated = addRecentDocument(xbel, listFile, 1700000000);
    const quor::Result<std::string> after = quor::readFile(xbel);
    check(after.ok(), "the list is read back");
    if (!updated) {
        check(*after == before, "a refused list is left as it was");
        return 0;
    }
    checkUpdate(before, *after, uri);
    // A second update finds the bookmark the first one made or changed.
    check(addRecentDocument(xbel, listFile, 1700000100).ok(), "an updated list updates again");
    const quor::Result<std::string> again = quor::readFile(xbel);
    check(again.ok(), "the list is read back again");
    checkUpdate(*after, *again, uri);
    return 0;
}
