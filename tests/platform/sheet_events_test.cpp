// The event switch, which actions raise which events in which order, re-entrant handlers,
// and protection against the user.
#include "platform/sheet.h"
#include "support/qstring_print.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vemo {
namespace {

// A page with D6:H6 merged and unlocked, B2 and C2 unlocked, everything logged.
class SheetEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet.range("D6:H6").merge();
    sheet.range("D6:H6").set_locked(false);
    sheet.range("B2:C2").set_locked(false);
    vemo::SheetEvents& e = sheet.events();
    e.content_changed = [this](const Range& r) { log << "change " + r.address(); };
    e.clicked = [this](const Range& r) { log << "click " + r.address(); };
    e.double_clicked = [this](const Range& r, int x, int y) {
      log << QStringLiteral("double %1 %2,%3").arg(r.address()).arg(x).arg(y);
    };
    e.key_pressed = [this](const Range& r, int key) {
      log << QStringLiteral("key %1 %2").arg(key).arg(r.address());
    };
    e.selection_changed = [this](const Range& r) { log << "select " + r.address(); };
    e.edit_started = [this](const Range& r) { log << "edit " + r.address(); };
    e.scrolled = [this] { log << "scroll"; };
    e.focus_gained = [this] { log << "focus in"; };
    e.focus_lost = [this] { log << "focus out"; };
  }
  QStringList take() {
    QStringList out = log;
    log.clear();
    return out;
  }
  Sheet sheet;
  QStringList log;
};

TEST_F(SheetEventsTest, ProgramWritesRaiseAChangeOnlyWhileEventsAreOn) {
  sheet.range("A1").set_value(1);
  sheet.range("b1").set_formula("=A1*2");
  sheet.range("E6").set_value("x");
  EXPECT_EQ(take(), QStringList({"change A1", "change B1", "change D6:H6"}));

  sheet.set_enable_events(false);
  sheet.range("A1").set_value(5);
  sheet.range("A1:A3").select();
  sheet.user_key(kKeyEnter);
  sheet.user_focus_in();
  sheet.set_enable_events(true);
  EXPECT_EQ(take(), QStringList());  // dropped, not queued
  EXPECT_EQ(sheet.range("B1").text(), "10");

  // A value changed by recalculation raises nothing of its own.
  sheet.range("A1").set_value(6);
  EXPECT_EQ(take(), QStringList({"change A1"}));
}

TEST_F(SheetEventsTest, UserEditThenEnterAndTheCursorStays) {
  sheet.range("B2").select();
  take();
  EXPECT_TRUE(sheet.user_begin_edit({2, 2}));
  EXPECT_TRUE(sheet.user_edit({2, 2}, "1001"));
  sheet.user_key(kKeyEnter);
  EXPECT_EQ(take(), QStringList({"edit B2", "change B2", "key 13 B2"}));
  EXPECT_EQ(sheet.active_cell().address(), "B2");
  EXPECT_EQ(sheet.range("B2").value().as_number(), 1001);
}

TEST_F(SheetEventsTest, DeleteClearsOneCellButLeavesSeveralToTheEngine) {
  sheet.range("B2").set_value(1);
  sheet.range("C2").set_value(2);
  sheet.range("D6").set_value(3);

  sheet.user_select(sheet.range("B2:C2").area());
  take();
  sheet.user_key(kKeyDelete);
  EXPECT_EQ(take(), QStringList({"key 46 B2:C2"}));
  EXPECT_EQ(sheet.range("B2").text(), "1");

  sheet.user_select(sheet.range("C2").area());
  sheet.user_key(kKeyDelete);
  EXPECT_EQ(take(), QStringList({"select C2", "key 46 C2", "change C2"}));
  EXPECT_EQ(sheet.range("C2").text(), "");

  sheet.user_select(sheet.range("F6").area());
  sheet.user_key(kKeyDelete);
  EXPECT_EQ(take(), QStringList({"select D6:H6", "key 46 D6:H6", "change D6:H6"}));
  EXPECT_EQ(sheet.range("D6").text(), "");
}

TEST_F(SheetEventsTest, PointerSelectionScrollAndFocusEvents) {
  sheet.user_click({6, 7});
  sheet.user_double_click({6, 5}, 120, 45);
  sheet.user_select({1, 1, 2, 2});
  sheet.range("g6").select();
  sheet.user_scroll(30, 40);
  sheet.user_focus_in();
  sheet.user_focus_out();
  EXPECT_EQ(take(), QStringList({"click D6:H6", "double D6:H6 120,45", "select A1:B2",
                                 "select D6:H6", "scroll", "focus in", "focus out"}));
  EXPECT_EQ(sheet.active_cell().address(), "D6:H6");
  EXPECT_EQ(sheet.view_left({1, 1}), -30);
}

TEST_F(SheetEventsTest, HandlersMayWriteAgainInsideTheEvent) {
  // A handler that writes another cell with events on sees that change nested, at once.
  sheet.events().content_changed = [this](const Range& r) {
    log << "change " + r.address();
    if (r.address() == "B2") {
      sheet.range("C4:D4").set_value(QString::fromUtf8("昆明"));
      log << "after nested write";
    }
  };
  sheet.user_edit({2, 2}, "x");
  EXPECT_EQ(take(), QStringList({"change B2", "change C4:D4", "after nested write"}));

  // A handler that writes the changed cell's formula back (with events on) is not told
  // about its own unchanged rewrite; one that keeps changing the cell is cut off.
  int calls = 0;
  sheet.events().content_changed = [&](const Range& r) {
    ++calls;
    r.set_formula(r.formula());
  };
  sheet.range("A1").set_formula("=1+1");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(sheet.range("A1").text(), "2");
  calls = 0;
  sheet.events().content_changed = [&](const Range& r) {
    ++calls;
    r.set_value(r.value().as_number() + 1);
  };
  sheet.range("A2").set_value(0);
  EXPECT_GT(calls, 1);
  EXPECT_LT(calls, 100);
  EXPECT_EQ(sheet.range("A2").value().as_number(), calls);

  // Handlers that rebuild the page under the caller leave a working sheet.
  sheet.events().content_changed = [this](const Range&) {
    sheet.set_enable_events(false);
    sheet.clear();
    sheet.range("A1:C9").entire_rows().insert_shift_down();
    sheet.set_enable_events(true);
  };
  sheet.events().key_pressed = [this](const Range&, int) { sheet.clear(); };
  sheet.range("B5").set_value(1);
  sheet.user_select({1, 1, 3, 3});
  sheet.user_key(kKeyDelete);
  EXPECT_EQ(sheet.range("B5").text(), "");
  EXPECT_EQ(sheet.used_rows(), 0);
}

TEST_F(SheetEventsTest, ProtectionLimitsTheUserNotThePrograms) {
  sheet.range("A1").set_value("原值");
  sheet.set_protected(true);
  take();
  EXPECT_FALSE(sheet.user_begin_edit({1, 1}));
  EXPECT_FALSE(sheet.user_edit({1, 1}, "改"));
  sheet.user_select({1, 1, 1, 1});
  sheet.user_key(kKeyDelete);
  EXPECT_EQ(sheet.range("A1").text(), QString::fromUtf8("原值"));
  EXPECT_EQ(take(), QStringList({"select A1", "key 46 A1"}));

  EXPECT_TRUE(sheet.user_edit({2, 3}, "7"));  // unlocked
  EXPECT_TRUE(sheet.user_edit({6, 8}, "8"));  // unlocked merged area, by a covered cell
  sheet.range("A1").set_value("程序写入");    // programs may write locked cells
  EXPECT_EQ(sheet.range("A1").text(), QString::fromUtf8("程序写入"));

  sheet.set_protected(false);
  EXPECT_TRUE(sheet.user_edit({1, 1}, "任意"));
  EXPECT_TRUE(sheet.range("Z99").locked());  // every cell starts locked
}

}  // namespace
}  // namespace vemo
