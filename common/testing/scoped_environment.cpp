#include "common/testing/scoped_environment.h"

#include <cstdlib>
#include <ctime>

namespace quor::testing {

std::optional<std::string> environmentValue(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

void setEnvironmentValue(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), previous_(environmentValue(name_)) {
    setEnvironmentValue(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    setEnvironmentValue(name_, previous_);
}

ScopedTimeZone::ScopedTimeZone(const std::string& zone) {
    variable_.emplace("TZ", zone);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    variable_.reset();  // TZ back first, then the C library told of it
    ::tzset();
}

}  // namespace quor::testing
