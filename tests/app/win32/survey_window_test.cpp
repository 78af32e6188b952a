// The survey window as Windows holds it: every row of the layout table a
// standard control of its kind, in its place at every scale, in a font that
// fits it; the frame; how captions, texts and colours show.
#include "app/win32/survey_window.h"

#include <gtest/gtest.h>

#include <windows.h>

// GDI+ needs the COM interfaces that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>

#include "app/win32/control_painting.h"
#include "survey/layout.h"
#include "window_driver.h"

namespace tavro::win32 {
namespace {

using testing::SurveyUnderTest;

std::wstring class_of(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring text_of(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

LONG style_of(HWND window) {
  return GetWindowLongW(window, GWL_STYLE);
}

RECT client_rect_of(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HFONT font_of(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

// The extent of a line of text in the control's own font.
SIZE text_extent(HWND control, std::wstring_view text) {
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, font_of(control));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{extent.cx, metrics.tmHeight};
}

// A box's accessible name, as Windows gives it to screen readers: the text
// of the nearest static text control before the box in z-order.
std::wstring accessible_name(HWND box) {
  for (HWND before = GetWindow(box, GW_HWNDPREV); before != nullptr;
       before = GetWindow(before, GW_HWNDPREV)) {
    const LONG type = style_of(before) & SS_TYPEMASK;
    if (lstrcmpiW(class_of(before).c_str(), L"Static") == 0 && type != SS_ETCHEDHORZ &&
        type != SS_BITMAP) {
      return text_of(before);
    }
  }
  return L"";
}

// The label a person reads as naming a box: on the same line, to its left.
const LayoutRow* label_beside(const LayoutRow& box) {
  for (const LayoutRow& row : kSurveyLayout) {
    if (row.kind == ControlKind::kLabel && row.top == box.top && row.left < box.left) return &row;
  }
  return nullptr;
}

void move_to_dpi(SurveyUnderTest& survey, int dpi) {
  RECT suggested{40, 30, 1000, 600};
  SendMessageW(survey.window().handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
}

// Every status label captioned differently, so a box named after the wrong
// one shows; captions with "&", and one far too long for its box.
constexpr char kSettings[] =
    "[Application]\r\nEnableA1=1\r\nName1=AT&T Dialer\r\nEnableA2=0\r\nName2="
    "A name far too long for its box, which keeps its size and shows what fits\r\n"
    "[Status]\r\nEnableI1=1\r\nItem1=R&D room\r\nEnableI2=0\r\nItem2=Owner\r\n"
    "Item3=Desk\r\nItem4=Floor\r\nItem5=Phone\r\n";

TEST(SurveyWindow, TheFrameHasACloseBoxOnlyAndTheProgramsIcon) {
  SurveyUnderTest survey(kSettings);
  const HWND window = survey.window().handle();
  EXPECT_EQ(class_of(window), L"TavroSurveyWindow");
  EXPECT_EQ(text_of(window), L"Quarnelo");
  const LONG style = style_of(window);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0);
  EXPECT_NE(GetClassLongPtrW(window, GCLP_HICONSM), 0);
}

// By ControlKind: the window class, and the style bits under the mask that
// make the kind (a tab stop for what takes the focus).
struct KindSeen {
  const wchar_t* window_class;
  LONG mask;
  LONG style;
};
constexpr KindSeen kKinds[] = {
    {L"Button", BS_TYPEMASK | WS_TABSTOP, BS_AUTOCHECKBOX | WS_TABSTOP},
    {L"Edit", ES_AUTOHSCROLL | ES_MULTILINE | WS_TABSTOP, ES_AUTOHSCROLL | WS_TABSTOP},
    {L"Static", SS_TYPEMASK | SS_NOPREFIX | WS_TABSTOP, SS_LEFTNOWORDWRAP | SS_NOPREFIX},
    {L"Button", BS_TYPEMASK | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP},
    {L"Static", SS_TYPEMASK | WS_TABSTOP, SS_ETCHEDHORZ},
    {L"Static", SS_TYPEMASK | WS_TABSTOP, SS_BITMAP},
};

// Loaded, at the DPI it was made for and then moved to two larger scales:
// each row is a visible control of its kind where the table puts it, with
// its fixed caption fitting it in the font of the scale; each text box takes
// any length and is named after the label beside it.
TEST(SurveyWindow, EveryRowIsAControlOfItsKindInItsPlaceAtEveryScale) {
  SurveyUnderTest survey(kSettings);
  survey.load();
  const int made_at = static_cast<int>(survey.window().dpi());
  LONG smaller_font_height = 0;
  for (const int dpi : {made_at, 144, 192}) {
    SCOPED_TRACE(dpi);
    if (dpi != made_at) move_to_dpi(survey, dpi);
    const auto px = [dpi](int twips) { return twips_to_pixels(twips, dpi); };
    RECT client{};
    GetClientRect(survey.window().handle(), &client);
    EXPECT_EQ(client.right, px(kClientWidthTwips));
    EXPECT_EQ(client.bottom, px(kClientHeightTwips));
    for (const LayoutRow& row : kSurveyLayout) {
      SCOPED_TRACE(row.name);
      const HWND control = survey.control(row.id);
      ASSERT_NE(control, nullptr);
      const KindSeen& kind = kKinds[static_cast<int>(row.kind)];
      EXPECT_EQ(lstrcmpiW(class_of(control).c_str(), kind.window_class), 0);
      EXPECT_EQ(style_of(control) & kind.mask, kind.style);
      EXPECT_NE(style_of(control) & WS_VISIBLE, 0);
      EXPECT_NE(GetDlgCtrlID(control), IDOK);
      EXPECT_NE(GetDlgCtrlID(control), IDCANCEL);

      const RECT rect = client_rect_of(control);
      EXPECT_EQ(rect.left, px(row.left));
      EXPECT_EQ(rect.top, px(row.top));
      EXPECT_EQ(rect.right - rect.left, px(row.width));
      if (row.kind != ControlKind::kLine) {
        EXPECT_EQ(rect.bottom - rect.top, px(row.height));
      }

      RECT inside{};
      GetClientRect(control, &inside);
      if (!row.caption.empty()) {
        EXPECT_EQ(text_of(control), row.caption);
        const SIZE text = text_extent(control, row.caption);
        EXPECT_LE(text.cx, inside.right);
        EXPECT_LE(text.cy, inside.bottom);
      }
      if (row.kind == ControlKind::kPicture) {
        EXPECT_NE(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
      }
      if (row.kind != ControlKind::kTextBox) continue;
      EXPECT_LE(text_extent(control, L"Qypj").cy, inside.bottom);
      EXPECT_GE(static_cast<DWORD>(SendMessageW(control, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
      const LayoutRow* label = label_beside(row);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(accessible_name(control), text_of(survey.control(label->id)));
    }
    LOGFONTW font{};
    GetObjectW(font_of(survey.control(Control::Text1)), sizeof font, &font);
    EXPECT_GT(std::abs(font.lfHeight), smaller_font_height);
    smaller_font_height = std::abs(font.lfHeight);
  }
}

// Whole, whether set before the controls are made or after: a text box's
// limit is on typing only.
TEST(SurveyWindow, CaptionsAndTextsShowAsWritten) {
  SurveyUnderTest survey(kSettings);
  const std::wstring long_answer(70000, L'x');
  survey.window().set_text(Control::Text2, long_answer);
  survey.load();
  EXPECT_EQ(text_of(survey.control(Control::Check1)), L"AT&&T Dialer");  // shows "AT&T Dialer"
  EXPECT_EQ(text_of(survey.control(Control::Label1)), L"R&D room");      // not doubled: SS_NOPREFIX
  survey.window().set_text(Control::Text1, long_answer);
  EXPECT_EQ(survey.window().text(Control::Text1), long_answer);
  EXPECT_EQ(survey.window().text(Control::Text2), long_answer);
}

// The brush and background colour the window gives a text box to paint with.
COLORREF painted_color(SurveyUnderTest& survey, Control box) {
  const HWND window = survey.window().handle();
  const HDC dc = GetDC(window);
  // A disabled edit asks for static colours, an enabled one for edit colours.
  const UINT message = IsWindowEnabled(survey.control(box)) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  auto* const brush =
      reinterpret_cast<HBRUSH>(SendMessageW(window, message, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(survey.control(box))));
  const COLORREF background = GetBkColor(dc);
  ReleaseDC(window, dc);
  LOGBRUSH brush_info{};
  GetObjectW(brush, sizeof brush_info, &brush_info);
  EXPECT_EQ(brush_info.lbColor, background);
  return brush_info.lbColor;
}

// A box is painted in the colour set on it, an RGB value (0x00BBGGRR) or a
// system colour, enabled or not; a box without one in the system's.
TEST(SurveyWindow, ABoxIsPaintedInTheColourSetOnIt) {
  SurveyUnderTest survey;
  EXPECT_EQ(painted_color(survey, Control::Text1), GetSysColor(COLOR_WINDOW));
  for (const bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    survey.window().set_enabled(Control::Text1, enabled);
    survey.window().set_back_color(Control::Text1, 0x00336699);
    EXPECT_EQ(painted_color(survey, Control::Text1), RGB(0x99, 0x66, 0x33));
    survey.window().set_back_color(Control::Text1, kButtonFaceColor);
    EXPECT_EQ(painted_color(survey, Control::Text1), GetSysColor(COLOR_BTNFACE));
  }
}

// Writes what the screen shows of the window, frame included, as a PNG file
// (GDI+ encodes it).
bool save_screenshot(HWND window, const std::wstring& png_path) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap =
      CreateCompatibleBitmap(screen, frame.right - frame.left, frame.bottom - frame.top);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, frame.right - frame.left, frame.bottom - frame.top, screen, frame.left,
         frame.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const Gdiplus::GdiplusStartupInput input;
  ULONG_PTR gdiplus = 0;
  bool saved = Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr) == Gdiplus::Ok;
  if (saved) {
    constexpr CLSID kPngEncoder = {
        0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    Gdiplus::Bitmap picture(bitmap, nullptr);
    saved = picture.Save(png_path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(gdiplus);
  DeleteObject(bitmap);
  return saved;
}

// Pictures of the loaded window for people to look at, at 96 and 192 dpi, in
// the folder the test environment names, else the temporary folder.
TEST(SurveyWindow, ScreenshotsOfTheLoadedWindow) {
  wchar_t folder[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TAVRO_TEST_OUTPUT", folder, MAX_PATH) == 0) {
    GetTempPathW(MAX_PATH, folder);
  }
  SurveyUnderTest survey(kSettings);
  survey.load_and_show();
  for (const auto& [dpi, name] :
       {std::pair{96, L"survey-window.png"}, std::pair{192, L"survey-window-192dpi.png"}}) {
    move_to_dpi(survey, dpi);
    RedrawWindow(survey.window().handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    testing::pump_messages(survey.window());
    Sleep(300);  // let the X server show what was drawn
    testing::pump_messages(survey.window());
    const std::wstring path = std::wstring(folder) + L"\\" + name;
    ASSERT_TRUE(save_screenshot(survey.window().handle(), path));
    std::cout << "Screenshot: " << std::filesystem::path(path).string() << "\n";
  }
}

}  // namespace
}  // namespace tavro::win32
