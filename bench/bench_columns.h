#pragma once

// The list columns a benchmark turns on, from a comma-separated word list
// ("size,date,mp3,length"); every column not named is turned off.

#include <string>

#include "quorvane/store/settings_store.h"

namespace quor::bench {

inline void applyColumns(store::AppSettings& settings, const std::string& columns) {
    auto has = [&](const char* column) { return columns.find(column) != std::string::npos; };
    settings.saveSetting("IncludeFileSize", has("size") ? "1" : "0");
    settings.saveSetting("IncludeFileDate", has("date") ? "1" : "0");
    settings.saveSetting("IncludeMP3Info", has("mp3") ? "1" : "0");
    settings.saveSetting("IncludeSongLength", has("length") ? "1" : "0");
}

}  // namespace quor::bench
