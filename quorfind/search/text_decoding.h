#pragma once

// Lists collected from other people come in whatever encoding their makers'
// systems used, sometimes several in one file (lists pasted together). Each
// line is read on its own: as UTF-8 when it is valid UTF-8, and otherwise as
// Windows-1252, the code page of lists made on Western Windows systems. A
// list that starts with a UTF-16 byte order mark is UTF-16 throughout. The
// result is always UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace quor::find {

// True when text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// The line as UTF-8: the line itself when it is valid UTF-8, else its bytes
// read as Windows-1252, written to scratch (the result then points there).
std::string_view lineAsUtf8(std::string_view line, std::string& scratch);

// Appends the UTF-8 of Windows-1252 bytes to out. The five bytes the code
// page leaves unassigned become the control characters of the same value.
void appendWindows1252(std::string_view bytes, std::string& out);

// UTF-16 text given in pieces of any size (a piece may end inside a
// character), turned into UTF-8. A surrogate without its partner, and an odd
// last byte, become U+FFFD.
class Utf16Decoder {
  public:
    explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}

    // Appends the UTF-8 of every character that bytes completes to out.
    void decode(std::string_view bytes, std::string& out);
    // Appends what is left over at the end of the text.
    void finish(std::string& out);

  private:
    void unit(std::uint16_t value, std::string& out);

    bool bigEndian_;
    bool haveOddByte_ = false;
    unsigned char oddByte_ = 0;
    std::uint16_t highSurrogate_ = 0;  // 0 when none is waiting
};

}  // namespace quor::find
