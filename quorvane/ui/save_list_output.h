#pragma once

// Save List Output As: the list's output file is chosen with a save dialog,
// its extension sets the list format, and the saved list follows the output
// file to its new name. The build calls it too when no output file is set.

#include <QWidget>
#include <filesystem>
#include <optional>
#include <string_view>

#include "quorvane/store/list_context.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

inline constexpr std::string_view kTextFilesFilter = "Text Files (*.txt)";
inline constexpr std::string_view kHtmlFilesFilter = "HTML Files (*.html *.htm)";

// The dialog's set-up: it opens in the folder of the current output file
// (the home folder when there is none) with the filter and default extension
// of the current format.
FileRequest saveListOutputRequest(const store::AppSettings& settings,
                                  const std::filesystem::path& home);

// The format an output file's extension chooses: true for .html and .htm,
// false for .txt (in any case), nothing for any other extension.
std::optional<bool> htmlForExtension(std::string_view path);

// Runs the command; false when the dialog was cancelled or the file chosen
// belongs to the programs (said to the user): nothing changes then.
[[nodiscard]] bool saveListOutputAs(store::ListContext& context, const WindowServices& services,
                                    QWidget* parent);

}  // namespace quor::ui
