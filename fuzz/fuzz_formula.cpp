// Fuzz entry for formulas: parsing, evaluation and storing in a sheet with neighbours that read
// the cell; any text must give a value or an error value, never a fault.
#include "platform/formula_parser.h"
#include "platform/sheet.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString formula =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const vemo::FormulaTree tree = vemo::parse_formula(formula);
  (void)tree;
  vemo::Sheet sheet;
  sheet.range("A1").set_value("12");
  sheet.range("A2").set_value("'0871");
  sheet.range("A3").set_value("3.5");
  sheet.range("C1").set_formula("=B2*2");  // reads the fuzzed cell, which may read it back
  sheet.merge({4, 1, 4, 3});
  (void)sheet.evaluate(formula, {5, 5});
  sheet.range("B2").set_formula(formula);
  (void)sheet.display_text({2, 2});
  (void)sheet.display_text({1, 3});
  sheet.insert_rows(1, 1);
  (void)sheet.display_text({3, 2});
  return 0;
}
