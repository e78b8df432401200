#pragma once

// Where a program keeps the placement of its windows: text values under keys
// of its settings. Each program gives its own settings store through this,
// so the shared window code needs no store of its own. Values are read at
// every use, never cached; a failure of the store itself is thrown by the
// implementation and goes on to the caller.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace quor {

class PlacementSettings {
  public:
    using Entry = std::pair<std::string_view, std::string>;

    virtual ~PlacementSettings() = default;

    // The stored text of key; nothing when the key is missing.
    virtual std::optional<std::string> read(std::string_view key) const = 0;

    // Stores every entry at once: another process sees all of them or none.
    virtual void saveAll(std::span<const Entry> entries) = 0;
};

}  // namespace quor
