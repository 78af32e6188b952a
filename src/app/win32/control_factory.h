// Creating the survey window's controls from the layout table: one way of
// creating per kind of control, chosen by the table row's kind.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "survey/layout.h"

namespace tavro::win32 {

// The child-window ID of a control: never IDOK or IDCANCEL, so the dialog
// manager's Enter and Esc reach no button.
int control_id(Control control);

// Where the control of the row sits at the DPI.
RECT control_rect(const LayoutRow& row, UINT dpi);

// The state a control is made in: the window text (as displayed_caption
// gives it for a caption) when it is not the row's fixed caption, whether
// it is enabled, and whether a check box is ticked.
struct ControlStart {
  std::optional<std::wstring> text;
  bool enabled = true;
  bool ticked = false;
};

// Creates the control of the row as a child of parent, in the state given,
// in its place at the DPI and, if it shows text, in the font: each control
// is made once where it belongs and as it starts, never made and then moved
// or changed.
HWND create_control(HWND parent, HINSTANCE instance, const LayoutRow& row,
                    const ControlStart& start, UINT dpi, HFONT font);

// Places the control of the row anew at the DPI and, if it shows text, gives
// it the font: for a window moved to a screen of another scale.
void rescale_control(HWND control, const LayoutRow& row, UINT dpi, HFONT font);

// The label whose caption names a text box: Label<j> for Text<j>, LblHN for
// TxtHN and so on; empty for every other control.
std::optional<Control> label_naming(Control box);

// The order the window creates its controls in, which is their z-order:
// the tab order of the table, each label just before the box it names
// (screen readers name a box after the nearest static text before it), then
// the controls outside the tab order.
std::array<Control, kControlCount> creation_order();

// The window text that shows a caption literally: buttons and check boxes
// would read "&" as the mark of an access key, so it is doubled there;
// labels are created with SS_NOPREFIX and text boxes have no access keys.
std::wstring displayed_caption(ControlKind kind, std::wstring_view caption);

}  // namespace tavro::win32
