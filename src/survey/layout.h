// The survey window's fixed layout: one row of data per control, realised
// by each front end. All geometry is in twips (1/1440 inch, 15 per pixel at
// 96 dpi), from the top-left corner of the client area.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "survey/controls.h"

namespace tavro {

inline constexpr std::wstring_view kWindowTitle = L"Quarnelo";
inline constexpr int kClientWidthTwips = 9225;
inline constexpr int kClientHeightTwips = 4365;
inline constexpr int kTwipsPerInch = 1440;

enum class ControlKind : std::uint8_t {
  kCheckBox,
  kTextBox,
  kLabel,
  kCommandButton,
  kLine,
  kPicture
};

struct LayoutRow {
  Control id;
  std::string_view name;
  ControlKind kind;
  // For a line: left = X1, top = Y1, width = X2 - X1, height = Y2 - Y1.
  int left, top, width, height;
  // Position in the tab order; empty for controls outside it (lines, picture).
  std::optional<int> tab_index;
  std::wstring_view caption;  // fixed caption or text; empty when set at run time
};

inline constexpr std::wstring_view kFooterCaption = L"Tavro PC inventory survey";

// clang-format off
inline constexpr std::array<LayoutRow, kControlCount> kSurveyLayout = {{
    {Control::Check1,    "Check1",    ControlKind::kCheckBox,      4560,  240, 2535,  255,  0, L""},
    {Control::Check2,    "Check2",    ControlKind::kCheckBox,      4560,  600, 2535,  255,  1, L""},
    {Control::Check3,    "Check3",    ControlKind::kCheckBox,      4560,  960, 2535,  255,  2, L""},
    {Control::Check4,    "Check4",    ControlKind::kCheckBox,      4560, 1320, 2535,  255,  3, L""},
    {Control::Check5,    "Check5",    ControlKind::kCheckBox,      4560, 1680, 2535,  255,  4, L""},
    {Control::Check6,    "Check6",    ControlKind::kCheckBox,      4560, 2040, 2535,  255,  5, L""},
    {Control::Check7,    "Check7",    ControlKind::kCheckBox,      4560, 2400, 2535,  255,  6, L""},
    {Control::Check8,    "Check8",    ControlKind::kCheckBox,      4560, 2760, 2535,  255,  7, L""},
    {Control::Check9,    "Check9",    ControlKind::kCheckBox,      4560, 3120, 2535,  255,  8, L""},
    {Control::Check10,   "Check10",   ControlKind::kCheckBox,      4560, 3480, 2535,  255,  9, L""},
    {Control::Label1,    "Label1",    ControlKind::kLabel,          120,  240, 1335,  255, 15, L""},
    {Control::Label2,    "Label2",    ControlKind::kLabel,          120,  600, 1335,  255, 16, L""},
    {Control::Label3,    "Label3",    ControlKind::kLabel,          120,  960, 1335,  255, 17, L""},
    {Control::Label4,    "Label4",    ControlKind::kLabel,          120, 1320, 1335,  255, 18, L""},
    {Control::Label5,    "Label5",    ControlKind::kLabel,          120, 1680, 1335,  255, 19, L""},
    {Control::Label6,    "Label6",    ControlKind::kLabel,          120, 4080, 2535,  255, 28, kFooterCaption},
    {Control::Text1,     "Text1",     ControlKind::kTextBox,       1560,  240, 2655,  270, 10, L""},
    {Control::Text2,     "Text2",     ControlKind::kTextBox,       1560,  600, 2655,  270, 11, L""},
    {Control::Text3,     "Text3",     ControlKind::kTextBox,       1560,  960, 2655,  270, 12, L""},
    {Control::Text4,     "Text4",     ControlKind::kTextBox,       1560, 1320, 2655,  270, 13, L""},
    {Control::Text5,     "Text5",     ControlKind::kTextBox,       1560, 1680, 2655,  270, 14, L""},
    {Control::TxtHN,     "TxtHN",     ControlKind::kTextBox,       1560, 2760, 2655,  270, 20, L""},
    {Control::TxtIP,     "TxtIP",     ControlKind::kTextBox,       1560, 3120, 2655,  270, 21, L""},
    {Control::TxtMEM,    "TxtMEM",    ControlKind::kTextBox,       1560, 3480, 2655,  270, 22, L""},
    {Control::LblHN,     "LblHN",     ControlKind::kLabel,          120, 2760,  855,  255, 23, L"Hostname"},
    {Control::LblIP,     "LblIP",     ControlKind::kLabel,          120, 3120,  855,  255, 24, L"IP Address"},
    {Control::LblMEM,    "LblMEM",    ControlKind::kLabel,          120, 3480,  855,  255, 25, L"Memory"},
    {Control::CmdOk,     "CmdOk",     ControlKind::kCommandButton, 7440,  480, 1575,  375, 26, L"OK"},
    {Control::CmdCancel, "CmdCancel", ControlKind::kCommandButton, 7440,  960, 1575,  375, 27, L"Cancel"},
    {Control::Image1,    "Image1",    ControlKind::kPicture,       7320, 2280, 1665, 1320, std::nullopt, L""},
    {Control::Line1,     "Line1",     ControlKind::kLine,           120, 2280, 4080,    0, std::nullopt, L""},
    {Control::Line2,     "Line2",     ControlKind::kLine,           120, 3960, 8880,    0, std::nullopt, L""},
}};
// clang-format on

// The table row of a control (rows are in Control order).
constexpr const LayoutRow& layout_of(Control control) {
  return kSurveyLayout[static_cast<std::size_t>(control)];
}

// Twips to device pixels at the given dots per inch, rounded to nearest.
constexpr int twips_to_pixels(int twips, int dpi) {
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

// How many controls take part in the tab order: the rows with a tab index.
inline constexpr std::size_t kTabStopCount = static_cast<std::size_t>(std::ranges::count_if(
    kSurveyLayout, [](const LayoutRow& row) { return row.tab_index.has_value(); }));

// The controls that take part in the tab order, by ascending tab index.
// Whether one can take the focus (enabled, not a label) is the window's to judge.
std::array<Control, kTabStopCount> controls_in_tab_order();

}  // namespace tavro
