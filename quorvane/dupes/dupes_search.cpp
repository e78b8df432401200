#include "quorvane/dupes/dupes_search.h"

#include <algorithm>
#include <new>

#include "common/number_text.h"
#include "quorvane/dupes/catalogue_reader.h"
#include "quorvane/dupes/dupes_options.h"
#include "quorvane/dupes/pair_search.h"
#include "quorvane/dupes/stored_name.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::dupes {

DupesRows DupesRows::initial() {
    DupesRows list;
    list.add(std::string(kInstructionRow), "");
    return list;
}

void DupesRows::add(std::string row, std::string storedName) {
    rows.push_back(std::move(row));
    rowMap.push_back(std::move(storedName));
}

std::string foundPairsStatus(int pairCount) {
    return "Found " + std::to_string(pairCount) + " possible duplicate files.";
}

namespace {

using PairListed = std::function<void(const DupesRows&)>;

void comparePairs(const store::ListContext& context, const EntryStore& entries, int tolerance,
                  const PairListed& pairListed, DupesSearchResult& result) {
    PairSearchHooks hooks;
    hooks.pair = [&](std::size_t a, std::size_t b) {
        for (std::size_t entry : {a, b}) {
            const std::string_view stored = entries.storedName(entry);
            result.list.add(displayForm(stored), std::string(stored));
        }
        result.list.add("", "");
        context.user.status(foundPairsStatus(++result.pairCount));
        if (pairListed) {
            pairListed(result.list);
        }
    };
    hooks.afterEntry = [&] { return context.user.keepResponsive(); };
    findPairsFast(entries.signatures(), tolerance, hooks);
}

void search(const store::ListContext& context, double numFiles, const PairListed& pairListed,
            DupesSearchResult& result) {
    const DupesOptions options = readDupesOptions(context.settings());
    CatalogueReading reading = readCatalogue(context, options.includeRemovables,
                                             static_cast<std::size_t>(std::min(numFiles, 4e6)) + 1);
    if (reading.failure) {
        context.user.notice(kOpenFailed, *reading.failure);
        return;
    }
    if (reading.includedFolders > 0) {
        comparePairs(context, reading.entries, options.tolerance, pairListed, result);
    }
}

}  // namespace

DupesSearchResult searchDuplicates(const store::ListContext& context,
                                   const std::function<void(bool searching)>& searching,
                                   const PairListed& pairListed) {
    DupesSearchResult result;
    double numFiles = 0;
    try {
        // The duplicate finder's own fallback: 1, not the list's 0.
        numFiles = context.settings().get(store::kNumFiles.withFallback("1"));
    } catch (const store::StoreError& error) {
        context.user.notice(kOpenFailed, error.what());
        result.refused = true;
        return result;
    }
    if (numFiles < 2) {
        context.user.notice(kNoListYet);
        result.refused = true;
        return result;
    }
    context.user.status("");
    if (searching) {
        searching(true);
    }
    {
        BusyPointer busy(context.user);
        try {
            search(context, numFiles, pairListed, result);
        } catch (const store::StoreError& error) {
            context.user.notice(kOpenFailed, error.what());
        } catch (const std::bad_alloc& error) {
            context.user.notice(kOpenFailed, error.what());  // a catalogue too large to compare
        }
    }
    if (result.pairCount == 0) {
        result.list.add(std::string(kNoDuplicatesRow), "");
    }
    if (searching) {
        searching(false);
    }
    return result;
}

}  // namespace quor::dupes
