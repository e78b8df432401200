#include "platform/xml_outline.h"

#include <cstdlib>

#include "common/text_escape.h"
#include "common/utf8.h"

namespace quor::platform {

namespace {

bool isNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9') || c == '_' || c == ':' || c == '-' || c == '.';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Decodes the five named entities and character references; nullopt for
// anything else (an unknown entity, a bare "&" or "<").
std::optional<std::string> decodeEntities(std::string_view raw) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '<') {
            return std::nullopt;
        }
        if (raw[i] != '&') {
            out += raw[i];
            continue;
        }
        const std::size_t semi = raw.find(';', i);
        if (semi == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view entity = raw.substr(i + 1, semi - i - 1);
        if (entity == "amp") {
            out += '&';
        } else if (entity == "lt") {
            out += '<';
        } else if (entity == "gt") {
            out += '>';
        } else if (entity == "quot") {
            out += '"';
        } else if (entity == "apos") {
            out += '\'';
        } else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            const std::string digits(entity.substr(hex ? 2 : 1));
            char* stop = nullptr;
            const unsigned long cp = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
            if (digits.empty() || *stop != '\0' || cp == 0 || cp > 0x10FFFF) {
                return std::nullopt;
            }
            appendUtf8(static_cast<char32_t>(cp), out);
        } else {
            return std::nullopt;
        }
        i = semi;
    }
    return out;
}

class Outliner {
  public:
    explicit Outliner(std::string_view text) : text_(text) {}

    std::optional<std::vector<XmlElement>> run() {
        if (text_.starts_with("\xEF\xBB\xBF")) {
            pos_ = 3;  // a UTF-8 byte order mark
        }
        while (pos_ < text_.size()) {
            if (text_[pos_] != '<') {
                if (!textRun()) {
                    return std::nullopt;
                }
                continue;
            }
            if (!markup()) {
                return std::nullopt;
            }
        }
        if (!open_.empty() || roots_ != 1) {
            return std::nullopt;
        }
        return std::move(elements_);
    }

  private:
    bool textRun() {
        const std::size_t next = std::min(text_.find('<', pos_), text_.size());
        const std::string_view run = text_.substr(pos_, next - pos_);
        if (open_.empty()) {
            for (char c : run) {
                if (!isSpace(c)) {
                    return false;  // text outside the root
                }
            }
        } else if (!decodeEntities(run)) {
            return false;
        }
        pos_ = next;
        return true;
    }

    bool skipPast(std::string_view terminator) {
        const std::size_t found = text_.find(terminator, pos_);
        if (found == std::string_view::npos) {
            return false;
        }
        pos_ = found + terminator.size();
        return true;
    }

    bool markup() {
        const std::string_view rest = text_.substr(pos_);
        if (rest.starts_with("<!--")) {
            return skipPast("-->");
        }
        if (rest.starts_with("<?")) {
            return skipPast("?>");
        }
        if (rest.starts_with("<![CDATA[")) {
            return !open_.empty() && skipPast("]]>");
        }
        if (rest.starts_with("<!")) {
            const std::size_t close = rest.find('>');
            if (close == std::string_view::npos ||
                rest.substr(0, close).find('[') != std::string_view::npos || !elements_.empty()) {
                return false;  // no internal subset, and only before the root
            }
            pos_ += close + 1;
            return true;
        }
        if (rest.starts_with("</")) {
            return endTag();
        }
        return startTag();
    }

    std::string name() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && isNameChar(text_[pos_])) {
            ++pos_;
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    void skipSpaces() {
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            ++pos_;
        }
    }

    bool startTag() {
        XmlElement element;
        element.begin = pos_;
        ++pos_;
        element.name = name();
        if (element.name.empty()) {
            return false;
        }
        for (;;) {
            const std::size_t before = pos_;
            skipSpaces();
            if (pos_ >= text_.size()) {
                return false;
            }
            if (text_[pos_] == '>' || text_.substr(pos_).starts_with("/>")) {
                break;
            }
            if (pos_ == before) {
                return false;  // attributes must be separated by blanks
            }
            if (!attribute(element)) {
                return false;
            }
        }
        element.selfClosing = text_[pos_] == '/';
        pos_ += element.selfClosing ? 2 : 1;
        element.startTagEnd = pos_;
        element.parent = open_.empty() ? -1 : open_.back();
        if (element.parent < 0 && ++roots_ > 1) {
            return false;
        }
        elements_.push_back(std::move(element));
        XmlElement& added = elements_.back();
        if (added.selfClosing) {
            added.endTagBegin = added.end = added.startTagEnd;
        } else {
            open_.push_back(static_cast<int>(elements_.size() - 1));
        }
        return true;
    }

    bool attribute(XmlElement& element) {
        XmlAttribute a;
        a.name = name();
        skipSpaces();
        if (a.name.empty() || pos_ >= text_.size() || text_[pos_] != '=') {
            return false;
        }
        ++pos_;
        skipSpaces();
        if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\'')) {
            return false;
        }
        const char quote = text_[pos_++];
        const std::size_t close = text_.find(quote, pos_);
        if (close == std::string_view::npos) {
            return false;
        }
        std::optional<std::string> value = decodeEntities(text_.substr(pos_, close - pos_));
        if (!value) {
            return false;
        }
        for (const XmlAttribute& other : element.attributes) {
            if (other.name == a.name) {
                return false;
            }
        }
        a.value = std::move(*value);
        a.valueBegin = pos_;
        a.valueEnd = close;
        pos_ = close + 1;
        element.attributes.push_back(std::move(a));
        return true;
    }

    bool endTag() {
        const std::size_t begin = pos_;
        pos_ += 2;
        const std::string closing = name();
        skipSpaces();
        if (open_.empty() || pos_ >= text_.size() || text_[pos_] != '>') {
            return false;
        }
        XmlElement& element = elements_[static_cast<std::size_t>(open_.back())];
        if (element.name != closing) {
            return false;
        }
        ++pos_;
        element.endTagBegin = begin;
        element.end = pos_;
        open_.pop_back();
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<XmlElement> elements_;
    std::vector<int> open_;
    int roots_ = 0;
};

}  // namespace

const XmlAttribute* XmlElement::attribute(std::string_view attributeName) const {
    for (const XmlAttribute& a : attributes) {
        if (a.name == attributeName) {
            return &a;
        }
    }
    return nullptr;
}

std::optional<std::vector<XmlElement>> outlineXml(std::string_view text) {
    return Outliner(text).run();
}

std::string xmlEscaped(std::string_view text) {
    return markupEscaped(text);
}

}  // namespace quor::platform
