// What a function that can fail gives back when failing is not exceptional:
// either its value or the Failure that says why there is none. It tests true
// on success, like a pointer that points somewhere.
#pragma once

#include <optional>
#include <utility>
#include <variant>

#include "common/failure.h"

namespace tavro {

template <typename T>
class [[nodiscard]] Result {
 public:
  // Implicit, so that a function returns its value or a Failure as they are.
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  explicit operator bool() const noexcept { return state_.index() == 0; }

  // The value; only for a Result that tests true.
  T& value() noexcept { return *std::get_if<0>(&state_); }
  const T& value() const noexcept { return *std::get_if<0>(&state_); }
  T& operator*() noexcept { return value(); }
  const T& operator*() const noexcept { return value(); }
  T* operator->() noexcept { return &value(); }
  const T* operator->() const noexcept { return &value(); }

  // Why there is no value; only for a Result that tests false.
  const Failure& failure() const noexcept { return *std::get_if<1>(&state_); }

 private:
  std::variant<T, Failure> state_;
};

// The value of a Result<void> that succeeded: `return Done{};`.
struct Done {};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result(Done /*done*/) noexcept {}
  Result(Failure failure) : failure_(std::move(failure)) {}

  explicit operator bool() const noexcept { return !failure_.has_value(); }

  // Why it failed; only for a Result that tests false.
  const Failure& failure() const noexcept { return *failure_; }

 private:
  std::optional<Failure> failure_;
};

}  // namespace tavro
