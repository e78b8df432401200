#pragma once

// The fixed texts of the search window that the search engine decides.

#include <array>
#include <string>
#include <string_view>

namespace quor::find {

inline constexpr std::array<std::string_view, 3> kInstructionRows = {
    "Double click on an item to open or run it.",
    "Right click on an item to open/run it, queue an mp3, create a playlist, rename/delete a file.",
    "You may also drag/drop files from this list onto other windows applications, such as Winamp.",
};
inline constexpr std::string_view kNoMatchesRow = "No Matches Found";
inline constexpr std::string_view kSearchingCaption = "Searching...";
inline constexpr std::string_view kListsFolderPath = "/Lists Folder";

inline constexpr std::string_view kOpenListFailed =
    "There was a problem opening your list!\n"
    "Make sure you have created a list in Quorvane before searching.";
inline constexpr std::string_view kOpenTextListFailed =
    "There was a problem opening the file!\nMake sure you are trying to open a TEXT file.";
inline constexpr std::string_view kTooManyMatchesText =
    "There were too many matches to fit in the list!";
inline constexpr std::string_view kNoListsCaption = "No Lists Found";
inline constexpr std::string_view kNoListsText =
    "Copy any number of text file lists into your \\Quorvane\\Lists directory.\n"
    "They will all get searched at the same time. Make sure to only put text\n"
    "files into the \\Quorvane\\Lists folder!";

// "Found " + count + " matching files."
std::string foundText(long long matches);

// "Quorfind - " + the file name of the current list path.
std::string windowCaption(std::string_view listPath);

// "There was a problem accessing your \"" + programFolder + "/LISTS\" folder!"
std::string listsFolderFailedText(std::string_view programFolder);

// "There was a problem opening the file: " + file, then the second line.
std::string listsFileFailedText(std::string_view file);

}  // namespace quor::find
