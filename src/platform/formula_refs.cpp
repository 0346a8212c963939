// Reference rewriting over the token stream, so the rest of the text stays as written.
#include "platform/formula_refs.h"

#include "platform/formula_tokens.h"

#include <functional>

namespace vemo {

namespace {

QString rewrite(const QString& formula, const std::function<CellPos(const FormulaToken&)>& move) {
  if (!formula.startsWith('=')) return formula;
  const QString body = formula.mid(1);
  QString out = QStringLiteral("=");
  int copied = 0;
  for (const FormulaToken& t : tokenize_formula(body)) {
    if (t.type != FormulaToken::Type::Reference) continue;
    out += body.mid(copied, t.start - copied);
    const CellPos p = move(t);
    out += is_valid_pos(p) ? reference_text(p, t.absolute_row, t.absolute_col)
                           : QStringLiteral("#REF!");
    copied = t.start + t.length;
  }
  out += body.mid(copied);
  return out;
}

}  // namespace

QString offset_formula(const QString& formula, int rows, int columns) {
  return rewrite(formula, [&](const FormulaToken& t) {
    return CellPos{t.absolute_row ? t.pos.row : t.pos.row + rows,
                   t.absolute_col ? t.pos.col : t.pos.col + columns};
  });
}

QString shift_formula_rows(const QString& formula, int row, int count) {
  return rewrite(formula, [&](const FormulaToken& t) {
    return CellPos{t.pos.row >= row ? t.pos.row + count : t.pos.row, t.pos.col};
  });
}

}  // namespace vemo
