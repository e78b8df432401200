#pragma once

// The list file at "SavePath": header, body, summary and footer of a text
// list, or the HTML page (template merge or fallback page). The file is
// replaced atomically with CR LF line ends: a failed write leaves the
// previous list whole.

#include <string>
#include <string_view>

#include "common/result.h"
#include "quorvane/generate/list_body.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

// Writes the text list to "SavePath": the header and an empty line
// ("ShowHeader" 1), the body lines, an empty line and the summary
// ("ShowSummary" 1), an empty line, the footer ("ShowFooter" 1); now is
// the summary's time. When it cannot be written the user
// is told (not in an unattended run) and the failure is returned; the old
// file stays as it was.
Status writeTextListFile(store::ListContext& context, const ListBody& body);
Status writeTextListFile(store::ListContext& context, const ListBody& body, std::string_view now);

// Writes the HTML page to "SavePath": the program folder's "Template.html"
// merged, or, when it is missing, the fallback page after a "Notice!"
// (shown in unattended runs too). Fails as writeTextListFile.
Status writeHtmlListFile(store::ListContext& context, const ListBody& body);
Status writeHtmlListFile(store::ListContext& context, const ListBody& body, std::string_view now);

}  // namespace quor::generate
