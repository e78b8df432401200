#pragma once

// The search program's small modal dialogs and the drag data of result rows.
// Each dialog reads what it shows from its arguments or the settings and
// hands back what the user chose; the search window applies the rest.
//
// The forms that take an Interaction show their messages through it (tests
// script them); the others show them in message boxes over parent.

#include <QMimeData>
#include <QWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "quorfind/settings.h"
#include "quorvane/store/places.h"

namespace quor::find::ui {

// "Quorfind Options": shows and stores "AlwaysOnTop", "IncludeFolders" and
// "IncludeHScrollBar"; its "Mirc" button stores them, closes the dialog and
// then shows the mIRC options dialog. The caller makes its window ordinary
// before and applies the top-most state and the scroll range afterwards.
void runOptionsDialog(QWidget* parent, FindSettings& settings);
// The same; a settings store that fails is reported through user.
void runOptionsDialog(QWidget* parent, FindSettings& settings, Interaction& user);

// "Advanced Mirc Options": the IRC link's service name and send template,
// stored on OK.
void runMircOptionsDialog(QWidget* parent, FindSettings& settings);
void runMircOptionsDialog(QWidget* parent, FindSettings& settings, Interaction& user);

// The rename dialog: the new path the user typed over oldPath, or "" when
// the user cancelled.
//
// An OK that leaves the text unchanged or empty gives oldPath itself (byte
// for byte, also when the path is not valid UTF-8). Otherwise the typed path
// is cleaned as the rename will clean it (see renameTarget), a path typed
// without a leading "/" is taken inside the old file's folder, and folders
// left as they were keep their original bytes.
std::string askNewPath(QWidget* parent, const std::string& oldPath);

// "IRC nick": the nickname to send to, preset to current; "" on Cancel.
std::string askIrcNickname(QWidget* parent, const std::string& current);

// "Open List": the saved lists of the data folder; the chosen list's file
// name (name + ".lst"), "" on Cancel, previousChoice when the dialog was
// closed with the window's close box.
std::string chooseListToSearch(QWidget* parent, const store::Places& places,
                               const std::string& previousChoice);
// The same; "Please select a saved list!" is shown through user.
std::string chooseListToSearch(QWidget* parent, const store::Places& places,
                               const std::string& previousChoice, Interaction& user);

// The help box shown on the very first start.
void showFirstStartHelp(QWidget* parent);
// The same box through user, naming the Lists folder of places.
void showFirstStartHelp(Interaction& user, const store::Places& places);
// The text of the help box: lines joined by '\n', naming listsFolder.
std::string firstStartHelpText(const std::filesystem::path& listsFolder);
inline constexpr std::string_view kFirstStartHelpCaption = "Quorfind Help - Please Read";

// The drag data of resolved paths, in the formats file managers and players
// accept (text/uri-list and the desktop's copied-files list). Owned by the
// caller (normally handed to a QDrag).
//
// "text/uri-list": one file:// address per path, every byte outside the
// unreserved set and "/" percent-encoded, CR LF after each;
// "x-special/gnome-copied-files": "copy", then the addresses, joined by LF;
// "text/plain": the paths as they are, joined by LF. No paths: no formats.
QMimeData* fileDragData(const std::vector<std::string>& paths);

}  // namespace quor::find::ui
