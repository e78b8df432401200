#pragma once

// The search as you type. The own list is read into memory once and kept
// between keys (read again when one of its files changes); a text that
// contains the previous key's text only tries the lines the previous key
// found. Other people's lists are searched as you type only when they are
// small enough to answer at once (instantListBytes); they are read again
// at each key. Nothing here shows a message: a list that cannot be read
// gives no answer, and Enter then searches it as usual.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "common/interaction.h"
#include "quorfind/search/loaded_list.h"
#include "quorfind/search/search_limits.h"
#include "quorfind/search/search_result.h"

namespace quor::find {

// Text lists and Lists folders up to this many bytes are searched as you
// type: a list of this size is searched well within the time between keys.
inline constexpr std::uint64_t kInstantListBytes = std::uint64_t{8} << 20;

// The matches of one key over a loaded own list. Rows are made as they are
// asked for.
class InstantMatches {
  public:
    InstantMatches() = default;
    InstantMatches(std::shared_ptr<const LoadedList> list,
                   std::shared_ptr<const LoadedList::LineNumbers> lines)
        : list_(std::move(list)), lines_(std::move(lines)) {}

    std::size_t size() const { return lines_ ? lines_->size() : 0; }
    // The row'th match as a row; row < size().
    SearchRow row(std::size_t row) const { return list_->row((*lines_)[row]); }

  private:
    std::shared_ptr<const LoadedList> list_;
    std::shared_ptr<const LoadedList::LineNumbers> lines_;
};

class InstantOwnSearch {
  public:
    // The own list is kept in memory only up to these limits.
    InstantOwnSearch(std::size_t maxBytes, std::size_t maxLines)
        : maxBytes_(maxBytes), maxLines_(maxLines) {}

    // The matches of typed (cleaned as the Search button cleans it) in the
    // own list of listPath in dataFolder, with folder names when
    // includeFolders. Nothing when stop was requested or the list cannot be
    // held in memory (too large, unreadable).
    std::optional<InstantMatches> search(const std::filesystem::path& dataFolder,
                                         const std::string& listPath, std::string_view typed,
                                         bool includeFolders, std::stop_token stop);

    // Reads the own list into memory ahead of the first key, or again when
    // its files changed; false when it cannot be held in memory.
    bool prepare(const std::filesystem::path& dataFolder, const std::string& listPath) {
        return reloadIfNeeded(dataFolder, listPath);
    }

    // The list kept in memory, if any (for tests and measurements).
    const LoadedList* loaded() const { return list_.get(); }

  private:
    bool reloadIfNeeded(const std::filesystem::path& dataFolder, const std::string& listPath);

    std::size_t maxBytes_;
    std::size_t maxLines_;
    std::filesystem::path dataFolder_;
    std::string listPath_;
    std::shared_ptr<const LoadedList> list_;
    // The previous answer, to narrow from.
    std::string lastFolded_;
    bool lastIncludeFolders_ = false;
    std::shared_ptr<const LoadedList::LineNumbers> lastLines_;
};

// The bytes of the text list at file, or of the files of a Lists folder;
// nothing when they cannot be told (missing, not a regular file, more than
// maxEntries entries in the folder).
std::optional<std::uint64_t> textListBytes(const std::filesystem::path& file);
std::optional<std::uint64_t> listsFolderBytes(const std::filesystem::path& folder,
                                              std::size_t maxEntries = 10000);

// An interaction for a search that must not show anything: every notice is
// counted instead, and events never run; a stop ends the search.
class SilentInteraction final : public Interaction {
  public:
    explicit SilentInteraction(std::stop_token stop) : stop_(std::move(stop)) {}
    void notice(std::string_view, std::string_view, Shown) override { ++notices_; }
    bool confirm(std::string_view, std::string_view) override { return false; }
    bool okOrCancel(std::string_view, std::string_view) override { return false; }
    bool retryOrCancel(std::string_view, std::string_view) override { return false; }
    void status(std::string_view) override {}
    void busy(bool) override {}
    bool keepResponsive() override { return stop_.stop_requested(); }
    bool unattended() const override { return true; }

    int notices() const { return notices_; }

  private:
    std::stop_token stop_;
    int notices_ = 0;
};

}  // namespace quor::find
