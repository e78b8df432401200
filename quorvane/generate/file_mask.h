#pragma once

// The file mask of a scan: one wildcard pattern with the meaning it has on
// Windows. "*" matches any run of characters, "?" one character, the
// comparison ignores case, and "*.*" (like "*" and an empty mask) matches
// every name, also one without a dot.

#include <string>
#include <string_view>
#include <vector>

namespace quor::generate {

class FileMask {
  public:
    explicit FileMask(std::string_view pattern);

    bool matches(std::string_view name) const;
    bool matchesEverything() const { return everything_; }

  private:
    bool everything_ = false;
    std::u32string pattern_;  // case-folded code points
};

}  // namespace quor::generate
