// Writing a picture as a PNG file, for screenshots that people look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavro::testing {

// Writes width x height pixels, given row by row from the top as 0xRRGGBB
// values, as an uncompressed PNG file. Returns false when the file cannot
// be written.
bool write_png(const std::wstring& path, int width, int height,
               const std::vector<std::uint32_t>& pixels);

}  // namespace tavro::testing
