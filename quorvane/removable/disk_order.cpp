#include "quorvane/removable/disk_order.h"

#include "quorvane/generate/collation.h"

namespace quor::removable {

bool caseInsensitiveLess(const std::string& a, const std::string& b) {
    const int order = generate::Collation::forUserLocale().compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

}  // namespace quor::removable
