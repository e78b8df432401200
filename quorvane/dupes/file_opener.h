#pragma once

// Hands a file to the desktop with a verb ("open", "play"), as the Open
// action of a result row needs. The platform layer implements it; tests
// record the calls.

#include <string>
#include <string_view>

#include "common/result.h"

namespace quor::dupes {

class FileOpener {
  public:
    virtual ~FileOpener() = default;

    // Performs verb on the file at path. Fails, with the reason, when nothing
    // could be started for it (no application for the type, the program
    // missing).
    virtual Status open(const std::string& path, std::string_view verb) = 0;
};

}  // namespace quor::dupes
