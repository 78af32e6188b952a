// Text between the survey core (wide strings) and Qt, and the core's twips in
// Qt's device-independent pixels.
#pragma once

#include <QString>
#include <string_view>

#include "survey/layout.h"

namespace tavro::qt {

inline QString to_qstring(std::wstring_view text) {
  return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt scales device-independent pixels on high-DPI screens; one is a pixel at 96 dpi.
inline int to_pixels(int twips) {
  return twips_to_pixels(twips, 96);
}

}  // namespace tavro::qt
