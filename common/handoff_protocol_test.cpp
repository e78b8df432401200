#include "common/handoff_protocol.h"

#include <gtest/gtest.h>

namespace quor::handoff {
namespace {

std::string withoutNewline(std::string line) {
    EXPECT_TRUE(line.ends_with('\n'));
    line.pop_back();
    return line;
}

TEST(HandoffProtocol, EveryMessageReadsBackAsWritten) {
    const Message messages[] = {
        {Kind::Build, "music.lst"},
        {Kind::Build, ""},
        {Kind::Build, "my songs ünd more.lst"},
        {Kind::Accepted, ""},
        {Kind::Built, ""},
        {Kind::Refused, "it has the list rock open"},
        {Kind::Failed, "no folders have been selected for the list"},
    };
    for (const Message& message : messages) {
        const std::string line = message.kind == Kind::Build
                                     ? requestLine(message.text).value_or("")
                                     : answerLine(message.kind, message.text);
        EXPECT_EQ(parseLine(withoutNewline(line)), message) << line;
    }
}

TEST(HandoffProtocol, AnythingElseIsNotAMessage) {
    const std::string_view lines[] = {
        "",
        "come-forward",
        "quorvane-build/1",
        "quorvane-build/1 ",
        "quorvane-build/2 build music.lst",
        "QUORVANE-BUILD/1 built",
        "quorvane-build/1 built now",
        "quorvane-build/1 accepted ",
        "quorvane-build/1 build ",
        "quorvane-build/1 refused ",
        "quorvane-build/1 explode",
        "quorvane-build/1 build a\rb",
        std::string_view("quorvane-build/1 build a\0b", 26),
        "quorvane-build/1 failed \x1b[2J",
        "quorvane-build/1 refused \xff",
        "quorvane-build/1 refused a\xc2\x9b"
        "b",
    };
    for (const std::string_view line : lines) {
        EXPECT_FALSE(parseLine(line).has_value()) << line;
    }
    const std::string longest = "quorvane-build/1 build " + std::string(kMaxHandoffLine, 'a');
    EXPECT_FALSE(parseLine(longest).has_value());
}

TEST(HandoffProtocol, ANameALineCannotCarryIsNotSent) {
    EXPECT_FALSE(requestLine("two\nlines.lst").has_value());
    EXPECT_FALSE(requestLine("bell\a.lst").has_value());
    EXPECT_FALSE(requestLine(std::string(kMaxHandoffLine, 'n')).has_value());
    const std::optional<std::string> fits = requestLine(std::string(kMaxHandoffLine - 24, 'n'));
    ASSERT_TRUE(fits.has_value());
    EXPECT_EQ(fits->size(), kMaxHandoffLine);
    EXPECT_TRUE(parseLine(withoutNewline(*fits)).has_value());
}

TEST(HandoffProtocol, AReasonIsMadePrintableAndFitsItsLine) {
    const std::string line = answerLine(Kind::Failed, "There was a problem!\r\nAsk\x1b[31m again");
    EXPECT_EQ(line, "quorvane-build/1 failed There was a problem!; Ask?[31m again\n");

    const std::string huge = answerLine(Kind::Refused, std::string(3 * kMaxHandoffLine, 'x'));
    EXPECT_EQ(huge.size(), kMaxHandoffLine);
    EXPECT_TRUE(parseLine(withoutNewline(huge)).has_value());

    EXPECT_EQ(answerLine(Kind::Built, "ignored"), "quorvane-build/1 built\n");
}

TEST(PrintableText, ControlsAndStrayBytesBecomeQuestionMarks) {
    struct Case {
        std::string_view name, text, shown;
    };
    const Case cases[] = {
        {"plain", "list written", "list written"},
        {"utf-8 kept", "Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5",
         "Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5"},
        {"line breaks", "one\r\n\r\ntwo\nthree\n", "one; two; three"},
        {"leading break", "\nfirst", "first"},
        {"escape", "\x1b]0;title\x07", "?]0;title?"},
        {"C1 control",
         "a\xc2\x9b"
         "b",
         "a??b"},
        {"stray byte",
         "a\xff"
         "b",
         "a?b"},
        {"cut sequence", "a\xe2\x82", "a??"},
        {"surrogate", "\xed\xa0\x80", "???"},
        {"overlong", "\xc0\xaf", "??"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(printableText(c.text), c.shown) << c.name;
    }
    // Cut between characters, never inside one.
    EXPECT_EQ(printableText("ab\xc3\xa9", 3), "ab");
    EXPECT_EQ(printableText("a\nb", 3), "a");
}

}  // namespace
}  // namespace quor::handoff
