#pragma once

// A conservative outline of an XML document: where each element starts and
// ends, with its name and attributes, so that a program can change one
// element of a file other programs own and keep the rest byte for byte. The
// outline is made only of well-formed text (matching tags, quoted
// attributes, no unclosed comment, a single root); anything else, including
// a DOCTYPE with an internal subset, is refused.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quor::platform {

struct XmlAttribute {
    std::string name;
    std::string value;           // entities decoded
    std::size_t valueBegin = 0;  // offsets of the raw value, inside the quotes
    std::size_t valueEnd = 0;
};

struct XmlElement {
    std::string name;
    std::vector<XmlAttribute> attributes;
    std::size_t begin = 0;        // the "<" of the start tag
    std::size_t startTagEnd = 0;  // just after the start tag's ">"
    std::size_t endTagBegin = 0;  // the "<" of the end tag (= startTagEnd when empty)
    std::size_t end = 0;          // just after the element
    bool selfClosing = false;
    int parent = -1;  // index into the outline, -1 for the root

    const XmlAttribute* attribute(std::string_view attributeName) const;
};

// Elements in document order; empty when the text is not well-formed.
std::optional<std::vector<XmlElement>> outlineXml(std::string_view text);

// Text escaped for an attribute value in double quotes.
std::string xmlEscaped(std::string_view text);

}  // namespace quor::platform
