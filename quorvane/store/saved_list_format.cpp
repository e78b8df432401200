#include "quorvane/store/saved_list_format.h"

#include <algorithm>

#include "common/number_text.h"
#include "common/text_lines.h"
#include "platform/program_folder.h"

namespace quor::store {

namespace fs = std::filesystem;

std::string savedListBase(std::string_view name) {
    return std::string(name.substr(0, name.find('.')));
}

SavedListFiles::SavedListFiles(const fs::path& dataFolder, std::string_view name)
    : folder_(dataFolder), base_(savedListBase(name)) {}

fs::path SavedListFiles::listingFile(int record) const {
    return folder_ / (base_ + std::to_string(record) + ".dat");
}

std::string SavedList::setting(std::string_view key, std::string_view fallback) const {
    for (const SavedValue& value : settings) {
        if (value.key == key) {
            return value.value;
        }
    }
    return std::string(fallback);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        lines.push_back(nextLine(text, pos, LoneCr::InLine));
    }
    return lines;
}

namespace {

Result<std::string> convert(std::string_view text, ValueKind kind, std::size_t lineNumber) {
    switch (kind) {
        case ValueKind::Text:
            return std::string(text);
        case ValueKind::Number:
            return plainNumber(leadingNumber(text));
        case ValueKind::Integer:
            if (auto value = toInt16(leadingNumber(text))) {
                return std::to_string(*value);
            }
            return Error{"Overflow in line " + std::to_string(lineNumber) + " of the saved list"};
    }
    return std::string(text);
}

class LineReader {
  public:
    explicit LineReader(std::string_view contents) : lines_(splitLines(contents)) {}

    Result<std::string> next(const SavedListLine& line) {
        if (index_ >= lines_.size()) {
            return Error{"The saved list ends early: line " + std::to_string(index_ + 1) + " (\"" +
                         std::string(line.key) + "\") is missing"};
        }
        const std::size_t number = index_ + 1;
        return convert(lines_[index_++], line.kind, number);
    }

    Result<std::string> version() {
        if (lines_.empty()) {
            return Error{"The saved list is empty"};
        }
        return std::string(lines_[index_++]);
    }

  private:
    std::vector<std::string_view> lines_;
    std::size_t index_ = 0;
};

}  // namespace

Result<SavedList> parseSavedList(std::string_view contents) {
    LineReader reader(contents);
    SavedList list;
    Result<std::string> version = reader.version();
    if (!version) {
        return Error{version.error()};
    }
    list.version = *version;
    const double v = leadingNumber(list.version);
    for (const SavedListLine& line : kSettingsLines) {
        if (!(v > line.readAboveVersion)) {
            continue;
        }
        Result<std::string> value = reader.next(line);
        if (!value) {
            return Error{value.error()};
        }
        list.settings.push_back({std::string(line.key), std::move(*value)});
    }
    // NumPaths is the first preference and is read in every version.
    const int count = std::max(0, std::stoi(list.settings.front().value));
    for (int i = 0; i < count; ++i) {
        std::array<SavedValue, 4> record;
        for (std::size_t k = 0; k < kRecordLines.size(); ++k) {
            Result<std::string> value = reader.next(kRecordLines[k]);
            if (!value) {
                return Error{value.error()};
            }
            record[k] = {std::string(kRecordLines[k].key), std::move(*value)};
        }
        list.records.push_back(std::move(record));
    }
    return list;
}

std::string valueWhenMissing(const SavedListLine& line) {
    if (line.valueWhenMissing == kRootFolderPlaceholder) {
        std::string home = platform::homeFolder().string();
        if (home.empty() || home.back() != '/') {
            home += '/';
        }
        return home;
    }
    return std::string(line.valueWhenMissing);
}

std::string formatSavedList(const std::vector<std::string>& settingValues,
                            const std::vector<std::array<std::string, 4>>& records) {
    std::string text;
    auto line = [&text](std::string_view value) {
        text += value;
        text += "\r\n";
    };
    line(kSavedListVersion);
    for (const std::string& value : settingValues) {
        line(value);
    }
    for (const auto& record : records) {
        for (const std::string& value : record) {
            line(value);
        }
    }
    return text;
}

}  // namespace quor::store
