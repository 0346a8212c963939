// Page templates: table layout with spans, geometry, formats, formulas, text cells, broken input.
#include "platform/page_template.h"
#include "platform/css_values.h"
#include "platform/sheet.h"
#include "support/qstring_print.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringList>

namespace vemo {
namespace {

QString fixture(const char* name) { return QString(VEMO_TEST_DATA "/templates/") + name; }

CellPos at(const char* address) { return *parse_cell_address(address); }

QStringList merged_addresses(const Sheet& sheet) {
  QStringList result;
  for (const CellArea& area : sheet.merged_areas()) result << area_address_text(area);
  result.sort();
  return result;
}

TEST(PageTemplate, WaybillGivesMergesGeometryValuesAndFormats) {
  Sheet sheet;
  ASSERT_TRUE(load_template(sheet, fixture("waybill.htm")));

  EXPECT_EQ(merged_addresses(sheet), QStringList({"A1:D1", "A3:A4", "B2:D2", "C4:D4"}));
  EXPECT_EQ(sheet.column_width(1), 80);
  EXPECT_EQ(sheet.column_width(2), 80);  // 60pt
  EXPECT_EQ(sheet.column_width(3), 50);  // <col span="2">
  EXPECT_EQ(sheet.column_width(4), 50);
  EXPECT_EQ(sheet.column_width(5), kDefaultColumnWidth);
  EXPECT_EQ(sheet.row_height(1), 30);
  EXPECT_EQ(sheet.row_height(2), 20);
  EXPECT_EQ(sheet.row_height(3), kDefaultRowHeight);

  const CellFormat& title = sheet.format(at("A1"));
  EXPECT_EQ(sheet.value(at("A1")), CellValue::text("货物运单"));
  EXPECT_EQ(title.font.family, "WenQuanYi Micro Hei");
  EXPECT_DOUBLE_EQ(title.font.size, 16);
  EXPECT_TRUE(title.font.bold);
  EXPECT_EQ(title.halign, HAlign::Center);
  EXPECT_EQ(title.valign, VAlign::Center);
  EXPECT_TRUE(title.locked);

  // A text-formatted, unlocked identifier cell keeps its leading zeros.
  const CellFormat& number = sheet.format(at("B2"));
  EXPECT_EQ(sheet.value(at("B2")), CellValue::text("00123"));
  EXPECT_EQ(number.number_format, "@");
  EXPECT_FALSE(number.locked);
  EXPECT_EQ(number.font.color, "#0000FF");
  EXPECT_EQ(number.border(BorderEdge::Bottom).line_style, 2);
  EXPECT_EQ(number.border(BorderEdge::Bottom).weight, 3);
  EXPECT_EQ(number.border(BorderEdge::Bottom).color, "#FF0000");
  EXPECT_FALSE(number.border(BorderEdge::Top).visible());
  const Border left_of_label = sheet.format(at("A2")).border(BorderEdge::Left);
  EXPECT_EQ(left_of_label.line_style, kLineContinuous);
  EXPECT_EQ(left_of_label.weight, kBorderThin);

  EXPECT_EQ(sheet.value(at("A3")), CellValue::text("件数\n重量"));
  EXPECT_EQ(sheet.format(at("A3")).background, "#FFFF00");
  EXPECT_TRUE(sheet.format(at("A3")).wrap);
  EXPECT_EQ(sheet.value(at("B3")), CellValue::number(12));
  EXPECT_FALSE(sheet.locked(at("C3")));

  // The formula wins over the cached text and follows its inputs.
  EXPECT_EQ(sheet.formula(at("D3")), "=B3+C3");
  EXPECT_EQ(sheet.display_text(at("D3")), "15.50");
  EXPECT_DOUBLE_EQ(sheet.format(at("D3")).font.size, 9);  // 12px
  EXPECT_TRUE(sheet.format(at("D3")).font.italic);
  sheet.range("B3").set_value("20");
  EXPECT_EQ(sheet.value(at("D3")), CellValue::number(23.5));

  // Row 4 starts after the rowspan of A3; the no-break space counts as a blank.
  EXPECT_EQ(sheet.value(at("B4")), CellValue::text("托运 人"));
  const CellFormat& shipper = sheet.format(at("C4"));
  EXPECT_EQ(shipper.border(BorderEdge::Left).line_style, 4);
  EXPECT_EQ(shipper.border(BorderEdge::Left).color, "#FF0000");
  EXPECT_FALSE(shipper.border(BorderEdge::Right).visible());
}

TEST(PageTemplate, SpansArePlacedLikeHtmlTables) {
  Sheet sheet;
  ASSERT_TRUE(load_template(sheet, fixture("spans.htm")));
  EXPECT_EQ(merged_addresses(sheet), QStringList({"A4:D4", "B1:B3", "B5:B6", "C2:D3"}));
  const struct {
    const char* address;
    const char* text;
  } cells[] = {{"A1", "A1"}, {"B1", "B1"}, {"C1", "C1"}, {"A2", "A2"}, {"C2", "C2"},
               {"A3", "A3"}, {"A4", "A4"}, {"A5", "A5"}, {"B5", "B5"}, {"C5", "C5"},
               {"A6", "A6"}, {"C6", "C6"}, {"D1", ""},   {"D5", ""}};
  for (const auto& c : cells) {
    EXPECT_EQ(sheet.value(at(c.address)).to_text(), QString(c.text)) << c.address;
  }
  EXPECT_TRUE(sheet.format(at("A5")).font.bold);  // <th>
  EXPECT_EQ(sheet.format(at("A5")).halign, HAlign::Center);
}

TEST(PageTemplate, UnclosedTagsStillGiveTheTable) {
  Sheet sheet;
  ASSERT_TRUE(load_template(sheet, fixture("unclosed.htm")));
  EXPECT_EQ(sheet.column_width(1), 70);
  EXPECT_EQ(sheet.column_width(2), 90);
  EXPECT_EQ(sheet.row_height(1), 25);
  EXPECT_EQ(sheet.value(at("A1")), CellValue::text("左粗"));
  EXPECT_EQ(sheet.format(at("A1")).halign, HAlign::Right);
  EXPECT_EQ(sheet.format(at("A1")).valign, VAlign::Top);
  EXPECT_EQ(sheet.format(at("A1")).background, "#C0C0C0");
  EXPECT_EQ(sheet.value(at("A2")), CellValue::number(1001));
  EXPECT_EQ(sheet.value(at("B2")), CellValue::text("0871"));
  // The nested table's text is left out; the formula attribute gains its "=".
  EXPECT_EQ(merged_addresses(sheet), QStringList({"A3:B3"}));
  EXPECT_EQ(sheet.formula(at("A3")), "=SUM(A2:B2)");
}

TEST(PageTemplate, AbsurdSpansAreClippedToTheTableAndTheColumnLimit) {
  Sheet sheet;
  ASSERT_TRUE(load_template(sheet, fixture("absurd_spans.htm")));
  const CellArea whole{1, 1, 3, kMaxTemplateColumns};
  EXPECT_EQ(merged_addresses(sheet), QStringList({area_address_text(whole)}));
  EXPECT_EQ(sheet.value(at("A1")), CellValue::text("huge"));
  EXPECT_LE(sheet.used_rows(), 3);
}

// Whatever was on the page before, a bad template leaves it empty and the load says so.
TEST(PageTemplate, BrokenInputGivesAnEmptyPage) {
  const QByteArray deep = QByteArray("<div>").repeated(20000) + "<table><tr><td>x</td></tr>";
  const struct {
    const char* name;
    QByteArray text;  // used when name is null
  } cases[] = {{"missing.htm", {}},
               {"empty.htm", {}},
               {"garbage.bin", {}},
               {"no_table.htm", {}},
               {nullptr, deep},
               {nullptr, "<table><tr>"},
               {
                   nullptr,
                   "\0\0<table",
               }};
  for (const auto& c : cases) {
    Sheet sheet;
    ASSERT_TRUE(load_template(sheet, fixture("waybill.htm")));
    sheet.set_protected(true);
    QElapsedTimer timer;
    timer.start();
    const bool loaded =
        c.name ? load_template(sheet, fixture(c.name)) : load_template_text(sheet, c.text);
    const char* label = c.name ? c.name : "inline text";
    EXPECT_LT(timer.elapsed(), 5000) << label;  // a guard against runaway parsing, not a goal
    EXPECT_EQ(sheet.used_rows(), 0) << label;
    EXPECT_TRUE(sheet.merged_areas().empty()) << label;
    EXPECT_EQ(sheet.column_width(1), kDefaultColumnWidth) << label;
    EXPECT_FALSE(sheet.is_protected()) << label;
    if (c.name == nullptr && c.text == "<table><tr>") {
      EXPECT_TRUE(loaded);  // a table without cells is an empty page, not an error
    } else {
      EXPECT_FALSE(loaded) << label;
    }
  }
}

TEST(PageTemplate, LoadingRaisesNoEventsAndKeepsTheSwitch) {
  Sheet sheet;
  int changes = 0;
  sheet.events().content_changed = [&](const Range&) { ++changes; };
  ASSERT_TRUE(load_template(sheet, fixture("waybill.htm")));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(sheet.enable_events());
  sheet.set_enable_events(false);
  ASSERT_TRUE(load_template(sheet, fixture("spans.htm")));
  EXPECT_FALSE(sheet.enable_events());
}

TEST(CssValues, LengthsColoursAndBorders) {
  EXPECT_EQ(css_length_px("80"), 80);
  EXPECT_EQ(css_length_px(" 60pt "), 80);
  EXPECT_EQ(css_length_px("1in"), 96);
  EXPECT_EQ(css_length_px("-5px"), std::nullopt);
  EXPECT_EQ(css_length_px("wide"), std::nullopt);
  EXPECT_EQ(css_color("#abc"), "#AABBCC");
  EXPECT_EQ(css_color("rgb(255, 0, 16)"), "#FF0010");
  EXPECT_EQ(css_color("rgb(999,0,0)"), "#FF0000");
  EXPECT_EQ(css_color("windowtext"), "#000000");
  EXPECT_EQ(css_color("#12"), std::nullopt);

  const Border excel_thin = border_from_shorthand(".5pt solid windowtext");
  EXPECT_EQ(excel_thin.line_style, kLineContinuous);
  EXPECT_EQ(excel_thin.weight, kBorderThin);
  const Border thick = border_from_shorthand("3px dotted rgb(0, 128, 0)");
  EXPECT_EQ(thick.line_style, 3);
  EXPECT_EQ(thick.weight, 4);
  EXPECT_EQ(thick.color, "#008000");
  EXPECT_FALSE(border_from_shorthand("1px #000").visible());  // no style word, as in CSS
  EXPECT_FALSE(border_from_shorthand("none").visible());
}

}  // namespace
}  // namespace vemo
