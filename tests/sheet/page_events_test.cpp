// The page's smaller reactions: clicks, edit start, focus, scrolling, and the wiring.

#include "sheet/page_fixture.h"

namespace vemo::test {
namespace {

class PageEvents : public PageFixture {};

TEST_F(PageEvents, ClicksFocusAndEditStart) {
  open(kWaybillDocument);
  put("M2", "1001");
  MainWindowModel& form = session.form1;
  form.List1.visible = form.List2.visible = form.List3.visible = true;
  sheet().user_click(pos("B12"));
  EXPECT_FALSE(form.List2.visible);
  EXPECT_FALSE(form.List3.visible);
  EXPECT_TRUE(form.List1.visible);

  session.sheet_edit_mode = kEditGuardDisarmed;
  sheet().user_focus_out();
  EXPECT_FALSE(form.List1.visible);
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardDisarmed);
  sheet().user_focus_in();
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);

  session.sheet_edit_mode = kEditGuardDisarmed;
  ASSERT_TRUE(sheet().user_begin_edit(pos("B12")));
  EXPECT_EQ(form.edit_ysth, "1001");
  EXPECT_EQ(session.sheet_edit_mode, kEditGuardArmed);
}

TEST_F(PageEvents, ThePictureFollowsTheView) {
  open(kWaybillDocument);
  ASSERT_EQ(session.logo_x, 600);
  sheet().user_scroll(40, 10);
  const ControlGeometry& picture = session.form1.Picture1.geometry;
  EXPECT_EQ(picture.left, session.form1.grid.left + 30 * -40 + 600);
  EXPECT_EQ(picture.top, session.form1.grid.top + 20 * -10 + 240);
}

}  // namespace
}  // namespace vemo::test
