#include "quorvane/store/listing_claims.h"

#include <system_error>

#include "common/file_io.h"
#include "common/number_text.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::store {

namespace fs = std::filesystem;

int listingCount(std::string_view savedListContents) {
    const std::vector<std::string_view> lines = splitLines(savedListContents);
    if (lines.size() < 2) {
        return 0;
    }
    const auto count = toInt16(leadingNumber(lines[1]));
    return count && *count > 0 ? *count : 0;
}

ListingClaims ListingClaims::ofOtherLists(const fs::path& dataFolder, std::string_view exceptBase) {
    ListingClaims result;
    std::error_code ec;
    for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        if (file.extension() != ".lst") {
            continue;
        }
        // The base is the text before the first ".", as the list's own
        // operations form it.
        const std::string base = savedListBase(file.filename().string());
        if (base == exceptBase || file.filename().string() != base + ".lst") {
            continue;
        }
        Result<std::string> contents = readSavedListText(file);
        if (contents) {
            result.claims_.push_back({base, listingCount(*contents)});
        }
    }
    return result;
}

std::optional<std::string> ListingClaims::claimant(std::string_view base, int record) const {
    const std::string stem = std::string(base) + std::to_string(record);
    for (const Claim& claim : claims_) {
        if (stem.size() <= claim.base.size() ||
            stem.compare(0, claim.base.size(), claim.base) != 0) {
            continue;
        }
        const std::string rest = stem.substr(claim.base.size());
        // rest must be the plain decimal text of an index of that list.
        if (rest.find_first_not_of("0123456789") != std::string::npos ||
            (rest.size() > 1 && rest[0] == '0') || rest.size() > 5) {
            continue;
        }
        if (std::stoi(rest) < claim.count) {
            return claim.base;
        }
    }
    return std::nullopt;
}

bool listingDescribes(const fs::path& listing, std::string_view pathname) {
    Result<std::string> contents = readFile(listing);
    if (!contents || pathname.empty()) {
        return false;
    }
    std::string heading = "*" + std::string(pathname);
    if (heading.back() != '/') {
        heading += '/';
    }
    for (std::string_view line : splitLines(*contents)) {
        if (!line.empty() && line[0] == '*') {
            return line.substr(0, heading.size()) == heading;
        }
    }
    return false;
}

std::string listingCollisionText(std::string_view base, const std::vector<std::string>& skipped) {
    std::string text = "The saved list " + std::string(base) +
                       " shares listing file names with another saved list.\n"
                       "These files were left as they are, so that the other list stays whole:\n";
    for (const std::string& name : skipped) {
        text += "    " + name + "\n";
    }
    text += "Give one of the two lists an output file with a different name to keep both.";
    return text;
}

}  // namespace quor::store
