// Evaluation of a formula tree against the cells of a sheet.
#pragma once

#include "platform/cell_value.h"
#include "platform/formula_ast.h"

#include <functional>

namespace vemo {

// What a formula may read.
class FormulaCells {
 public:
  virtual ~FormulaCells() = default;
  virtual CellValue value(CellPos p) const = 0;
  // Calls `visit` for every cell of the area that is not empty, row by row.
  virtual void for_each_value(const CellArea& area,
                              const std::function<void(const CellValue&)>& visit) const = 0;
};

// Booleans come out as the texts "TRUE" and "FALSE" (cells hold numbers and texts only).
CellValue evaluate_formula(const FormulaNode& tree, const FormulaCells& cells);

// An intermediate result: a value, a boolean or an area not yet reduced to a value.
struct Operand {
  CellValue value;
  bool is_bool = false;
  bool is_area = false;
  CellArea area;

  static Operand of(const CellValue& v) { return {v, false, false, {}}; }
  static Operand number(double n) { return of(CellValue::number(n)); }
  static Operand boolean(bool b) { return {CellValue::number(b ? 1 : 0), true, false, {}}; }
  static Operand error(const char* code) { return of(CellValue::error(QString::fromLatin1(code))); }
};

class FormulaEvaluator {
 public:
  explicit FormulaEvaluator(const FormulaCells& cells) : cells_(cells) {}

  Operand eval(const FormulaNode& node) const;
  // The operand as one value; an area gives its first cell.
  CellValue scalar(const Operand& operand) const;
  // As a number: texts that read as numbers count, empty is 0; otherwise an error value.
  std::optional<double> number(const Operand& operand, CellValue* error) const;
  // Spreadsheet truth: nonzero numbers, "TRUE"; an error value in *error otherwise.
  std::optional<bool> truth(const Operand& operand, CellValue* error) const;
  const FormulaCells& cells() const { return cells_; }

 private:
  Operand binary(const FormulaNode& node) const;
  Operand call(const FormulaNode& node) const;
  const FormulaCells& cells_;
};

}  // namespace vemo
