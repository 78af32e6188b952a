#include "app/win32/control_painting.h"

#include "app/win32/resource_ids.h"
#include "survey/layout.h"

namespace tavro::win32 {
namespace {

constexpr int kDialogFontPoints = 8;

std::size_t index_of(Control control) {
  return static_cast<std::size_t>(control);
}

template <typename Handle>
void delete_object(Handle& handle) {
  if (handle != nullptr) DeleteObject(handle);
  handle = nullptr;
}

}  // namespace

HFONT create_dialog_font(UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(kDialogFontPoints, static_cast<int>(dpi), 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

HBITMAP load_picture(HINSTANCE instance, UINT dpi) {
  struct Image {
    UINT dpi;
    int id;
  };
  static constexpr Image kImages[] = {
      {96, IDB_IMAGE1}, {144, IDB_IMAGE1_144}, {192, IDB_IMAGE1_192}};
  const Image* chosen = &kImages[std::size(kImages) - 1];
  for (const Image& image : kImages) {
    if (image.dpi >= dpi) {
      chosen = &image;
      break;
    }
  }
  const LayoutRow& row = layout_of(Control::Image1);
  const int scale = static_cast<int>(dpi);
  return static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(chosen->id), IMAGE_BITMAP,
                                         twips_to_pixels(row.width, scale),
                                         twips_to_pixels(row.height, scale), LR_CREATEDIBSECTION));
}

COLORREF color_ref(OleColor color) {
  if (is_system_color(color)) return GetSysColor(system_color_index(color));
  return static_cast<COLORREF>(color & 0x00FFFFFF);
}

ControlPainting::~ControlPainting() {
  drop_previous();
  delete_object(font_);
  delete_object(picture_);
  for (HBRUSH& brush : solid_brushes_)
    delete_object(brush);
}

void ControlPainting::make_for_dpi(HINSTANCE instance, UINT dpi) {
  drop_previous();
  previous_font_ = font_;
  previous_picture_ = picture_;
  font_ = create_dialog_font(dpi);
  picture_ = load_picture(instance, dpi);
}

void ControlPainting::drop_previous() {
  delete_object(previous_font_);
  delete_object(previous_picture_);
}

void ControlPainting::set_back_color(Control control, OleColor color) {
  const std::size_t i = index_of(control);
  back_colors_[i] = color;
  delete_object(solid_brushes_[i]);
  // System colours have brushes of the system's own.
  if (!is_system_color(color)) solid_brushes_[i] = CreateSolidBrush(color_ref(color));
}

std::optional<HBRUSH> ControlPainting::control_color(UINT message, HDC dc, HWND window,
                                                     Control control) const {
  const std::size_t i = index_of(control);
  if (!back_colors_[i]) return std::nullopt;
  const OleColor color = *back_colors_[i];
  SetBkColor(dc, color_ref(color));
  if (message == WM_CTLCOLORSTATIC && !IsWindowEnabled(window)) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  return is_system_color(color) ? GetSysColorBrush(system_color_index(color)) : solid_brushes_[i];
}

}  // namespace tavro::win32
