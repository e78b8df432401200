#include "quorvane/generate/summary.h"

#include <locale.h>

#include <ctime>

#include "common/number_text.h"
#include "common/text_escape.h"

namespace quor::generate {

std::string buildSummaryText(PageKind kind, std::int32_t fileCount, std::string_view totalSize,
                             std::string_view now) {
    const std::string rule(67, '=');
    std::string line = "Files:" + signedNumberText(fileCount) + "   Total Size: ";
    line += totalSize;
    line += "   List Created: ";
    line += now;
    if (kind == PageKind::Text) {
        return rule + "\r\n" + line;
    }
    // The size and the date come from the store and the locale: text, not
    // markup.
    const std::string text = "<br>" + rule + "<br>" + markupEscaped(line);
    std::string out;
    for (const char c : text) {
        if (c == ' ') {
            out += "&nbsp;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string currentDateTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128] = {};
    locale_t timeLocale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    std::size_t length = 0;
    if (timeLocale != static_cast<locale_t>(0)) {
        length = strftime_l(text, sizeof text, "%x %X", &local, timeLocale);
        freelocale(timeLocale);
    } else {
        length = std::strftime(text, sizeof text, "%x %X", &local);
    }
    return std::string(text, length);
}

}  // namespace quor::generate
