#include "survey/layout.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

struct Rect {
  int left, top, right, bottom;
};

Rect rect_of(const LayoutRow& row) {
  return {row.left, row.top, row.left + row.width, row.top + row.height};
}

TEST(Layout, EveryControlLiesInsideTheClientAreaOnWholePixels) {
  for (const LayoutRow& row : kSurveyLayout) {
    const Rect r = rect_of(row);
    EXPECT_GE(r.left, 0) << row.name;
    EXPECT_GE(r.top, 0) << row.name;
    EXPECT_LE(r.right, kClientWidthTwips) << row.name;
    EXPECT_LE(r.bottom, kClientHeightTwips) << row.name;
    for (const int twips : {row.left, row.top, row.width, row.height}) {
      EXPECT_EQ(twips % 15, 0) << row.name;
    }
  }
}

TEST(Layout, NoTwoVisibleControlsOverlap) {
  for (const LayoutRow& a : kSurveyLayout) {
    for (const LayoutRow& b : kSurveyLayout) {
      if (&a >= &b || a.kind == ControlKind::kLine || b.kind == ControlKind::kLine) continue;
      const Rect ra = rect_of(a);
      const Rect rb = rect_of(b);
      const bool overlap =
          ra.left < rb.right && rb.left < ra.right && ra.top < rb.bottom && rb.top < ra.bottom;
      EXPECT_FALSE(overlap) << a.name << " and " << b.name;
    }
  }
}

TEST(Layout, TabOrderRunsChecksTextsLabelsFactsButtonsFooter) {
  const auto order = controls_in_tab_order();
  ASSERT_EQ(order.size(), 29u);  // every control but the picture and the two lines
  EXPECT_EQ(order[0], Control::Check1);
  EXPECT_EQ(order[9], Control::Check10);
  EXPECT_EQ(order[10], Control::Text1);
  EXPECT_EQ(order[15], Control::Label1);
  EXPECT_EQ(order[20], Control::TxtHN);
  EXPECT_EQ(order[26], Control::CmdOk);
  EXPECT_EQ(order[27], Control::CmdCancel);
  EXPECT_EQ(order[28], Control::Label6);
  EXPECT_FALSE(layout_of(Control::Image1).tab_index.has_value());
}

TEST(Layout, ClientAreaIs615By291PixelsAt96Dpi) {
  EXPECT_EQ(twips_to_pixels(kClientWidthTwips, 96), 615);
  EXPECT_EQ(twips_to_pixels(kClientHeightTwips, 96), 291);
  EXPECT_EQ(twips_to_pixels(kClientWidthTwips, 144), 923);  // rounded, not cut
}

}  // namespace
}  // namespace tavro
