#pragma once

// The locale-dependent texts of a file line: the size in bytes with the
// locale's thousands separators and the file date in the locale's short date
// and time. The locale is looked up once, when the object is made, so that
// formatting a file's columns does no locale lookup.

#include <cstdint>
#include <ctime>
#include <string>

namespace quor::generate {

class LocaleTexts {
  public:
    // The user's locale from the environment (LC_ALL, LC_NUMERIC / LC_TIME,
    // LANG); the C locale when that names no installed locale.
    static LocaleTexts fromEnvironment();

    // A named locale ("C", "de_DE.UTF-8"); the C locale when it is not
    // installed.
    explicit LocaleTexts(const char* localeName);
    ~LocaleTexts();
    LocaleTexts(LocaleTexts&& other) noexcept;
    LocaleTexts& operator=(LocaleTexts&&) = delete;
    LocaleTexts(const LocaleTexts&) = delete;
    LocaleTexts& operator=(const LocaleTexts&) = delete;

    // The locale's thousands separator; "," when the locale has none.
    const std::string& thousandsSeparator() const { return separator_; }

    // The byte count with thousands separators ("1,234,567"); "" for 0.
    std::string groupedSize(std::uint64_t bytes) const;

    // The time in the local time zone as the locale's "%x %X".
    std::string generalDate(std::time_t when) const;

  private:
    void* locale_ = nullptr;  // locale_t, kept opaque here
    std::string separator_;
};

}  // namespace quor::generate
