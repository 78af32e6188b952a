// The read loop both platforms' read_whole_file share: the file's size is
// known beforehand, but a file may grow while it is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/result.h"

namespace tavro {

inline std::wstring too_large_text(std::uintmax_t largest_size) {
  return L"the file is larger than " + std::to_wstring(largest_size) + L" bytes";
}

// Fills bytes through read_some(data, room, got), which reads at most room
// bytes into data and sets got, or fails with the reason. Fails with the
// first reason; nothing beyond largest_size is read.
template <typename ReadSome>
Result<void> read_to_end(std::uintmax_t size, std::uintmax_t largest_size, std::string& bytes,
                         ReadSome read_some) {
  if (size > largest_size) return Failure(too_large_text(largest_size));
  // One byte more than the size, so that a file that grew meanwhile is
  // still read to its end.
  bytes.resize(static_cast<std::size_t>(size) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() > largest_size) return Failure(too_large_text(largest_size));
      bytes.resize(bytes.size() * 2);
    }
    std::size_t got = 0;
    if (auto read = read_some(bytes.data() + filled, bytes.size() - filled, got); !read)
      return read;
    filled += got;
    // A short read of a regular file is its end: no second call to find it.
    // A file that reports no size (those in /proc) may read short before its
    // end, so it is read until a read gives nothing.
    if (got == 0 || (size != 0 && filled < bytes.size())) break;
  }
  bytes.resize(filled);
  return Done{};
}

}  // namespace tavro
