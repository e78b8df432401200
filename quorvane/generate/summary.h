#pragma once

// The summary line that closes a list: a rule of 67 "=", then the file
// count, the total size and the time the list was made.

#include <cstdint>
#include <string>
#include <string_view>

#include "quorvane/generate/list_file_texts.h"

namespace quor::generate {

// Text list: the rule, CR LF, "Files: 12   Total Size: 3.50MB   List
// Created: <now>". HTML: "<br>" + rule + "<br>" + the same line HTML-escaped,
// with every blank of the whole text written as "&nbsp;".
std::string buildSummaryText(PageKind kind, std::int32_t fileCount, std::string_view totalSize,
                             std::string_view now);

// The current local date and time in the locale's short form ("%x %X").
std::string currentDateTimeText();

}  // namespace quor::generate
