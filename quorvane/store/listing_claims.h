#pragma once

// Listing file names are formed by plain concatenation (base + index +
// ".dat"), so the saved lists "a1" (record 0) and "a" (record 10) both name
// a10.dat. These helpers tell which other saved list names a listing file,
// so that saving, loading and deleting one list never touches another's.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor::store {

// The number of records a saved list file names (the integer of its line
// 2); 0 when the line is missing or not a count.
int listingCount(std::string_view savedListContents);

class ListingClaims {
  public:
    // The saved lists in dataFolder other than exceptBase, with their counts.
    static ListingClaims ofOtherLists(const std::filesystem::path& dataFolder,
                                      std::string_view exceptBase);

    // The other saved list whose listing file names equal base + record, if
    // there is one.
    std::optional<std::string> claimant(std::string_view base, int record) const;

  private:
    struct Claim {
        std::string base;
        int count;
    };
    std::vector<Claim> claims_;
};

// True when the listing file's first folder heading names the display name
// pathname: the listing was written for a record with that display name.
bool listingDescribes(const std::filesystem::path& listing, std::string_view pathname);

// The notice for listing files left unwritten because other lists name them.
std::string listingCollisionText(std::string_view base, const std::vector<std::string>& skipped);

}  // namespace quor::store
