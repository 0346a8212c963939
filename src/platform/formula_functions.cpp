// The functions a formula may call. Names in any letter case; unknown names give #NAME?,
// a wrong number of arguments #VALUE!.
#include "platform/dates.h"
#include "platform/formula_eval.h"
#include "platform/number_format.h"

#include <cmath>
#include <limits>

namespace vemo {

namespace {

// Collects the numbers of the arguments. In areas, texts that read as numbers count (cells
// filled from the database may hold amounts as text) and other texts are passed over; a
// direct argument that is no number is an error.
struct Numbers {
  std::vector<double> values;
  CellValue error;
  bool failed() const { return error.is_error(); }
};

Numbers collect_numbers(const FormulaEvaluator& ev, const FormulaNode& call) {
  Numbers out;
  auto note_error = [&](const CellValue& e) {
    if (!out.failed()) out.error = e;  // the first error wins; COUNT passes over all
  };
  for (const auto& arg : call.children) {
    const Operand op = ev.eval(*arg);
    if (op.is_area) {
      ev.cells().for_each_value(op.area, [&](const CellValue& v) {
        if (v.is_error()) {
          note_error(v);
        } else if (const auto n = v.to_number()) {
          out.values.push_back(*n);
        }
      });
    } else if (!op.value.is_empty() || op.is_bool) {
      CellValue error;
      if (const auto n = ev.number(op, &error)) {
        out.values.push_back(*n);
      } else {
        note_error(error);
      }
    }
  }
  return out;
}

Operand aggregate(const FormulaEvaluator& ev, const FormulaNode& call) {
  const QString& name = call.text;
  if (call.children.empty()) return Operand::error("#VALUE!");
  const Numbers numbers = collect_numbers(ev, call);
  if (name == "COUNT") return Operand::number(static_cast<double>(numbers.values.size()));
  if (numbers.failed()) return Operand::of(numbers.error);
  const auto& v = numbers.values;
  double sum = 0;
  for (double x : v) sum += x;
  if (name == "SUM") return Operand::number(sum);
  if (name == "AVERAGE")
    return v.empty() ? Operand::error("#DIV/0!")
                     : Operand::number(sum / static_cast<double>(v.size()));
  if (v.empty()) return Operand::number(0);
  double best = v.front();
  for (double x : v) best = name == "MIN" ? std::min(best, x) : std::max(best, x);
  return Operand::number(best);
}

Operand logical(const FormulaEvaluator& ev, const FormulaNode& call) {
  if (call.children.empty()) return Operand::error("#VALUE!");
  const bool is_and = call.text == "AND";
  bool result = is_and;
  bool any = false;
  CellValue error;
  for (const auto& arg : call.children) {
    const Operand op = ev.eval(*arg);
    std::vector<Operand> items;
    if (op.is_area) {
      ev.cells().for_each_value(op.area,
                                [&](const CellValue& v) { items.push_back(Operand::of(v)); });
    } else {
      items.push_back(op);
    }
    for (const Operand& item : items) {
      if (op.is_area && item.value.is_error()) return Operand::of(item.value);
      const auto t = ev.truth(item, &error);
      if (!t) {
        if (op.is_area) continue;  // texts in areas are passed over
        return Operand::of(error);
      }
      any = true;
      result = is_and ? (result && *t) : (result || *t);
    }
  }
  if (!any) return Operand::error("#VALUE!");
  return Operand::boolean(result);
}

Operand one_number(const FormulaEvaluator& ev, const FormulaNode& call) {
  if (call.children.size() != 1) return Operand::error("#VALUE!");
  CellValue error;
  const auto n = ev.number(ev.eval(*call.children[0]), &error);
  if (!n) return Operand::of(error);
  return Operand::number(call.text == "ABS" ? std::fabs(*n) : std::floor(*n));
}

Operand round_call(const FormulaEvaluator& ev, const FormulaNode& call) {
  if (call.children.empty() || call.children.size() > 2) return Operand::error("#VALUE!");
  CellValue error;
  const auto n = ev.number(ev.eval(*call.children[0]), &error);
  if (!n) return Operand::of(error);
  double digits = 0;
  if (call.children.size() == 2) {
    const auto d = ev.number(ev.eval(*call.children[1]), &error);
    if (!d) return Operand::of(error);
    digits = std::trunc(*d);
  }
  if (digits > 15 || digits < -15) return Operand::number(digits > 0 ? *n : 0);
  return Operand::number(round_to_digits(*n, static_cast<int>(digits)));
}

Operand if_call(const FormulaEvaluator& ev, const FormulaNode& call) {
  if (call.children.size() < 2 || call.children.size() > 3) return Operand::error("#VALUE!");
  CellValue error;
  const auto condition = ev.truth(ev.eval(*call.children[0]), &error);
  if (!condition) return Operand::of(error);
  if (*condition) return ev.eval(*call.children[1]);
  if (call.children.size() == 3) return ev.eval(*call.children[2]);
  return Operand::boolean(false);
}

}  // namespace

Operand FormulaEvaluator::call(const FormulaNode& node) const {
  const QString& name = node.text;
  if (name == "SUM" || name == "MIN" || name == "MAX" || name == "AVERAGE" || name == "COUNT")
    return aggregate(*this, node);
  if (name == "AND" || name == "OR") return logical(*this, node);
  if (name == "ABS" || name == "INT") return one_number(*this, node);
  if (name == "ROUND") return round_call(*this, node);
  if (name == "IF") return if_call(*this, node);
  if (name == "TODAY") {
    if (!node.children.empty()) return Operand::error("#VALUE!");
    return Operand::of(CellValue::text(today_text()));
  }
  return Operand::error("#NAME?");
}

}  // namespace vemo
