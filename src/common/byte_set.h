// A set of bytes, each looked up in one step: for scans that test every
// byte of a text against a few characters.
#pragma once

#include <array>
#include <initializer_list>

namespace tavro {

class ByteSet {
 public:
  constexpr ByteSet(std::initializer_list<char> members) {
    for (const char c : members)
      in_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool contains(char c) const { return in_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> in_{};
};

}  // namespace tavro
