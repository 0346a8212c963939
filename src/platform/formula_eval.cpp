// Operators of the formula language; functions live in formula_functions.cpp.
#include "platform/formula_eval.h"

#include "platform/number_text.h"

#include <cmath>

namespace vemo {

namespace {

QString operand_text(const CellValue& v, bool is_bool) {
  if (is_bool) return v.as_number() != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
  return v.to_text();
}

// -1, 0, 1. Numbers before texts, texts compared without letter case; a text that reads as
// a number compares as that number.
int compare(const CellValue& a, const CellValue& b) {
  const auto na = a.to_number();
  const auto nb = b.to_number();
  const bool a_numeric = na && !(a.is_empty() && b.is_text());
  const bool b_numeric = nb && !(b.is_empty() && a.is_text());
  if (a_numeric && b_numeric) return *na < *nb ? -1 : (*na > *nb ? 1 : 0);
  if (a_numeric) return -1;
  if (b_numeric) return 1;
  const int c = a.to_text().compare(b.to_text(), Qt::CaseInsensitive);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Operand finite_or_error(double v) {
  return std::isfinite(v) ? Operand::number(v) : Operand::error("#NUM!");
}

}  // namespace

CellValue FormulaEvaluator::scalar(const Operand& operand) const {
  if (operand.is_area) return cells_.value(operand.area.first());
  return operand.value;
}

std::optional<double> FormulaEvaluator::number(const Operand& operand, CellValue* error) const {
  const CellValue v = scalar(operand);
  if (v.is_error()) {
    *error = v;
    return std::nullopt;
  }
  if (const auto n = v.to_number()) return n;
  const QString t = v.to_text().trimmed().toUpper();
  if (t == "TRUE") return 1.0;
  if (t == "FALSE") return 0.0;
  *error = CellValue::error("#VALUE!");
  return std::nullopt;
}

std::optional<bool> FormulaEvaluator::truth(const Operand& operand, CellValue* error) const {
  const auto n = number(operand, error);
  if (!n) return std::nullopt;
  return *n != 0;
}

Operand FormulaEvaluator::eval(const FormulaNode& node) const {
  switch (node.type) {
    case FormulaNode::Type::Number:
      return Operand::number(node.number);
    case FormulaNode::Type::Text:
      return Operand::of(CellValue::text(node.text));
    case FormulaNode::Type::Bool:
      return Operand::boolean(node.number != 0);
    case FormulaNode::Type::Error:
      return Operand::of(CellValue::error(node.text));
    // A single cell is an area too: functions pass over its text as they do in areas.
    case FormulaNode::Type::Cell:
    case FormulaNode::Type::Area:
      return {CellValue(), false, true, node.area};
    case FormulaNode::Type::Negate:
    case FormulaNode::Type::Percent: {
      CellValue error;
      const auto n = number(eval(*node.children[0]), &error);
      if (!n) return Operand::of(error);
      return Operand::number(node.type == FormulaNode::Type::Negate ? -*n : *n / 100);
    }
    case FormulaNode::Type::Binary:
      return binary(node);
    case FormulaNode::Type::Call:
      return call(node);
  }
  return Operand::error("#VALUE!");
}

Operand FormulaEvaluator::binary(const FormulaNode& node) const {
  const Operand left = eval(*node.children[0]);
  const Operand right = eval(*node.children[1]);
  const QString& op = node.text;
  const CellValue a = scalar(left);
  const CellValue b = scalar(right);
  if (a.is_error()) return Operand::of(a);
  if (b.is_error()) return Operand::of(b);

  if (op == "&")
    return Operand::of(
        CellValue::text(operand_text(a, left.is_bool) + operand_text(b, right.is_bool)));
  if (op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=") {
    const int c = left.is_bool || right.is_bool
                      ? compare(CellValue::text(operand_text(a, left.is_bool)),
                                CellValue::text(operand_text(b, right.is_bool)))
                      : compare(a, b);
    if (op == "=") return Operand::boolean(c == 0);
    if (op == "<>") return Operand::boolean(c != 0);
    if (op == "<") return Operand::boolean(c < 0);
    if (op == ">") return Operand::boolean(c > 0);
    if (op == "<=") return Operand::boolean(c <= 0);
    return Operand::boolean(c >= 0);
  }

  CellValue error;
  const auto x = number(left, &error);
  if (!x) return Operand::of(error);
  const auto y = number(right, &error);
  if (!y) return Operand::of(error);
  if (op == "+") return finite_or_error(*x + *y);
  if (op == "-") return finite_or_error(*x - *y);
  if (op == "*") return finite_or_error(*x * *y);
  if (op == "/") return *y == 0 ? Operand::error("#DIV/0!") : finite_or_error(*x / *y);
  if (op == "^") {
    if (*x == 0 && *y < 0) return Operand::error("#DIV/0!");
    return finite_or_error(std::pow(*x, *y));
  }
  return Operand::error("#VALUE!");
}

CellValue evaluate_formula(const FormulaNode& tree, const FormulaCells& cells) {
  const FormulaEvaluator evaluator(cells);
  const Operand result = evaluator.eval(tree);
  const CellValue v = evaluator.scalar(result);
  if (result.is_bool) return CellValue::text(operand_text(v, true));
  // A formula that points at an empty cell shows 0, as spreadsheets do.
  if (v.is_empty() && result.is_area) return CellValue::number(0);
  return v;
}

}  // namespace vemo
