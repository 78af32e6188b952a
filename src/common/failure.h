// The one kind of error the program raises: a failure with a message for
// the user, in wide text so it can name paths as they are.
#pragma once

#include <exception>
#include <string>

namespace tavro {

class Failure : public std::exception {
 public:
  explicit Failure(std::wstring message);

  const std::wstring& message() const noexcept { return message_; }
  // The message in UTF-8.
  const char* what() const noexcept override { return narrow_.c_str(); }

 private:
  std::wstring message_;
  std::string narrow_;
};

// What to tell the user of an error: a Failure's own message, else the
// library's text (bad_alloc and the like), decoded from UTF-8.
std::wstring message_of(const std::exception& error);

}  // namespace tavro
