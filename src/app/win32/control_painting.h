// What the survey window paints with: the dialog font and the picture made
// for the window's DPI, and the background colours the handlers set on boxes.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "survey/controls.h"

namespace tavro::win32 {

// The font of native dialogs with a fixed layout: MS Shell Dlg 2 (Tahoma on
// every Windows from 2000 to 11), 8 points at the DPI. The message font
// (Segoe UI 9 pt on Windows 10 and 11) is taller than the layout's boxes.
HFONT create_dialog_font(UINT dpi);

// The logo as a bitmap at the layout's size for the DPI, from the image made
// for that DPI or the next larger one. The caller owns the bitmap.
HBITMAP load_picture(HINSTANCE instance, UINT dpi);

class ControlPainting {
 public:
  ControlPainting() = default;
  ~ControlPainting();
  ControlPainting(const ControlPainting&) = delete;
  ControlPainting& operator=(const ControlPainting&) = delete;

  // Makes the font and picture for the DPI. The earlier ones live on until
  // drop_previous(), called once every control holds the new ones.
  void make_for_dpi(HINSTANCE instance, UINT dpi);
  void drop_previous();
  HFONT font() const { return font_; }
  HBITMAP picture() const { return picture_; }

  void set_back_color(Control control, OleColor color);

  // The brush for WM_CTLCOLOREDIT or WM_CTLCOLORSTATIC of a control whose
  // colour was set, with the device context prepared; empty for the others.
  std::optional<HBRUSH> control_color(UINT message, HDC dc, HWND window, Control control) const;

 private:
  HFONT font_ = nullptr;
  HBITMAP picture_ = nullptr;
  HFONT previous_font_ = nullptr;
  HBITMAP previous_picture_ = nullptr;
  std::array<std::optional<OleColor>, kControlCount> back_colors_{};
  std::array<HBRUSH, kControlCount> solid_brushes_{};
};

// The colour a window stores as 0x00BBGGRR, or 0x800000nn for system colour nn.
COLORREF color_ref(OleColor color);

}  // namespace tavro::win32
