// The formula tokenizer.
#include "platform/formula_tokens.h"

#include "platform/number_text.h"

namespace vemo {

namespace {

bool is_letter(QChar c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_digit(QChar c) { return c >= '0' && c <= '9'; }
bool is_word_char(QChar c) { return is_letter(c) || is_digit(c) || c == '_' || c == '.'; }

// Reads "$A$1" at i when it is a reference and not the start of a longer word or a call.
bool read_reference(const QString& s, int i, FormulaToken& token) {
  int j = i;
  token.absolute_col = j < s.size() && s[j] == '$';
  if (token.absolute_col) ++j;
  const int letters = j;
  while (j < s.size() && is_letter(s[j])) ++j;
  if (j == letters || j - letters > 3) return false;
  token.absolute_row = j < s.size() && s[j] == '$';
  if (token.absolute_row) ++j;
  const int digits = j;
  while (j < s.size() && is_digit(s[j])) ++j;
  if (j == digits || j - digits > 7) return false;
  if (j < s.size() && (is_word_char(s[j]) || s[j] == '(')) return false;
  const QString plain = s.mid(letters, j - letters).remove('$');
  const auto pos = parse_cell_address(plain);
  if (!pos) return false;
  token.type = FormulaToken::Type::Reference;
  token.pos = *pos;
  token.length = j - i;
  return true;
}

}  // namespace

QString reference_text(CellPos pos, bool absolute_row, bool absolute_col) {
  return (absolute_col ? "$" : "") + column_name(pos.col) + (absolute_row ? "$" : "") +
         number_text(pos.row);
}

std::vector<FormulaToken> tokenize_formula(const QString& s) {
  std::vector<FormulaToken> tokens;
  int i = 0;
  while (i < s.size()) {
    const QChar c = s[i];
    if (c.isSpace()) {
      ++i;
      continue;
    }
    FormulaToken t;
    t.start = i;
    t.length = 1;
    if (is_digit(c) || (c == '.' && i + 1 < s.size() && is_digit(s[i + 1]))) {
      int j = i;
      while (j < s.size() && is_digit(s[j])) ++j;
      if (j < s.size() && s[j] == '.') ++j;
      while (j < s.size() && is_digit(s[j])) ++j;
      if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        int k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < s.size() && is_digit(s[k])) {
          j = k;
          while (j < s.size() && is_digit(s[j])) ++j;
        }
      }
      t.type = FormulaToken::Type::Number;
      t.length = j - i;
      t.number = s.mid(i, j - i).toDouble();
    } else if (c == '"') {
      QString content;
      int j = i + 1;
      bool closed = false;
      while (j < s.size()) {
        if (s[j] == '"') {
          if (j + 1 < s.size() && s[j + 1] == '"') {
            content += '"';
            j += 2;
            continue;
          }
          closed = true;
          ++j;
          break;
        }
        content += s[j++];
      }
      t.type = closed ? FormulaToken::Type::Text : FormulaToken::Type::Bad;
      t.length = j - i;
      t.text = content;
      tokens.push_back(t);
      i = j;
      continue;
    } else if (c == '#') {
      int j = i + 1;
      while (j < s.size() && (is_letter(s[j]) || is_digit(s[j]) || s[j] == '/')) ++j;
      if (j < s.size() && (s[j] == '!' || s[j] == '?')) ++j;
      t.type = FormulaToken::Type::Error;
      t.length = j - i;
    } else if (c == '$' || is_letter(c) || c == '_') {
      if (!read_reference(s, i, t)) {
        int j = i;
        while (j < s.size() && (is_word_char(s[j]) || s[j] == '$')) ++j;
        t.type = FormulaToken::Type::Name;
        t.length = j - i;
      }
    } else if (c == '<' || c == '>') {
      t.type = FormulaToken::Type::Operator;
      if (i + 1 < s.size() && (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>'))) t.length = 2;
    } else if (QStringLiteral("+-*/^&=%").contains(c)) {
      t.type = FormulaToken::Type::Operator;
    } else if (c == '(') {
      t.type = FormulaToken::Type::Open;
    } else if (c == ')') {
      t.type = FormulaToken::Type::Close;
    } else if (c == ',' || c == ';' || c == QChar(0xFF0C)) {
      t.type = FormulaToken::Type::Separator;
    } else if (c == ':') {
      t.type = FormulaToken::Type::Colon;
    } else {
      t.type = FormulaToken::Type::Bad;
    }
    if (t.type != FormulaToken::Type::Text) t.text = s.mid(i, t.length);
    tokens.push_back(t);
    i += t.length;
  }
  FormulaToken end;
  end.type = FormulaToken::Type::End;
  end.start = s.size();
  tokens.push_back(end);
  return tokens;
}

}  // namespace vemo
