#include "quorfind/search/instant_search.h"

#include <sys/stat.h>

#include <system_error>

#include "quorfind/search/match.h"

namespace quor::find {

namespace fs = std::filesystem;

bool InstantOwnSearch::reloadIfNeeded(const fs::path& dataFolder, const std::string& listPath) {
    if (list_ != nullptr && dataFolder == dataFolder_ && listPath == listPath_ &&
        !list_->changed()) {
        return true;
    }
    list_.reset();
    lastLines_.reset();
    dataFolder_ = dataFolder;
    listPath_ = listPath;
    auto loaded = LoadedList::load(dataFolder, listPath, maxBytes_, maxLines_);
    if (!loaded) {
        return false;
    }
    list_ = std::move(*loaded);
    return true;
}

std::optional<InstantMatches> InstantOwnSearch::search(const fs::path& dataFolder,
                                                       const std::string& listPath,
                                                       std::string_view typed, bool includeFolders,
                                                       std::stop_token stop) {
    if (!reloadIfNeeded(dataFolder, listPath)) {
        return std::nullopt;
    }
    const TextMatcher matcher(cleanSearchText(typed));
    const std::string& folded = matcher.folded();
    // Every line that holds the longer text holds the shorter one as well.
    const bool narrows = lastLines_ != nullptr && includeFolders == lastIncludeFolders_ &&
                         folded.find(lastFolded_) != std::string::npos;
    std::optional<LoadedList::LineNumbers> found =
        list_->search(folded, includeFolders, narrows ? lastLines_.get() : nullptr, stop);
    if (!found) {
        return std::nullopt;
    }
    lastLines_ = std::make_shared<const LoadedList::LineNumbers>(std::move(*found));
    lastFolded_ = folded;
    lastIncludeFolders_ = includeFolders;
    return InstantMatches(list_, lastLines_);
}

std::optional<std::uint64_t> textListBytes(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::uint64_t> listsFolderBytes(const fs::path& folder, std::size_t maxEntries) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        return std::nullopt;
    }
    std::uint64_t total = 0;
    std::size_t seen = 0;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error || ++seen > maxEntries) {
            return std::nullopt;
        }
        if (const auto bytes = textListBytes(entries->path())) {
            total += *bytes;
        }
    }
    return error ? std::nullopt : std::optional<std::uint64_t>(total);
}

}  // namespace quor::find
