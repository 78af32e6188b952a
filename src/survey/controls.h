// The survey window's controls, named as the window names them, and the
// small interface through which the handlers reach them. Each front end
// implements SurveyControls over its real widgets; tests use an in-memory one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "survey/counts.h"

namespace tavro {

enum class Control : std::uint8_t {
  // clang-format off
  Check1, Check2, Check3, Check4, Check5, Check6, Check7, Check8, Check9, Check10,
  Label1, Label2, Label3, Label4, Label5, Label6,
  Text1, Text2, Text3, Text4, Text5,
  TxtHN, TxtIP, TxtMEM,
  LblHN, LblIP, LblMEM,
  CmdOk, CmdCancel,
  Image1, Line1, Line2,
  // clang-format on
};

inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::Line2) + 1;

// Check<slot> for slot 1 to 10.
constexpr Control check_box(int slot) {
  return static_cast<Control>(static_cast<int>(Control::Check1) + slot - 1);
}
// Label<item> and Text<item> for item 1 to 5.
constexpr Control status_label(int item) {
  return static_cast<Control>(static_cast<int>(Control::Label1) + item - 1);
}
constexpr Control status_text(int item) {
  return static_cast<Control>(static_cast<int>(Control::Text1) + item - 1);
}

// A check box's ticked state.
enum class CheckValue : std::uint8_t { kUnticked = 0, kTicked = 1 };

// A colour as the window stores it: 0x00BBGGRR, or 0x800000nn for the
// system colour with index nn.
using OleColor = std::uint32_t;
inline constexpr OleColor kButtonFaceColor = 0x8000000F;

constexpr bool is_system_color(OleColor color) {
  return (color & 0x80000000) != 0;
}
// The index nn of a system colour 0x800000nn.
constexpr int system_color_index(OleColor color) {
  return static_cast<int>(color & 0xFF);
}

class SurveyControls {
 public:
  virtual ~SurveyControls() = default;

  // Check boxes and labels.
  virtual void set_caption(Control control, std::wstring_view caption) = 0;
  virtual void set_enabled(Control control, bool enabled) = 0;
  // Check boxes.
  virtual void set_value(Control control, CheckValue value) = 0;
  virtual CheckValue value(Control control) const = 0;
  // Text boxes.
  virtual void set_text(Control control, std::wstring_view text) = 0;
  virtual std::wstring text(Control control) const = 0;
  virtual void set_back_color(Control control, OleColor color) = 0;
  // The window: closing it ends the program; a message is shown modally.
  virtual void close() = 0;
  virtual void show_message(std::wstring_view message) = 0;
};

}  // namespace tavro
