#pragma once

#include <string>

namespace quor::removable {

// The order of disk names in the dialogs' lists: alphabetical without
// regard to case (the locale's collation), exact text as the tie-breaker.
bool caseInsensitiveLess(const std::string& a, const std::string& b);

}  // namespace quor::removable
