#pragma once
// What can fail says so in its signature: Status for an operation, Result<T>
// for a value. An error carries the program's own message text.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace lumivo {

// What kind of failure: reports keep their German text, callers and tests
// look at the kind.
enum class ErrorKind : std::uint8_t {
  Broken,    // a broken or unsupported file
  TooLarge,  // over our limits (pixels, allocation, JPEG side)
  Io,        // unreadable, vanished, write failed
};

struct Error {
  std::string message;
  ErrorKind kind = ErrorKind::Broken;
};

// Raised inside the readers and decoders; caught at the loading boundary
// and turned into an Error there.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Too big for us" is told apart from "broken file".
class TooLarge : public Failure {
 public:
  using Failure::Failure;
};

class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Error error) : error_(std::move(error)) {}  // NOLINT: implicit by design
  static Status Ok() { return {}; }

  bool ok() const { return !error_; }
  explicit operator bool() const { return ok(); }
  const std::string& message() const { return error_->message; }
  ErrorKind kind() const { return error_->kind; }
  const Error& error() const { return *error_; }

 private:
  std::optional<Error> error_;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}        // NOLINT: implicit by design
  Result(Error error) : state_(std::move(error)) {}    // NOLINT: implicit by design

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const Error& error() const { return std::get<1>(state_); }
  const std::string& message() const { return error().message; }
  ErrorKind kind() const { return error().kind; }
  Status status() const { return ok() ? Status::Ok() : Status(error()); }

 private:
  std::variant<T, Error> state_;
};

}  // namespace lumivo
