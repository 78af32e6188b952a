// The survey window's keyboard: Tab and Shift+Tab through the enabled
// controls in the table's order, Enter and Esc pressing no button, and the
// close box as Cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "survey/layout.h"
#include "window_driver.h"

namespace tavro::win32 {
namespace {

using testing::press_key;
using testing::SurveyUnderTest;

// Every check box and status box enabled, and a save folder that exists.
std::string all_enabled_settings() {
  std::string text = "[Application]\r\n";
  for (int slot = 1; slot <= 10; ++slot)
    text += "EnableA" + std::to_string(slot) + "=1\r\n";
  text += "[Status]\r\n";
  for (int item = 1; item <= 5; ++item)
    text += "EnableI" + std::to_string(item) + "=1\r\n";
  return text + "[Save]\r\nSavePath={tmp}\\records\r\nPathString=200\r\n";
}

std::vector<Control> tab_walk(SurveyUnderTest& survey, int presses, bool shift) {
  std::vector<Control> visited;
  for (int i = 0; i < presses; ++i) {
    press_key(survey.window(), VK_TAB, shift);
    for (const LayoutRow& row : kSurveyLayout) {
      if (survey.control(row.id) == GetFocus()) visited.push_back(row.id);
    }
    if (visited.size() != static_cast<std::size_t>(i) + 1) break;  // focus left the controls
  }
  return visited;
}

class Keyboard : public ::testing::Test {
 protected:
  bool nothing_saved() const {
    const auto records = survey_.folder().path() / "records";
    return std::filesystem::is_empty(records);
  }
  void SetUp() override {
    std::filesystem::create_directory(survey_.folder().path() / "records");
    survey_.load_and_show();
  }
  SurveyUnderTest survey_{all_enabled_settings()};
};

// The walk goes through IsDialogMessage, and so through the dialog
// manager's order (GetNextDlgTabItem), which must be the table's.
TEST_F(Keyboard, TabWalksChecksTextsAndButtonsThenWraps) {
  ASSERT_EQ(GetFocus(), survey_.control(Control::Check1));
  std::vector<Control> expected;
  for (int slot = 2; slot <= 10; ++slot)
    expected.push_back(check_box(slot));
  for (int item = 1; item <= 5; ++item)
    expected.push_back(status_text(item));
  expected.insert(expected.end(), {Control::CmdOk, Control::CmdCancel, Control::Check1});
  EXPECT_EQ(tab_walk(survey_, static_cast<int>(expected.size()), false), expected);

  // Shift+Tab goes the same way back.
  std::vector<Control> back(expected.rbegin() + 1, expected.rend());
  back.push_back(Control::Check1);
  EXPECT_EQ(tab_walk(survey_, static_cast<int>(back.size()), true), back);
}

TEST_F(Keyboard, EnterAndEscInCheckBoxesAndTextBoxesPressNothing) {
  press_key(survey_.window(), VK_RETURN);
  press_key(survey_.window(), VK_ESCAPE);
  EXPECT_EQ(GetFocus(), survey_.control(Control::Check1));
  for (int i = 0; i < 10; ++i)
    press_key(survey_.window(), VK_TAB);
  ASSERT_EQ(GetFocus(), survey_.control(Control::Text1));
  testing::type_text(survey_.window(), L"typed");
  press_key(survey_.window(), VK_RETURN);
  press_key(survey_.window(), VK_ESCAPE);
  EXPECT_FALSE(survey_.window().closed());
  EXPECT_TRUE(nothing_saved());
  EXPECT_EQ(survey_.window().text(Control::Text1), L"typed");
}

TEST_F(Keyboard, EscOnAButtonPressesNothingEnterPressesTheFocusedButton) {
  SetFocus(survey_.control(Control::CmdOk));
  press_key(survey_.window(), VK_ESCAPE);
  EXPECT_FALSE(survey_.window().closed());
  press_key(survey_.window(), VK_RETURN);
  EXPECT_TRUE(survey_.window().closed());
  EXPECT_FALSE(nothing_saved());
}

TEST_F(Keyboard, SpaceTicksACheckBoxAndPressesTheFocusedButton) {
  press_key(survey_.window(), VK_SPACE);
  EXPECT_EQ(survey_.window().value(Control::Check1), CheckValue::kTicked);
  press_key(survey_.window(), VK_TAB, true);
  ASSERT_EQ(GetFocus(), survey_.control(Control::CmdCancel));
  press_key(survey_.window(), VK_SPACE);
  EXPECT_TRUE(survey_.window().closed());
  EXPECT_TRUE(nothing_saved());
}

TEST_F(Keyboard, TheCloseBoxIsCancel) {
  PostMessageW(survey_.window().handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  testing::pump_messages(survey_.window());
  EXPECT_TRUE(survey_.window().closed());
  EXPECT_TRUE(nothing_saved());
}

TEST(KeyboardAllDisabled, FocusStartsOnOkAndTabOnlyMovesBetweenTheButtons) {
  SurveyUnderTest survey;  // no settings file: every check box and status box disabled
  survey.load_and_show();
  ASSERT_EQ(GetFocus(), survey.control(Control::CmdOk));
  EXPECT_EQ(tab_walk(survey, 3, false),
            (std::vector<Control>{Control::CmdCancel, Control::CmdOk, Control::CmdCancel}));
  EXPECT_EQ(tab_walk(survey, 2, true), (std::vector<Control>{Control::CmdOk, Control::CmdCancel}));
}

}  // namespace
}  // namespace tavro::win32
