// Lines from the local socket of the running copy: whatever the bytes, a
// line is either refused or read as a message that, written again, gives
// the same line; a reason made printable holds no control character and
// stays within its bound.

#include <cstdint>
#include <string>

#include "common/handoff_protocol.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor;
    using namespace quor::handoff;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    if (const std::optional<Message> message = parseLine(line)) {
        const std::optional<std::string> again =
            message->kind == Kind::Build ? requestLine(message->text)
                                         : std::optional(answerLine(message->kind, message->text));
        fuzz::check(again.has_value() && *again == std::string(line) + "\n",
                    "a message read writes back as the same line");
    }
    const std::string shown = printableText(line, 512);
    fuzz::check(shown.size() <= 512, "printable text keeps its bound");
    for (const char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        fuzz::check(byte >= 0x20 && byte != 0x7F, "printable text holds no control character");
    }
    fuzz::check(printableText(shown, 512) == shown, "a second pass changes nothing");
    return 0;
}
