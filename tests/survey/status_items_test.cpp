#include "survey/status_items.h"

#include <gtest/gtest.h>

#include "support/in_memory_window.h"

namespace tavro {
namespace {

TEST(StatusItems, DisabledBoxesTurnButtonFaceEnabledOnesKeepTheirColour) {
  testing::InMemoryWindow window;
  const Profile settings =
      Profile::parse(L"[Status]\nEnableI1=1\nItem1=Room\nEnableI2=0\nItem2=Owner\nEnableI3=7\n");
  for (int item = 1; item <= kStatusItems; ++item)
    set_up_status_item(window, settings, item);

  EXPECT_TRUE(window[Control::Text1].enabled);
  EXPECT_NE(window[Control::Text1].back_color, kButtonFaceColor);
  EXPECT_FALSE(window[Control::Text2].enabled);
  EXPECT_EQ(window[Control::Text2].back_color, 0x8000000Fu);
  // 7 leaves the box as the window made it.
  EXPECT_TRUE(window[Control::Text3].enabled);
  EXPECT_NE(window[Control::Text3].back_color, kButtonFaceColor);
  // Missing flags read as 0: disabled and greyed.
  EXPECT_FALSE(window[Control::Text5].enabled);
  EXPECT_EQ(window[Control::Text5].back_color, kButtonFaceColor);

  EXPECT_EQ(window[Control::Label1].caption, L"Room");
  EXPECT_EQ(window[Control::Label2].caption, L"Owner");
  EXPECT_EQ(window[Control::Label4].caption, L"***");
  for (int item = 1; item <= kStatusItems; ++item)
    EXPECT_EQ(window[status_text(item)].text, L"");
}

TEST(StatusItems, TheBoxIsDisabledBeforeItIsGreyedAndTheCaptionComesLast) {
  testing::InMemoryWindow window;
  set_up_status_item(window, Profile::parse(L"[Status]\nEnableI4=0\nItem4=Q\n"), 4);
  const std::vector<std::string> expected = {
      "set_enabled Text4 0", "set_back_color Text4 2147483663", "set_caption Label4 Q"};
  EXPECT_EQ(window.calls(), expected);
}

}  // namespace
}  // namespace tavro
