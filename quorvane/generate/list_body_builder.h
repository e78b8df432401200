#pragma once

// The one engine behind the text and the HTML list body: reads every folder
// cache file in record order and fills a ListBody in the layout the
// preferences ask for. The two list kinds differ only in the form of the
// lines they keep (finished text, or cache form with link targets).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/generate/cache_reader.h"
#include "quorvane/generate/collation.h"
#include "quorvane/generate/link_target.h"
#include "quorvane/generate/list_body.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

enum class ListKind { Text, Html };

class ListBodyBuilder {
  public:
    ListBodyBuilder(store::ListContext& context, ListKind kind,
                    const Collation& order = Collation::forUserLocale());

    // Builds the body. A missing or unreadable cache file is reported
    // ("Warning", interactive runs only) and its record skipped. Settings
    // store failures throw StoreError, as everywhere.
    ListBody build();

  private:
    struct Record {
        store::FolderRecord folder;
        std::string displayRoot;
        LinkRoot linkRoot;
        bool removable = false;
    };

    void addRecord(int index, bool last);
    // The lines of a cache file, as views into its text.
    using CacheLines = std::vector<std::string_view>;

    std::size_t skipStart(const CacheLines& lines, const Record& record);
    std::size_t skipDiskHeader(const CacheLines& lines, std::size_t at);
    void readFiles(const CacheLines& lines, const Record& record);
    void readFolders(const CacheLines& lines, const Record& record);
    void readRootFolders(const CacheLines& lines, const Record& record);

    void heading(const std::string& shown, const std::string& stored);
    void fileLine(std::string_view line, const Record& record);
    void appendPlainTextFileLine(std::string_view line);
    std::string textFileLine(const DecodedFileLine& file) const;
    std::string htmlFileLine(const DecodedFileLine& file) const;
    void append(std::string_view line, std::string target = {});
    void closeGroup();
    void poll();
    void sortRange(std::size_t first, std::size_t end);
    void numberRange(std::size_t first, std::size_t end);

    store::ListContext& context_;
    ListKind kind_;
    const Collation& order_;
    ListLayout layout_;
    ListBody body_;

    std::size_t groupStart_ = 0;
    std::int32_t runningNumber_ = 0;
    bool firstHeading_ = true;
    std::string currentFolder_;  // decoded display path of the last heading
    std::string linkFolder_;     // its real folder, for the links
    std::optional<std::string> lastRootFolder_;
    std::string scratch_;  // the line being made, reused so that a line costs no allocation
};

}  // namespace quor::generate
