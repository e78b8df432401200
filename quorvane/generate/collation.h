#pragma once

// The locale's case-insensitive order: ICU collation for the user's collation
// locale (LC_ALL, else LC_COLLATE, else LANG; C and POSIX give the root
// order) at secondary strength, so that case is ignored but accents count.

#include <memory>
#include <string>
#include <string_view>

namespace quor::generate {

class Collation {
  public:
    // The order of the user's locale.
    static const Collation& forUserLocale();

    // The order of an ICU locale name ("de_DE", "" for the root order).
    explicit Collation(const std::string& icuLocale);
    ~Collation();
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    // Negative, zero or positive as a sorts before, with, or after b.
    int compare(std::string_view a, std::string_view b) const;
    bool less(std::string_view a, std::string_view b) const { return compare(a, b) < 0; }

    // A byte string whose plain byte order (std::string comparison) is the
    // collation order of the texts: compute once, compare many times.
    std::string sortKey(std::string_view text) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The ICU locale name for the user's collation settings ("de_DE" for
// LANG=de_DE.UTF-8; "" for C, POSIX or nothing set).
std::string userCollationLocale();

}  // namespace quor::generate
