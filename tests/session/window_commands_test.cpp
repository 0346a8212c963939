// The main window's layout commands on the window model: sizes in twips, menu states,
// and hide-then-show giving back exactly what was there.
#include "session/window_commands.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vemo {
namespace {

auto tie(const ControlGeometry& g) { return std::tuple(g.left, g.top, g.width, g.height); }

// Everything the commands move, as one comparable value.
auto layout_of(const MainWindowModel& form) {
  return std::tuple(tie(form.grid), tie(form.grid2), tie(form.tree), form.check2_top,
                    form.buttons_top, form.tree_visible, form.Command5_visible,
                    form.Check2_visible);
}

bool bottom_row_visible(MainWindowModel& form, bool visible) {
  if (form.Check2_visible != visible) return false;
  for (int n = 1; n <= kBottomButtonCount; ++n) {
    if (bottom_button(form, n).visible != visible) return false;
  }
  return true;
}

class WindowCommands : public ::testing::Test {
 protected:
  void SetUp() override { layout_main_window(form, 15360, 9600); }
  MainWindowModel form;
};

TEST_F(WindowCommands, LayoutFollowsTheWindowSize) {
  EXPECT_EQ(tie(form.grid), std::tuple(2880, 36, 15360 - 2880 - 144, 9600 - 1300));
  EXPECT_EQ(tie(form.tree), std::tuple(0, 0, 2775, 9600 - 1300));
  EXPECT_EQ(form.grid2.left, form.grid.left);
  EXPECT_EQ(form.grid2.width, form.grid.width);
  EXPECT_EQ(form.check2_top, 9600 - 1200);
  EXPECT_EQ(form.buttons_top, 9600 - 1200);
  EXPECT_EQ(form.form.width, 15360);
  EXPECT_EQ(form.form.height, 9600);

  // The designed window keeps the designed page width.
  MainWindowModel designed;
  layout_main_window(designed, designed.form.width, designed.form.height);
  EXPECT_EQ(designed.grid.left, 2880);
  EXPECT_EQ(designed.grid.width, 9696);
}

TEST_F(WindowCommands, HidingTheTreeGivesThePageItsPlaceAndShowingGivesItBack) {
  const auto before = layout_of(form);
  form.menu.set_enabled("xs", false);  // as after log-in

  hide_tree(form);
  EXPECT_FALSE(form.tree_visible);
  EXPECT_FALSE(form.Command5_visible);
  EXPECT_TRUE(form.menu.enabled("xs"));
  EXPECT_FALSE(form.menu.enabled("yc"));
  EXPECT_EQ(form.grid.left, 2880 - 2775);
  EXPECT_EQ(form.grid.width, 15360 - 2880 - 144 + 2775);
  EXPECT_EQ(std::tuple(form.grid2.left, form.grid2.width),
            std::tuple(form.grid.left, form.grid.width));
  EXPECT_EQ(form.grid2.top, 120);  // only left and width follow
  EXPECT_EQ(form.tree.width, 2775);

  show_tree(form);
  EXPECT_FALSE(form.menu.enabled("xs"));
  EXPECT_TRUE(form.menu.enabled("yc"));
  EXPECT_EQ(layout_of(form), before);
}

TEST_F(WindowCommands, HidingTheBottomRowGrowsPageAndTreeBy500WhateverTheSaveMode) {
  const auto before = layout_of(form);
  ASSERT_TRUE(form.Check2);  // manual save on: the save button shows
  hide_bottom_row(form);
  EXPECT_TRUE(bottom_row_visible(form, false));
  EXPECT_FALSE(form.CommandButton1.visible);
  EXPECT_EQ(form.grid.height, 9600 - 1300 + 500);
  EXPECT_EQ(form.tree.height, form.grid.height);
  EXPECT_FALSE(form.menu.enabled("db_yc"));
  EXPECT_TRUE(form.menu.enabled("db_xs"));

  form.Check2 = false;  // manual save off: showing the row still shows all eight
  show_bottom_row(form);
  EXPECT_TRUE(bottom_row_visible(form, true));
  EXPECT_TRUE(form.menu.enabled("db_yc"));
  EXPECT_FALSE(form.menu.enabled("db_xs"));
  EXPECT_EQ(layout_of(form), before);
}

TEST_F(WindowCommands, TreeAndBottomRowAreIndependentAndLayoutKeepsTheirStates) {
  const auto before = layout_of(form);
  hide_tree(form);
  hide_bottom_row(form);
  // A new window size keeps the hidden states: page from the tree's place, no bottom row.
  layout_main_window(form, 20000, 12000);
  EXPECT_EQ(tie(form.grid), std::tuple(105, 36, 20000 - 105 - 144, 12000 - 800));
  EXPECT_EQ(form.tree.height, 12000 - 800);
  layout_main_window(form, 15360, 9600);
  show_tree(form);
  show_bottom_row(form);
  EXPECT_EQ(layout_of(form), before);
}

TEST_F(WindowCommands, WindowTopIsTakenOffThePageHeight) {
  form.form.top = 300;
  hide_bottom_row(form);
  EXPECT_EQ(form.grid.height, 9600 - 800 - 300);
  show_bottom_row(form);
  EXPECT_EQ(form.grid.height, 9600 - 1300 - 300);
  EXPECT_EQ(form.tree.height, 9600 - 1300 - 300);
}

TEST(BottomButtons, PrintAndConfirmButtonsFollowTheirMenuItems) {
  MainWindowModel form;
  for (int n = 1; n <= kBottomButtonCount; ++n) EXPECT_TRUE(bottom_button_enabled(form, n)) << n;
  // A read-only user's log-in disables these three menu items.
  form.menu.set_enabled(QStringList{"preprint", "pj_print", "queren"}, false);
  const bool expected[] = {true, true, true, true, false, false, false};
  for (int n = 1; n <= kBottomButtonCount; ++n)
    EXPECT_EQ(bottom_button_enabled(form, n), expected[n - 1]) << n;
  EXPECT_FALSE(bottom_button_enabled(form, 0));
  EXPECT_FALSE(bottom_button_enabled(form, 8));
}

TEST(BottomButtons, NumbersReachTheirOwnButtonsOnly) {
  MainWindowModel form;
  ButtonModel* expected[] = {&form.CommandButton1, &form.CommandButton2, &form.CommandButton3,
                             &form.CommandButton4, &form.CommandButton5, &form.CommandButton6,
                             &form.CommandButton7};
  for (int n = 1; n <= kBottomButtonCount; ++n) EXPECT_EQ(&bottom_button(form, n), expected[n - 1]);
  bottom_button(form, 0).visible = false;
  bottom_button(form, 8).visible = false;
  EXPECT_TRUE(bottom_row_visible(form, true));
  EXPECT_TRUE(bottom_button(form, 9).visible);  // the detached button starts fresh
}

}  // namespace
}  // namespace vemo
