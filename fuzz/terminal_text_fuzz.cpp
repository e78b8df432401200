// Names and lines bound for the terminal: what terminalText makes of any
// bytes is valid UTF-8 without a control character, no longer than the
// input and left as it is by a second pass; text without controls or stray
// bytes passes unchanged.

#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "quorfind/search/text_decoding.h"
#include "quorfind/terminal_text.h"

namespace quor::fuzz {
namespace {

bool holdsC0OrDel(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string shown = find::terminalText(text);
    fuzz::check(find::isValidUtf8(shown), "shown text is UTF-8");
    fuzz::check(!fuzz::holdsC0OrDel(shown) && !find::holdsControl(shown),
                "shown text holds no control character");
    fuzz::check(find::terminalText(shown) == shown, "a second pass changes nothing");
    if (find::isValidUtf8(text) && !find::holdsControl(text)) {
        fuzz::check(shown == text, "clean text passes unchanged");
    }
    fuzz::check(shown.size() <= text.size(), "never longer than the input");
    return 0;
}
