#pragma once

// The user's header and footer texts ("header.txt", "footer.txt" in the
// program folder) as a list file shows them, and the core of their editor.

#include <filesystem>
#include <string>
#include <string_view>

#include "common/result.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

enum class PageKind { Text, Html };

// The header as one piece of a list file: its lines joined by CR LF (text
// list) or each followed by "<br>" (HTML). A missing or unreadable file
// gives the empty text and, unless unattended, the message "There was a
// problem opening the header file!" with a hint where to edit it.
std::string readHeaderText(store::ListContext& context, PageKind kind);

// The same for the footer; in HTML every line is preceded by "<br>".
std::string readFooterText(store::ListContext& context, PageKind kind);

// The editor's text of a header or footer file: its lines joined by CR LF.
// A missing file is first created empty. Fails when it cannot be created
// or read.
Result<std::string> loadHeadFootText(const std::filesystem::path& file);

// Replaces the file with text followed by one CR LF, atomically. Line
// ends of text (LF or CR LF) are written as CR LF.
Status saveHeadFootText(const std::filesystem::path& file, std::string_view text);

}  // namespace quor::generate
