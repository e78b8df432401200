#pragma once

// The body of a text list: every folder cache file read in record order,
// broken down by folder (heading, a rule of 80 "-", the files sorted) or as
// one big sorted list, folders only or root folders only, optionally
// numbered. Names are decoded; a CR or LF in a name shows as "?".

#include "quorvane/generate/list_body.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

// Builds the text list body from the cache files of every folder record. A
// record whose cache file is missing is reported (a "Warning", not in an
// unattended run) and left out. Throws StoreError when the settings store
// fails.
ListBody buildTextListBody(store::ListContext& context);

}  // namespace quor::generate
