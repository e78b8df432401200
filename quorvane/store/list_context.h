#pragma once

#include "common/interaction.h"
#include "quorvane/store/places.h"
#include "quorvane/store/settings_store.h"

namespace quor::store {

// What an operation on the current list works with: the settings store, the
// program folder's files, and the user (messages and questions).
struct ListContext {
    SettingsStore& store;
    Places places;
    Interaction& user;

    AppSettings settings() const { return AppSettings(store, kQuorvane); }
};

}  // namespace quor::store
