#include "common/failure.h"

#include <utility>

#include "common/unicode.h"

namespace tavro {

Failure::Failure(std::wstring message)
    : message_(std::move(message)), narrow_(wide_to_utf8(message_)) {}

std::wstring message_of(const std::exception& error) {
  if (const auto* failure = dynamic_cast<const Failure*>(&error)) return failure->message();
  return utf8_to_wide(error.what());
}

}  // namespace tavro
