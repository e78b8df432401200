#pragma once

// A value or the text of what went wrong, so that a function that can fail
// says so in its type. The error text is what the user is shown (for example
// as the caption of a failure message), so it names the file and the cause.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace quor {

struct Error {
    std::string message;
};

template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(state_); }
    const T& value() const& { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const std::string& error() const { return std::get<Error>(state_).message; }

  private:
    std::variant<T, Error> state_;
};

// Success, or the text of a failure.
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Error error) : error_(std::move(error.message)) {}
    static Status success() { return {}; }

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return *error_; }

  private:
    std::optional<std::string> error_;
};

}  // namespace quor
