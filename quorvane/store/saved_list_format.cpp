#include "quorvane/store/saved_list_format.h"

#include <algorithm>
#include <optional>

#include "common/file_io.h"
#include "common/names.h"
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

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string convert(std::string_view text, ValueKind kind) {
    switch (kind) {
        case ValueKind::Text:
            return std::string(text);
        case ValueKind::Number:
            return plainNumber(leadingNumber(text));
        case ValueKind::Integer:
            return std::to_string(toInt16(leadingNumber(text)).value_or(0));
    }
    return std::string(text);
}

// A value as a message shows it: quoted, and cut short when it is long.
std::string quoted(std::string_view value) {
    constexpr std::size_t kShown = 40;
    std::string text = "\"" + std::string(value.substr(0, kShown));
    return text + (value.size() > kShown ? "...\"" : "\"");
}

std::string counted(std::size_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

// The value of a version line: digits with an optional decimal part, blanks
// around allowed, from 1 to 3.2.
std::optional<double> versionOf(std::string_view line) {
    const std::string_view text = withoutBlanksAround(line);
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view part =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    const auto digitsOnly = [](std::string_view d) {
        return d.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (text.empty() || whole.empty() || !digitsOnly(whole) || !digitsOnly(part) ||
        (dot != std::string_view::npos && part.empty())) {
        return std::nullopt;
    }
    const double value = leadingNumber(text);
    if (value < kOldestSavedListVersion || value > kNewestSavedListVersion) {
        return std::nullopt;
    }
    return value;
}

// The folder count of line 2: its leading number as a 16-bit integer that
// is not negative.
std::optional<int> folderCountOf(std::string_view line) {
    const std::optional<std::int16_t> count = toInt16(leadingNumber(line));
    if (!count || *count < 0) {
        return std::nullopt;
    }
    return *count;
}

std::vector<SavedValue> settingsOf(const std::vector<std::string_view>& lines, double version) {
    std::vector<SavedValue> settings;
    std::size_t next = 1;
    for (const SavedListLine& line : kSettingsLines) {
        if (version > line.readAboveVersion) {
            settings.push_back({std::string(line.key), convert(lines[next++], line.kind)});
        }
    }
    return settings;
}

std::vector<std::array<SavedValue, 4>> recordsOf(const std::vector<std::string_view>& lines,
                                                 std::size_t first, int count) {
    std::vector<std::array<SavedValue, 4>> records(static_cast<std::size_t>(count));
    std::size_t next = first;
    for (auto& record : records) {
        for (std::size_t k = 0; k < kRecordLines.size(); ++k) {
            record[k] = {std::string(kRecordLines[k].key),
                         convert(lines[next++], kRecordLines[k].kind)};
        }
    }
    return records;
}

}  // namespace

std::size_t savedListLineCount(double version, int folders) {
    std::size_t settings = 0;
    for (const SavedListLine& line : kSettingsLines) {
        settings += version > line.readAboveVersion ? 1 : 0;
    }
    return 1 + settings + kRecordLines.size() * static_cast<std::size_t>(std::max(folders, 0));
}

Result<SavedList> parseSavedList(std::string_view contents) {
    if (contents.starts_with(kUtf8ByteOrderMark)) {
        contents.remove_prefix(kUtf8ByteOrderMark.size());
    }
    // Lines are counted before any is kept, so that a file of nothing but
    // line ends costs no memory.
    std::size_t lineCount = 0;
    std::string_view firstTwo[2];
    for (std::size_t pos = 0; pos < contents.size(); ++lineCount) {
        const std::string_view line = nextLine(contents, pos, LoneCr::InLine);
        if (lineCount < 2) {
            firstTwo[lineCount] = line;
        }
    }
    if (lineCount == 0) {
        return Error{"The saved list is empty"};
    }
    const std::optional<double> version = versionOf(firstTwo[0]);
    if (!version) {
        return Error{"line 1: the version " + quoted(firstTwo[0]) + " is not a number from 1 to " +
                     std::string(kSavedListVersion)};
    }
    if (lineCount < 2) {
        return Error{"The saved list ends early: line 2 (\"NumPaths\") is missing"};
    }
    const std::optional<int> count = folderCountOf(firstTwo[1]);
    if (!count) {
        return Error{"line 2: the folder count " + quoted(firstTwo[1]) +
                     " is not a number from 0 to " + std::to_string(kMaxSavedListFolders)};
    }
    const std::size_t needed = savedListLineCount(*version, *count);
    if (lineCount != needed) {
        return Error{"The saved list has " + counted(lineCount, "line", "lines") +
                     " where version " + std::string(withoutBlanksAround(firstTwo[0])) + " with " +
                     counted(static_cast<std::size_t>(*count), "folder", "folders") + " needs " +
                     std::to_string(needed)};
    }
    const std::vector<std::string_view> lines = splitLines(contents);
    SavedList list;
    list.version = std::string(lines[0]);
    list.versionNumber = *version;
    list.settings = settingsOf(lines, *version);
    list.records = recordsOf(lines, 1 + list.settings.size(), *count);
    return list;
}

Result<std::string> readSavedListText(const fs::path& file) {
    return readFile(file, kMaxSavedListBytes);
}

Result<SavedList> readSavedListFile(const fs::path& file) {
    Result<std::string> contents = readSavedListText(file);
    if (!contents) {
        return Error{contents.error()};
    }
    Result<SavedList> parsed = parseSavedList(*contents);
    if (!parsed) {
        return Error{file.string() + ": " + parsed.error()};
    }
    return parsed;
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
