#include "ole_color.h"

#include <array>

namespace tavro::qt {
namespace {

// The palette role nearest to each system colour index (0 to 24).
constexpr std::array<QPalette::ColorRole, 25> kSystemColorRoles = {
    QPalette::Mid,              // 0 scroll bar
    QPalette::Window,           // 1 desktop
    QPalette::Highlight,        // 2 active title bar
    QPalette::Mid,              // 3 inactive title bar
    QPalette::Window,           // 4 menu
    QPalette::Base,             // 5 window background
    QPalette::Shadow,           // 6 window frame
    QPalette::WindowText,       // 7 menu text
    QPalette::Text,             // 8 window text
    QPalette::HighlightedText,  // 9 title bar text
    QPalette::Window,           // 10 active border
    QPalette::Window,           // 11 inactive border
    QPalette::Dark,             // 12 application workspace
    QPalette::Highlight,        // 13 highlight
    QPalette::HighlightedText,  // 14 highlighted text
    QPalette::Button,           // 15 button face
    QPalette::Dark,             // 16 button shadow
    QPalette::PlaceholderText,  // 17 grey text
    QPalette::ButtonText,       // 18 button text
    QPalette::WindowText,       // 19 inactive title bar text
    QPalette::Light,            // 20 button highlight
    QPalette::Shadow,           // 21 3-D dark shadow
    QPalette::Midlight,         // 22 3-D light
    QPalette::ToolTipText,      // 23 tooltip text
    QPalette::ToolTipBase,      // 24 tooltip background
};

}  // namespace

QColor to_qcolor(OleColor color, const QPalette& palette) {
  if (is_system_color(color)) {
    const auto index = static_cast<std::size_t>(system_color_index(color));
    const QPalette::ColorRole role =
        index < kSystemColorRoles.size() ? kSystemColorRoles[index] : QPalette::Window;
    return palette.color(QPalette::Active, role);
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace tavro::qt
