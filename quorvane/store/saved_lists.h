#pragma once

// Saved lists: snapshots of the current configuration (preferences, folder
// records with their cache files, header and footer) in the data folder,
// named after the output file. The four operations keep the names they have
// throughout the program.
//
// Each operation reports its own failure through the interaction (the
// caption is the cause) and returns false, so that the command that called
// it goes on with its next step.

#include <string>
#include <string_view>

#include "quorvane/store/list_context.h"

namespace quor::store {

// Deletes the files of the saved list of that name (its .lst, its listing
// files and header and footer copies). Nothing is deleted when its .lst file
// is missing, and no listing file that another saved list names is deleted.
// Creates the data folder when it is missing.
[[nodiscard]] bool deletesavedlist(ListContext& context, std::string_view name);

// Clears the current configuration: every folder record with its cache
// file, and "NumFiles", "NumPaths", "TotalSize", "SavePath",
// "PerformAction". Other preferences, the header and the footer stay.
[[nodiscard]] bool deletecurrentlist(ListContext& context);

// Writes the current configuration as the saved list of that name; an
// empty name writes nothing. Values are written as stored, but for the
// folder count, which is the number of records written (a negative count
// is 0; one beyond 16 bits fails with "Overflow"). Every file is replaced atomically. A listing
// file name that another saved list already uses is not written (a notice
// says which), so two lists never overwrite each other's listings.
[[nodiscard]] bool savelist(ListContext& context, std::string_view name);

// Makes the saved list of that file name ("Weekly.lst") the current
// configuration, in one store transaction. The whole file is read and
// checked first (readSavedListFile): a file it refuses changes nothing.
// Header and footer are replaced by the list's copies (removed when it has
// none).
[[nodiscard]] bool loadlist(ListContext& context, std::string_view name);

}  // namespace quor::store
