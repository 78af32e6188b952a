#include "app/win32/control_factory.h"

#include <commctrl.h>

#include <array>

namespace tavro::win32 {
namespace {

constexpr int kFirstControlId = 1000;

// The etched lines are two pixels thick at 96 DPI.
constexpr int kLineThicknessTwips = 30;

// The text box limit for "no maximum length" (EM_SETLIMITTEXT with 0 gives
// the same on Windows; the explicit figure holds everywhere).
constexpr WPARAM kUnlimitedText = 0x7FFFFFFE;

void no_finishing(HWND /*control*/, HINSTANCE /*instance*/) {}

void finish_text_box(HWND box, HINSTANCE /*instance*/) {
  SendMessageW(box, EM_SETLIMITTEXT, kUnlimitedText, 0);
}

struct KindTraits {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
  void (*finish)(HWND, HINSTANCE);
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// Every control that can take the focus is a tab stop of a group of its own:
// Tab walks them in creation order, and arrow keys never jump between them.
constexpr DWORD kFocusable = WS_TABSTOP | WS_GROUP;

// Indexed by ControlKind.
constexpr std::array<KindTraits, 6> kKinds = {{
    {WC_BUTTONW, kChild | kFocusable | BS_AUTOCHECKBOX, 0, no_finishing},  // check box
    {WC_EDITW, kChild | kFocusable | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
     finish_text_box},                                                        // text box
    {WC_STATICW, kChild | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, no_finishing},  // label
    {WC_BUTTONW, kChild | kFocusable | BS_PUSHBUTTON, 0, no_finishing},       // command button
    {WC_STATICW, kChild | SS_ETCHEDHORZ, 0, no_finishing},                    // line
    {WC_STATICW, kChild | SS_BITMAP, 0, no_finishing},                        // picture
}};
static_assert(static_cast<std::size_t>(ControlKind::kPicture) + 1 == kKinds.size());

const KindTraits& traits_of(ControlKind kind) {
  return kKinds[static_cast<std::size_t>(kind)];
}

// Whether the control shows text, and so takes the window's font.
bool shows_text(ControlKind kind) {
  return kind != ControlKind::kPicture && kind != ControlKind::kLine;
}

void set_font(HWND control, ControlKind kind, HFONT font) {
  if (shows_text(kind)) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace

int control_id(Control control) {
  return kFirstControlId + static_cast<int>(control);
}

std::wstring displayed_caption(ControlKind kind, std::wstring_view caption) {
  std::wstring shown;
  shown.reserve(caption.size());
  // Buttons and check boxes take "&" as the mark of an access key.
  const bool marks_access_keys =
      kind == ControlKind::kCheckBox || kind == ControlKind::kCommandButton;
  for (const wchar_t c : caption) {
    shown.push_back(c);
    if (c == L'&' && marks_access_keys) shown.push_back(L'&');
  }
  return shown;
}

RECT control_rect(const LayoutRow& row, UINT dpi) {
  const int scale = static_cast<int>(dpi);
  const int left = twips_to_pixels(row.left, scale);
  const int top = twips_to_pixels(row.top, scale);
  switch (row.kind) {
    case ControlKind::kLine:
      return {left, top, left + twips_to_pixels(row.width, scale),
              top + twips_to_pixels(kLineThicknessTwips, scale)};
    default:
      return {left, top, left + twips_to_pixels(row.width, scale),
              top + twips_to_pixels(row.height, scale)};
  }
}

HWND create_control(HWND parent, HINSTANCE instance, const LayoutRow& row,
                    const ControlStart& start, UINT dpi, HFONT font) {
  const KindTraits& kind = traits_of(row.kind);
  // The limit of a text box is on typing only: it takes any text it is made with.
  const std::wstring text = start.text ? *start.text : displayed_caption(row.kind, row.caption);
  const DWORD style = kind.style | (start.enabled ? 0 : WS_DISABLED);
  const RECT place = control_rect(row, dpi);
  const HWND control = CreateWindowExW(
      kind.ex_style, kind.window_class, text.c_str(), style, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id(row.id))), instance, nullptr);
  if (control == nullptr) return nullptr;
  // An etched line widens itself by its edges when created at a size (as
  // Wine's does, at least); sized afterwards, it keeps the table's.
  if (row.kind == ControlKind::kLine) {
    SetWindowPos(control, nullptr, 0, 0, place.right - place.left, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  set_font(control, row.kind, font);
  kind.finish(control, instance);
  if (start.ticked) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  return control;
}

void rescale_control(HWND control, const LayoutRow& row, UINT dpi, HFONT font) {
  set_font(control, row.kind, font);
  const RECT place = control_rect(row, dpi);
  SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<Control> label_naming(Control box) {
  switch (box) {
    case Control::TxtHN:
      return Control::LblHN;
    case Control::TxtIP:
      return Control::LblIP;
    case Control::TxtMEM:
      return Control::LblMEM;
    default:
      break;
  }
  for (int item = 1; item <= kStatusItems; ++item) {
    if (box == status_text(item)) return status_label(item);
  }
  return std::nullopt;
}

std::array<Control, kControlCount> creation_order() {
  std::array<Control, kControlCount> order{};
  std::array<bool, kControlCount> placed{};
  std::size_t next = 0;
  const auto place = [&](Control id) {
    if (placed[static_cast<std::size_t>(id)]) return;
    placed[static_cast<std::size_t>(id)] = true;
    order[next++] = id;
  };
  for (const Control id : controls_in_tab_order()) {
    if (const auto label = label_naming(id)) place(*label);
    place(id);
  }
  for (const LayoutRow& row : kSurveyLayout)
    place(row.id);
  return order;
}

}  // namespace tavro::win32
