#include "quorvane/generate/locale_text.h"

#include <langinfo.h>
#include <locale.h>

#include "common/number_text.h"

namespace quor::generate {

namespace {

locale_t openLocale(const char* name) {
    locale_t loc = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, name, locale_t(0));
    if (loc == locale_t(0)) {
        loc = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, "C", locale_t(0));
    }
    return loc;
}

}  // namespace

LocaleTexts LocaleTexts::fromEnvironment() {
    return LocaleTexts("");
}

LocaleTexts::LocaleTexts(const char* localeName) {
    locale_t loc = openLocale(localeName);
    locale_ = loc;
    if (loc != locale_t(0)) {
        const char* sep = nl_langinfo_l(THOUSEP, loc);
        separator_ = sep != nullptr ? sep : "";
    }
    if (separator_.empty()) {
        separator_ = ",";
    }
}

LocaleTexts::~LocaleTexts() {
    if (locale_ != nullptr) {
        freelocale(static_cast<locale_t>(locale_));
    }
}

LocaleTexts::LocaleTexts(LocaleTexts&& other) noexcept
    : locale_(other.locale_), separator_(std::move(other.separator_)) {
    other.locale_ = nullptr;
}

std::string LocaleTexts::groupedSize(std::uint64_t bytes) const {
    if (bytes == 0) {
        return "";
    }
    return groupedInteger(bytes, separator_);
}

std::string LocaleTexts::generalDate(std::time_t when) const {
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) {
        return "";
    }
    char text[128];
    std::size_t n = 0;
    if (locale_ != nullptr) {
        n = strftime_l(text, sizeof text, "%x %X", &local, static_cast<locale_t>(locale_));
    } else {
        n = std::strftime(text, sizeof text, "%x %X", &local);
    }
    return std::string(text, n);
}

}  // namespace quor::generate
