// Key templates and stored references.
#include "document/key_template.h"
#include "document/references.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(KeyTemplate, FillsPlaceholdersSafelyForWhereTheyStand) {
  const struct {
    const char* key_template;
    const char* key;
    const char* filled;
  } cases[] = {
      {"ysth=';' and hpbh=';'", "1001*7", "ysth='1001' and hpbh='7'"},
      {"ysth=';'", "1001*7", "ysth='1001'"},              // fewer ";" than parts
      {"a=';' and b=';'", "1", "a='1' and b=';'"},        // surplus ";" stay
      {"ysth=';'", "O'Brien", "ysth='O''Brien'"},         // quotes doubled
      {"a=';' and b=';'", "x;y*z", "a='x;y' and b='z'"},  // a part's own ";" is no placeholder
      {"tyrq>=#;# and tyrq<=#;#", "2004-01-01*2004-01-31",
       "tyrq>=#2004-01-01# and tyrq<=#2004-01-31#"},
      {"tyrq=#;#", "2004/1/5# or 1=1 or #x",
       "tyrq=#2004/1/5  11  #"},  // dates keep date characters
      {"fh_wz=;", "3", "fh_wz=3"},
      {"fh_wz=;", "3 or 1=1", "fh_wz='3 or 1=1'"},
      {"ysth=';'", "", "ysth=''"},
      {"no placeholder", "1", "no placeholder"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fill_key_template(QString::fromUtf8(c.key_template), QString::fromUtf8(c.key)),
              QString::fromUtf8(c.filled))
        << c.key_template << " / " << c.key;
  }
}

TEST(KeyTemplate, UsesAtMostAHundredParts) {
  QStringList parts;
  for (int i = 1; i <= 105; ++i) parts << QString::number(i);
  const QString key_template = QString("';',").repeated(105);
  const QString filled = fill_key_template(key_template, parts.join('*'));
  EXPECT_TRUE(filled.startsWith("'1','2',"));
  EXPECT_TRUE(filled.contains("'100',';',"));
  EXPECT_FALSE(filled.contains("'101'"));
  EXPECT_EQ(filled.count("';'"), 5);
}

TEST(References, AddressIsTheTextAfterTheFirstDot) {
  EXPECT_EQ(reference_address(QString::fromUtf8("入库单（到达）.B7")), "B7");
  EXPECT_EQ(reference_address("B7"), "B7");
  EXPECT_EQ(reference_address(QString::fromUtf8("货物运单.G4:H4")), "G4:H4");
  EXPECT_EQ(cell_reference(QString::fromUtf8("货物运单"), "M2"), QString::fromUtf8("货物运单.M2"));
}

}  // namespace
}  // namespace vemo
