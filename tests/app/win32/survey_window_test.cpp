// The survey window's controls as Windows holds them: class, style, place,
// size, text, font and colours, after the load sequence and before the
// window is shown.
#include "app/win32/survey_window.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>

#include "app/win32/control_factory.h"
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

COLORREF brush_color(LRESULT brush) {
  LOGBRUSH brush_info{};
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof brush_info, &brush_info);
  return brush_info.lbColor;
}

HFONT font_of(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

// Every control in its place at the DPI, and the window's client area the
// layout's; the picture too keeps the layout's size in twips.
void expect_layout_at(SurveyUnderTest& survey, int dpi) {
  RECT client{};
  GetClientRect(survey.window().handle(), &client);
  EXPECT_EQ(client.right, twips_to_pixels(kClientWidthTwips, dpi));
  EXPECT_EQ(client.bottom, twips_to_pixels(kClientHeightTwips, dpi));
  for (const LayoutRow& row : kSurveyLayout) {
    SCOPED_TRACE(row.name);
    const RECT rect = client_rect_of(survey.control(row.id));
    EXPECT_EQ(rect.left, twips_to_pixels(row.left, dpi));
    EXPECT_EQ(rect.top, twips_to_pixels(row.top, dpi));
    EXPECT_EQ(rect.right - rect.left, twips_to_pixels(row.width, dpi));
    if (row.kind != ControlKind::kLine) {
      EXPECT_EQ(rect.bottom - rect.top, twips_to_pixels(row.height, dpi));
    }
  }
}

constexpr char kSettings[] =
    "[Application]\r\nEnableA1=1\r\nName1=AT&T Dialer\r\nEnableA2=0\r\nName2="
    "A name far too long for its box, which keeps its size and shows what fits\r\n"
    "[Status]\r\nEnableI1=1\r\nItem1=R&D room\r\nEnableI2=0\r\nItem2=Owner\r\n";

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

TEST(SurveyWindow, EveryControlHasItsClassStylePlaceAndSizeFromTheTable) {
  SurveyUnderTest survey;
  expect_layout_at(survey, static_cast<int>(survey.window().dpi()));
  // By ControlKind: the class and the style bits that make the kind.
  const std::pair<const wchar_t*, LONG> kKinds[] = {{L"Button", BS_AUTOCHECKBOX},
                                                    {L"Edit", ES_AUTOHSCROLL},
                                                    {L"Static", SS_LEFTNOWORDWRAP | SS_NOPREFIX},
                                                    {L"Button", BS_PUSHBUTTON},
                                                    {L"Static", SS_ETCHEDHORZ},
                                                    {L"Static", SS_BITMAP}};
  for (const LayoutRow& row : kSurveyLayout) {
    SCOPED_TRACE(row.name);
    const HWND control = survey.control(row.id);
    ASSERT_NE(control, nullptr);
    const auto& [window_class, type] = kKinds[static_cast<int>(row.kind)];
    EXPECT_EQ(lstrcmpiW(class_of(control).c_str(), window_class), 0);
    EXPECT_EQ(style_of(control) & type, type);
    EXPECT_NE(style_of(control) & WS_VISIBLE, 0);
    const int id = GetDlgCtrlID(control);
    EXPECT_NE(id, IDOK);
    EXPECT_NE(id, IDCANCEL);
    if (row.kind != ControlKind::kPicture && row.kind != ControlKind::kLine) {
      EXPECT_EQ(text_of(control), displayed_caption(row.kind, row.caption));
    }
  }
}

void move_to_dpi(SurveyUnderTest& survey, int dpi) {
  RECT suggested{40, 30, 1000, 600};
  SendMessageW(survey.window().handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
}

// Measured with the font each control really has: every fixed caption fits
// its control, and a line of text the inside of a box, at every scale.
TEST(SurveyWindow, TheFontFitsEveryFixedCaptionAndBoxAtEveryScale) {
  SurveyUnderTest survey;
  for (const int dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    move_to_dpi(survey, dpi);
    const auto measure = [](HWND control, std::wstring_view text) {
      const HDC dc = GetDC(control);
      const HGDIOBJ old = SelectObject(dc, font_of(control));
      SIZE extent{};
      GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc, &metrics);
      SelectObject(dc, old);
      ReleaseDC(control, dc);
      return SIZE{extent.cx, metrics.tmHeight};
    };
    for (const LayoutRow& row : kSurveyLayout) {
      if (row.caption.empty() && row.kind != ControlKind::kTextBox) continue;
      SCOPED_TRACE(row.name);
      const HWND control = survey.control(row.id);
      RECT inside{};
      GetClientRect(control, &inside);
      const SIZE text = measure(control, row.caption.empty() ? L"Qypj" : row.caption);
      EXPECT_LE(text.cx, inside.right);
      EXPECT_LE(text.cy, inside.bottom);
    }
  }
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

TEST(SurveyWindow, EveryBoxIsNamedAfterItsOwnLabel) {
  SurveyUnderTest survey(
      "[Status]\r\nItem1=Room\r\nItem2=User\r\nItem3=Desk\r\nItem4=Floor\r\nItem5=Phone\r\n");
  survey.load();
  const std::pair<Control, const wchar_t*> kNames[] = {
      {Control::Text1, L"Room"},       {Control::Text2, L"User"},    {Control::Text3, L"Desk"},
      {Control::Text4, L"Floor"},      {Control::Text5, L"Phone"},   {Control::TxtHN, L"Hostname"},
      {Control::TxtIP, L"IP Address"}, {Control::TxtMEM, L"Memory"},
  };
  for (const auto& [box, name] : kNames)
    EXPECT_EQ(accessible_name(survey.control(box)), name) << layout_of(box).name;
}

TEST(SurveyWindow, CaptionsShowLiterallyAndLongOnesChangeNoGeometry) {
  SurveyUnderTest survey(kSettings);
  const RECT before = client_rect_of(survey.control(Control::Check2));
  survey.load();
  EXPECT_EQ(text_of(survey.control(Control::Check1)), L"AT&&T Dialer");  // shows "AT&T Dialer"
  EXPECT_EQ(text_of(survey.control(Control::Label1)), L"R&D room");      // SS_NOPREFIX
  const RECT after = client_rect_of(survey.control(Control::Check2));
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST(SurveyWindow, TextBoxesTakeAnyLengthOnOneLine) {
  SurveyUnderTest survey(kSettings);
  const HWND box = survey.control(Control::Text1);
  EXPECT_GE(static_cast<DWORD>(SendMessageW(box, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
  EXPECT_EQ(style_of(box) & ES_MULTILINE, 0);
  const std::wstring long_answer(5000, L'x');
  survey.window().set_text(Control::Text1, long_answer);
  EXPECT_EQ(survey.window().text(Control::Text1), long_answer);
}

TEST(SurveyWindow, MachineFactsAreDisabledAndFilledBeforeTheWindowShows) {
  SurveyUnderTest survey(kSettings);
  survey.load();
  EXPECT_FALSE(IsWindowVisible(survey.window().handle()));
  for (const Control fact : {Control::TxtHN, Control::TxtIP, Control::TxtMEM}) {
    EXPECT_FALSE(IsWindowEnabled(survey.control(fact)));
    EXPECT_FALSE(text_of(survey.control(fact)).empty());
  }
}

// The brush and background colour the window gives a text box to paint with.
COLORREF painted_color(SurveyUnderTest& survey, Control box) {
  const HWND window = survey.window().handle();
  const HDC dc = GetDC(window);
  // A disabled edit asks for static colours, an enabled one for edit colours.
  const UINT message = IsWindowEnabled(survey.control(box)) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  const LRESULT brush = SendMessageW(window, message, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(survey.control(box)));
  const COLORREF background = GetBkColor(dc);
  ReleaseDC(window, dc);
  EXPECT_EQ(brush_color(brush), background);
  return brush_color(brush);
}

TEST(SurveyWindow, DisabledStatusBoxesAreOnTheButtonFaceColour) {
  SurveyUnderTest survey(kSettings);
  survey.load();
  EXPECT_FALSE(IsWindowEnabled(survey.control(Control::Text2)));
  EXPECT_EQ(painted_color(survey, Control::Text2), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(painted_color(survey, Control::Text1), GetSysColor(COLOR_WINDOW));
}

TEST(SurveyWindow, BackColoursAreSystemColoursOrTheirRgbValue) {
  EXPECT_EQ(color_ref(0x8000000F), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(color_ref(0x80000005), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(color_ref(0x00336699), RGB(0x99, 0x66, 0x33));
  // A box painted in an RGB colour, then back in a system colour.
  SurveyUnderTest survey;
  survey.window().set_back_color(Control::Text1, 0x00336699);
  EXPECT_EQ(painted_color(survey, Control::Text1), RGB(0x99, 0x66, 0x33));
  survey.window().set_back_color(Control::Text1, 0x8000000F);
  EXPECT_EQ(painted_color(survey, Control::Text1), GetSysColor(COLOR_BTNFACE));
}

TEST(SurveyWindow, MovedToAScreenOfAnotherScaleTheLayoutScalesWithIt) {
  SurveyUnderTest survey(kSettings);
  LOGFONTW before{};
  GetObjectW(font_of(survey.control(Control::Text1)), sizeof before, &before);
  move_to_dpi(survey, 144);
  EXPECT_EQ(survey.window().dpi(), 144u);
  expect_layout_at(survey, 144);
  LOGFONTW after{};
  GetObjectW(font_of(survey.control(Control::Text1)), sizeof after, &after);
  EXPECT_GT(std::abs(after.lfHeight), std::abs(before.lfHeight));
}

// Pictures of the loaded window for people to look at, at 96 and 192 dpi.
TEST(SurveyWindow, ScreenshotsOfTheLoadedWindow) {
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
    const std::wstring path = testing::test_output_folder() + L"\\" + name;
    ASSERT_TRUE(testing::save_screenshot(survey.window().handle(), path));
    std::cout << "Screenshot: " << std::filesystem::path(path).string() << "\n";
  }
}

}  // namespace
}  // namespace tavro::win32
