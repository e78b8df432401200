#pragma once

#include "common/result.h"
#include "quorvane/generate/collation.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

// Reorders the disk blocks of record recordIndex's cache file by disk name
// (the locale's case-insensitive order) and replaces the file atomically.
// Each block keeps its header, total and lines in their order; blank lines
// are dropped; two blocks with the same disk name are both kept, in their
// old order; lines before the first disk header stay at the front. A
// missing file is left missing (success). Fails, leaving the file as it
// was, when it cannot be read or written.
Status SortDiskBlocks(store::ListContext& context, int recordIndex,
                      const Collation& order = Collation::forUserLocale());

}  // namespace quor::generate
