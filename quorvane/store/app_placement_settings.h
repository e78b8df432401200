#pragma once

// The placement of a program's windows kept in the section "Settings" of its
// values in the settings store (MainLeft, SearchTop, ...).

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/placement_settings.h"
#include "quorvane/store/settings_store.h"

namespace quor::store {

class AppPlacementSettings final : public PlacementSettings {
  public:
    // Reads and writes the values of settings' application; settings' store
    // must outlive this.
    explicit AppPlacementSettings(const AppSettings& settings) : settings_(settings) {}

    std::optional<std::string> read(std::string_view key) const override;
    // One transaction of the store.
    void saveAll(std::span<const Entry> entries) override;

  private:
    AppSettings settings_;
};

}  // namespace quor::store
