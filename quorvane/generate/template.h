#pragma once

// The HTML page: the user's "Template.html" with the header, the list and
// the footer poured in at its marker lines, or the plain fallback page when
// there is no template. The user's template, header and footer are the
// user's own HTML and are copied as they are.

#include <string>
#include <string_view>
#include <vector>

#include "quorvane/generate/list_body.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

inline constexpr std::string_view kHeaderMarker = "<!--header-->";
inline constexpr std::string_view kListMarker = "<!--list-->";
inline constexpr std::string_view kFooterMarker = "<!--footer-->";

// True when the whole line, lower-cased, is the marker: case is ignored,
// blanks before or after it are not.
bool isTemplateMarker(std::string_view line, std::string_view marker);

// The page: every template line copied, except the marker lines, which
// give the header ("ShowHeader" 1), the rendered body with the summary
// ("ShowSummary" 1) and an empty line (at every list marker), and the footer
// ("ShowFooter" 1). Lines end in CR LF.
std::string mergeTemplate(store::ListContext& context, const ListBody& body,
                          const std::vector<std::string>& templateLines, std::string_view now);

// The page without a template: header, the plain body, summary, an empty
// line, footer.
std::string fallbackPage(store::ListContext& context, const ListBody& body, std::string_view now);

// The message shown when the program folder has no template, lines
// separated by "\n".
std::string missingTemplateText(const store::Places& places);

}  // namespace quor::generate
