#pragma once

namespace quor::generate {

// Which removable disk set's cache file the next disk goes into, shared by
// the build and the add-disk dialog. With addToSet clear a cache file is
// written anew; with addToSet set the first disk (newFile set) starts the
// file anew and clears newFile, and every later disk adds its block to it.
struct RemovableDiskState {
    int recordIndex = 0;
    bool newFile = false;
    bool addToSet = false;
};

}  // namespace quor::generate
