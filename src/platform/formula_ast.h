// The parsed form of a formula: a tree of nodes with references as sheet positions.
#pragma once

#include "platform/cell_address.h"

#include <QString>

#include <memory>
#include <vector>

namespace vemo {

struct FormulaNode {
  enum class Type { Number, Text, Bool, Error, Cell, Area, Negate, Percent, Binary, Call };
  Type type = Type::Error;
  double number = 0;  // Number, and Bool as 0 or 1
  QString text;       // Text, Error code, Binary operator, Call function name (upper case)
  CellArea area;      // Cell and Area
  std::vector<std::unique_ptr<FormulaNode>> children;
};

using FormulaTree = std::unique_ptr<FormulaNode>;

}  // namespace vemo
