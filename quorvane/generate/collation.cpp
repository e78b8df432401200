#include "quorvane/generate/collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/ucol.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace quor::generate {

struct Collation::Impl {
    std::unique_ptr<icu::Collator> collator;
};

std::string userCollationLocale() {
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') {
            continue;
        }
        std::string name = value;
        name = name.substr(0, name.find_first_of(".@"));
        if (name == "C" || name == "POSIX") {
            return "";
        }
        return name;
    }
    return "";
}

Collation::Collation(const std::string& icuLocale) : impl_(std::make_unique<Impl>()) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale =
        icuLocale.empty() ? icu::Locale::getRoot() : icu::Locale(icuLocale.c_str());
    impl_->collator.reset(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !impl_->collator) {
        status = U_ZERO_ERROR;
        impl_->collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    if (U_FAILURE(status) || !impl_->collator) {
        throw std::runtime_error("The text collation of ICU is not available");
    }
    impl_->collator->setStrength(icu::Collator::SECONDARY);
}

Collation::~Collation() = default;

const Collation& Collation::forUserLocale() {
    static const Collation collation(userCollationLocale());
    return collation;
}

int Collation::compare(std::string_view a, std::string_view b) const {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = impl_->collator->compareUTF8(
        icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
        icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
    if (U_FAILURE(status)) {
        return a.compare(b);
    }
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

std::string Collation::sortKey(std::string_view text) const {
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    uint8_t buffer[512];
    int32_t length = impl_->collator->getSortKey(unicode, buffer, sizeof buffer);
    if (length <= static_cast<int32_t>(sizeof buffer)) {
        // The key ends with a zero byte, which plain comparison does not need.
        return std::string(reinterpret_cast<const char*>(buffer),
                           static_cast<std::size_t>(length > 0 ? length - 1 : 0));
    }
    std::vector<uint8_t> large(static_cast<std::size_t>(length));
    length = impl_->collator->getSortKey(unicode, large.data(), length);
    return std::string(reinterpret_cast<const char*>(large.data()),
                       static_cast<std::size_t>(length > 0 ? length - 1 : 0));
}

}  // namespace quor::generate
