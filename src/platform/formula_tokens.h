// Splits a formula text into tokens, keeping each token's place in the text.
#pragma once

#include "platform/cell_address.h"

#include <QString>

#include <vector>

namespace vemo {

struct FormulaToken {
  enum class Type {
    Number,
    Text,       // "..." with "" for a quote
    Reference,  // A1, $A$1, a$1
    Name,       // function names, TRUE, FALSE, anything else that reads as a word
    Error,      // #DIV/0!, #REF!, ...
    Operator,   // + - * / ^ & = <> < > <= >= %
    Open,
    Close,
    Separator,  // , or ;
    Colon,
    Bad,  // a character no formula may hold
    End,
  };
  Type type = Type::End;
  QString text;  // as written, except Text, which holds the unquoted content
  int start = 0;
  int length = 0;
  double number = 0;
  CellPos pos;
  bool absolute_row = false;
  bool absolute_col = false;
};

// Tokens of the text after the leading "=". Never fails: what it cannot read becomes Bad.
std::vector<FormulaToken> tokenize_formula(const QString& body);

// The text of a reference token for a (possibly moved) position.
QString reference_text(CellPos pos, bool absolute_row, bool absolute_col);

}  // namespace vemo
