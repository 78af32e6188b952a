// The survey window's keyboard, from the shared table of keyboard scenarios:
// each key pressed through the window's own message handling, on a window
// that Form_Load has set up and that saves into a folder of the test's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "support/keyboard_scenarios.h"
#include "survey/layout.h"
#include "window_driver.h"

namespace tavro::win32 {
namespace {

using tavro::testing::Key;
using tavro::testing::Outcome;
using tavro::testing::WindowState;
using testing::SurveyUnderTest;

// The settings for the state; both save into {tmp}\records.
std::string settings_for(WindowState state) {
  std::string text;
  if (state == WindowState::kAllEnabled) {
    text = "[Application]\r\n";
    for (int slot = 1; slot <= kApplicationSlots; ++slot)
      text += "EnableA" + std::to_string(slot) + "=1\r\n";
    text += "[Status]\r\n";
    for (int item = 1; item <= kStatusItems; ++item)
      text += "EnableI" + std::to_string(item) + "=1\r\n";
  }
  return text + "[Save]\r\nSavePath={tmp}\\records\r\nPathString=200\r\n";
}

class ShownSurvey {
 public:
  explicit ShownSurvey(WindowState state) : survey_(settings_for(state)) {
    std::filesystem::create_directory(survey_.folder().path() / "records");
    survey_.load_and_show();
  }
  SurveyUnderTest& operator*() { return survey_; }
  SurveyUnderTest* operator->() { return &survey_; }
  bool saved() const { return !std::filesystem::is_empty(survey_.folder().path() / "records"); }

 private:
  SurveyUnderTest survey_;
};

void press(SurveyWindow& window, Key key) {
  constexpr WORD kKeys[] = {VK_TAB, VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE};
  testing::press_key(window, kKeys[static_cast<int>(key)], key == Key::kShiftTab);
}

TEST(Keyboard, TheFocusStartsOnTheFirstEnabledControl) {
  for (const auto& first : tavro::testing::kFirstFocus) {
    ShownSurvey survey(first.state);
    EXPECT_EQ(GetFocus(), survey->control(first.control)) << layout_of(first.control).name;
  }
}

TEST(Keyboard, EveryScenarioOfTheSharedTable) {
  for (const auto& scenario : tavro::testing::kKeyboardScenarios) {
    SCOPED_TRACE(scenario.name);
    ShownSurvey survey(scenario.state);
    SetFocus(survey->control(scenario.start));
    ASSERT_EQ(GetFocus(), survey->control(scenario.start));
    press(survey->window(), scenario.key);
    // OK saves and closes, Cancel closes: what the buttons' handlers do.
    const bool pressed =
        scenario.outcome == Outcome::kOkPressed || scenario.outcome == Outcome::kCancelPressed;
    EXPECT_EQ(survey->window().closed(), pressed);
    EXPECT_EQ(survey.saved(), scenario.outcome == Outcome::kOkPressed);
    if (pressed) continue;
    EXPECT_EQ(GetFocus(), survey->control(scenario.focus_after))
        << "expected " << layout_of(scenario.focus_after).name;
    for (int slot = 1; slot <= kApplicationSlots; ++slot) {
      const bool ticked =
          scenario.outcome == Outcome::kBoxTicked && check_box(slot) == scenario.start;
      EXPECT_EQ(survey->window().value(check_box(slot)) == CheckValue::kTicked, ticked) << slot;
    }
  }
}

}  // namespace
}  // namespace tavro::win32
