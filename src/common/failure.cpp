#include "common/failure.h"

#include <utility>

#include "settings/unicode.h"

namespace tavro {

Failure::Failure(std::wstring message)
    : message_(std::move(message)), narrow_(wide_to_utf8(message_)) {}

}  // namespace tavro
