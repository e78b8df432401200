#include "common/version.h"

#ifndef QUOR_VERSION
#define QUOR_VERSION "unknown"
#endif

namespace quor {

std::string_view programVersion() {
    return QUOR_VERSION;
}

}  // namespace quor
