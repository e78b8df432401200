#pragma once

// Open/Play and Queue: each row's file goes to the desktop's default
// application ("open") or to the audio player's playlist ("enqueue"). A
// sound file the desktop could not open goes to the player instead, one
// second apart after each request to the player; in one Open/Play the first
// file for the player is played and the later ones are enqueued behind it,
// so that the player keeps them all in row order. Any other file the desktop
// could not open is not handed to the player. A failure shows the "Error"
// message, with its reason after an empty line, and ends the action.

#include <string>
#include <string_view>
#include <vector>

#include "quorfind/actions/action_context.h"
#include "quorfind/actions/launcher.h"

namespace quor::find {

inline constexpr std::string_view kLaunchFailedCaption = "Error";
inline constexpr std::string_view kLaunchFailedText =
    "- This file type is not registered with the system or the registered program\n"
    "  could not be found.\n"
    "\n"
    "- If you are trying to queue an .MP3 file, make sure you have Winamp installed.";

// The text of the "Error" message for a failure with reason.
std::string launchFailedText(std::string_view reason);

// Returns the number of files handed over.
int openOrPlay(const std::vector<SearchRow>& rows, const ActionContext& context,
               Launcher& launcher);
int queueFiles(const std::vector<SearchRow>& rows, const ActionContext& context,
               Launcher& launcher);

}  // namespace quor::find
