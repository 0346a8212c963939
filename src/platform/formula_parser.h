// Formula text to tree. Malformed formulas give an error node, never an exception.
#pragma once

#include "platform/formula_ast.h"

#include <QString>

namespace vemo {

// Longest formula and deepest nesting accepted; beyond them the formula is an error value.
inline constexpr int kMaxFormulaLength = 8192;
inline constexpr int kMaxFormulaDepth = 200;

// `formula` with or without its leading "=". A syntax error gives an Error node "#VALUE!",
// a reference outside the sheet "#REF!".
FormulaTree parse_formula(const QString& formula);

// Every cell and area the tree reads, in the order written.
std::vector<CellArea> formula_references(const FormulaNode& tree);

}  // namespace vemo
