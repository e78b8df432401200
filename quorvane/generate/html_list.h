#pragma once

// The body of an HTML list: built like the text list body but keeping the
// cache form of each line and a link target per file, then rendered as
// plain lines or as table rows with alternating colours. Every text that
// comes from a name or a column is HTML-escaped; link targets are
// percent-encoded (see link_target.h).

#include <functional>
#include <string>
#include <string_view>

#include "quorvane/generate/list_body.h"
#include "quorvane/store/list_context.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

// Builds the HTML list body from the cache files of every folder record,
// with the same reports and failures as buildTextListBody.
ListBody buildHtmlListBody(store::ListContext& context);

// The rendering preferences, read when the page is written.
struct HtmlRenderOptions {
    bool useTable = true;                                     // "UseHTMLTable" 1
    std::string border = "1";                                 // "DisplayHTMLTable"
    bool alternateColors = true;                              // "AlternateTableColors" 1
    std::string tableColor{store::kHtmlTableColor.fallback};  // checked by pageTableColour
    bool foldersOnly = false;                                 // "IncludeFoldersOnly" not 0
    bool includeLinks = false;                                // "IncludeLinks" 1

    static HtmlRenderOptions read(const store::AppSettings& settings);
    bool linksOn() const { return !foldersOnly && includeLinks; }
};

// Called every few thousand lines while a body is rendered, so that a
// window stays live.
using RenderPoll = std::function<void()>;

// Appends the body (table start, one piece per line, table end) to page,
// every piece ended by CR LF.
void renderListBody(const ListBody& body, const HtmlRenderOptions& options, std::string& page,
                    const RenderPoll& poll = {});

// Appends the simpler body of a page without template: one "<br>" line per
// body line, a link around it when links are on.
void renderFallbackBody(const ListBody& body, const HtmlRenderOptions& options, std::string& page,
                        const RenderPoll& poll = {});

// Text with "&", "<", ">" and double quotes as HTML entities.
std::string htmlEscape(std::string_view text);

}  // namespace quor::generate
