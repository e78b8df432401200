#pragma once

// One environment variable changed for the life of an object: set to a
// value or unset, then put back exactly as it was (a variable that was unset
// is unset again, one that was empty is empty again).
//
//   ScopedEnvironment path("PATH", tree.path("bin").string());
//   ScopedEnvironment noDisplay("DISPLAY", std::nullopt);

#include <optional>
#include <string>

namespace quor::testing {

class ScopedEnvironment {
  public:
    // Sets name to value, or unsets it when value is nullopt.
    ScopedEnvironment(std::string name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // The value the variable had before, nullopt when it was unset.
    const std::optional<std::string>& previous() const { return previous_; }

  private:
    std::string name_;
    std::optional<std::string> previous_;
};

// The time zone of the process (TZ) for the life of an object, put back
// exactly as it was; the C library is told of each change (tzset).
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const std::string& zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<ScopedEnvironment> variable_;
};

// The value of an environment variable, nullopt when it is unset.
std::optional<std::string> environmentValue(const std::string& name);

// Sets name to value, or unsets it when value is nullopt.
void setEnvironmentValue(const std::string& name, const std::optional<std::string>& value);

}  // namespace quor::testing
