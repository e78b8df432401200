#pragma once

// The download link base of HTML lists: how a typed base is cleaned before it
// is stored, and the example link the dialog shows for it.

#include <string>
#include <string_view>

#include "quorvane/generate/link_target.h"

namespace quor::ui {

// Removes every *, ?, <, >, double quote and space, then one trailing "/" or
// "\" ("http://host/my files/" gives "http://host/myfiles"): the writer's
// own cleaning, so that the dialog stores what the list will use.
using generate::cleanDownloadLink;

// The link a file /mymusic/song.mp3 would get: the local path for an empty
// base, the base + "\mymusic\song.mp3" for a network share ("\\machine"),
// else the base + "/mymusic/song.mp3".
std::string exampleDownloadLink(std::string_view base);

}  // namespace quor::ui
