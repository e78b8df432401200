#pragma once

// The search program's small modal dialogs and the drag data of result rows.
// Each dialog reads what it shows from its arguments or the settings and
// hands back what the user chose; the search window applies the rest.

#include <QMimeData>
#include <QWidget>
#include <string>
#include <vector>

#include "quorfind/settings.h"
#include "quorvane/store/places.h"

namespace quor::find::ui {

// "Quorfind Options": shows and stores "AlwaysOnTop", "IncludeFolders" and
// "IncludeHScrollBar"; its "Mirc" button stores them, closes the dialog and
// then shows the mIRC options dialog. The caller makes its window ordinary
// before and applies the top-most state and the scroll range afterwards.
void runOptionsDialog(QWidget* parent, FindSettings& settings);

// "Advanced Mirc Options": the IRC link's service name and send template,
// stored on OK.
void runMircOptionsDialog(QWidget* parent, FindSettings& settings);

// The rename dialog: the new path the user typed over oldPath, or "" when
// the user cancelled.
std::string askNewPath(QWidget* parent, const std::string& oldPath);

// "IRC nick": the nickname to send to, preset to current; "" on Cancel.
std::string askIrcNickname(QWidget* parent, const std::string& current);

// "Open List": the saved lists of the data folder; the chosen list's file
// name (name + ".lst"), "" on Cancel, previousChoice when the dialog was
// closed with the window's close box.
std::string chooseListToSearch(QWidget* parent, const store::Places& places,
                               const std::string& previousChoice);

// The help box shown on the very first start.
void showFirstStartHelp(QWidget* parent);

// The drag data of resolved paths, in the formats file managers and players
// accept (text/uri-list and the desktop's copied-files list). Owned by the
// caller (normally handed to a QDrag).
QMimeData* fileDragData(const std::vector<std::string>& paths);

}  // namespace quor::find::ui
