#pragma once

// The user's audio player, for "play" (start playing this file) and
// "enqueue" (add it to the playlist). A command template from the settings
// ("PlayCommand", "EnqueueCommand") is split into words at blanks (double
// quotes group a word), and each "%F" is the file's path as one argument;
// a template without "%F" gets the path as its last argument. With no
// template, the first installed of Audacious and VLC is used, and for
// "play" the desktop's default application after them.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor::platform {

enum class PlayerVerb { Play, Enqueue };

// Whether the audio player takes the file: an audio or playlist type, known
// by the extension of its name (case ignored). Only such files go to the
// player when the desktop could not open them.
bool isAudioFile(std::string_view path);

// The argument vector of a template for path (see above); empty when the
// template holds no word.
std::vector<std::string> commandFromTemplate(std::string_view commandTemplate,
                                             std::string_view path);

// Whether a program is installed, by name.
using InstalledCheck = std::function<bool(std::string_view)>;

// The command of the first installed fallback player; empty when none is.
std::optional<std::vector<std::string>> fallbackPlayerCommand(PlayerVerb verb,
                                                              std::string_view path,
                                                              const InstalledCheck& installed);

// The command for verb: the template when it is not blank, else the
// fallback. installed defaults to a look-up on PATH.
std::optional<std::vector<std::string>> playerCommand(PlayerVerb verb,
                                                      std::string_view commandTemplate,
                                                      std::string_view path,
                                                      const InstalledCheck& installed = {});

}  // namespace quor::platform
