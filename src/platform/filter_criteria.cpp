// Criteria parser (recursive descent: or over and over comparisons), matcher and SQL form.
#include "platform/filter_criteria.h"

#include "platform/dates.h"
#include "platform/field_value.h"
#include "platform/number_text.h"
#include "platform/sqlite_handle.h"

namespace vemo {

struct FilterCriteria::Node {
  enum class Kind { And, Or, Compare, Like };
  Kind kind = Kind::Compare;
  std::unique_ptr<Node> left, right;
  int field = -1;
  QString op;                    // = <> < > <= >=
  QString text;                  // literal as text (numbers through number_text)
  std::optional<double> number;  // literal as a number, when it reads as one
  bool number_literal = false;   // written as a bare number
};

namespace {

using Node = FilterCriteria::Node;

enum class Tok { End, LParen, RParen, Op, String, Number, Ident, And, Or, Like };

struct Token {
  Tok kind = Tok::End;
  QString text;
};

bool is_ident_char(QChar c) { return c.isLetterOrNumber() || c == '_' || c.unicode() > 127; }

// Splits the criteria text; false with *error on an unclosed literal or a stray character.
bool tokenize(const QString& s, std::vector<Token>* out, QString* error) {
  int i = 0;
  const int n = int(s.size());
  while (i < n) {
    const QChar c = s[i];
    if (c.isSpace()) {
      ++i;
    } else if (c == '(' || c == ')') {
      out->push_back({c == '(' ? Tok::LParen : Tok::RParen, QString(c)});
      ++i;
    } else if (c == '\'') {
      QString value;
      ++i;
      bool closed = false;
      while (i < n) {
        if (s[i] == '\'') {
          if (i + 1 < n && s[i + 1] == '\'') {
            value += '\'';
            i += 2;
            continue;
          }
          closed = true;
          ++i;
          break;
        }
        value += s[i++];
      }
      if (!closed) {
        *error = QStringLiteral("unclosed quoted value");
        return false;
      }
      out->push_back({Tok::String, value});
    } else if (c == '#') {
      const int end = s.indexOf('#', i + 1);
      const auto iso = end < 0 ? std::nullopt : iso_date_text(s.mid(i + 1, end - i - 1));
      if (!iso) {
        *error = QStringLiteral("bad # date literal");
        return false;
      }
      out->push_back({Tok::String, *iso});
      i = end + 1;
    } else if (c == '[') {
      const int end = s.indexOf(']', i + 1);
      if (end < 0) {
        *error = QStringLiteral("unclosed [ name");
        return false;
      }
      out->push_back({Tok::Ident, s.mid(i + 1, end - i - 1)});
      i = end + 1;
    } else if (c == '<' || c == '>' || c == '=') {
      QString op(c);
      if (i + 1 < n &&
          ((c == '<' && (s[i + 1] == '>' || s[i + 1] == '=')) || (c == '>' && s[i + 1] == '='))) {
        op += s[i + 1];
      }
      out->push_back({Tok::Op, op});
      i += int(op.size());
    } else if (c.isDigit() || ((c == '-' || c == '+' || c == '.') && i + 1 < n &&
                               (s[i + 1].isDigit() || s[i + 1] == '.'))) {
      int j = i + 1;
      while (j < n && (s[j].isDigit() || s[j] == '.')) ++j;
      out->push_back({Tok::Number, s.mid(i, j - i)});
      i = j;
    } else if (is_ident_char(c)) {
      int j = i;
      while (j < n && is_ident_char(s[j])) ++j;
      const QString word = s.mid(i, j - i);
      const QString lower = word.toLower();
      Tok kind = Tok::Ident;
      if (lower == QLatin1String("and")) kind = Tok::And;
      if (lower == QLatin1String("or")) kind = Tok::Or;
      if (lower == QLatin1String("like")) kind = Tok::Like;
      out->push_back({kind, word});
      i = j;
    } else {
      *error = QStringLiteral("unexpected character ") + c;
      return false;
    }
  }
  out->push_back({Tok::End, QString()});
  return true;
}

class Parser {
 public:
  Parser(const std::vector<Token>& tokens, const std::vector<FieldInfo>& fields)
      : tokens_(tokens), fields_(fields) {}

  std::unique_ptr<Node> parse_all(QString* error) {
    std::unique_ptr<Node> root = parse_or();
    if (root && peek().kind != Tok::End) fail("unexpected " + peek().text);
    if (!error_.isEmpty()) {
      *error = error_;
      return nullptr;
    }
    return root;
  }

 private:
  const Token& peek() const { return tokens_[pos_]; }
  const Token& take() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }
  std::unique_ptr<Node> fail(const QString& why) {
    if (error_.isEmpty()) error_ = why;
    return nullptr;
  }

  std::unique_ptr<Node> join(Node::Kind kind, std::unique_ptr<Node> left,
                             std::unique_ptr<Node> right) {
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  std::unique_ptr<Node> parse_or() {
    std::unique_ptr<Node> left = parse_and();
    while (left && peek().kind == Tok::Or) {
      take();
      std::unique_ptr<Node> right = parse_and();
      if (!right) return nullptr;
      left = join(Node::Kind::Or, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<Node> parse_and() {
    std::unique_ptr<Node> left = parse_primary();
    while (left && peek().kind == Tok::And) {
      take();
      std::unique_ptr<Node> right = parse_primary();
      if (!right) return nullptr;
      left = join(Node::Kind::And, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<Node> parse_primary() {
    if (peek().kind == Tok::LParen) {
      take();
      std::unique_ptr<Node> inner = parse_or();
      if (!inner) return nullptr;
      if (take().kind != Tok::RParen) return fail(QStringLiteral("missing )"));
      return inner;
    }
    return parse_comparison();
  }

  std::unique_ptr<Node> parse_comparison() {
    const Token name = take();
    if (name.kind != Tok::Ident) return fail("expected a column name, found " + name.text);
    auto node = std::make_unique<Node>();
    for (int i = 0; i < int(fields_.size()); ++i) {
      if (fields_[i].name.compare(name.text, Qt::CaseInsensitive) == 0) {
        node->field = i;
        break;
      }
    }
    if (node->field < 0) return fail("no such column: " + name.text);
    const Token op = take();
    if (op.kind == Tok::Like) {
      node->kind = Node::Kind::Like;
    } else if (op.kind == Tok::Op) {
      node->op = op.text;
    } else {
      return fail("expected an operator after " + name.text);
    }
    const Token value = take();
    if (value.kind == Tok::String) {
      node->text = value.text;
      if (fields_[node->field].type == FieldType::Date) {
        if (const auto iso = iso_date_text(value.text)) node->text = *iso;
      }
      node->number = parse_number_text(node->text);
    } else if (value.kind == Tok::Number && node->kind == Node::Kind::Compare) {
      node->number = parse_number_text(value.text);
      if (!node->number) return fail("bad number " + value.text);
      node->text = number_text(*node->number);
      node->number_literal = true;
    } else {
      return fail("expected a value after " + name.text + ' ' + op.text);
    }
    return node;
  }

  const std::vector<Token>& tokens_;
  const std::vector<FieldInfo>& fields_;
  size_t pos_ = 0;
  QString error_;
};

bool is_password_column(const FieldInfo& field) {
  return field.name.compare(QLatin1String("mm"), Qt::CaseInsensitive) == 0;
}

// ASCII-only folding, as SQLite's NOCASE, so that in-memory and pushed-down filters agree.
QString fold(const QString& text) {
  QString out = text;
  for (QChar& c : out) {
    if (c >= 'A' && c <= 'Z') c = QChar(c.unicode() + 32);
  }
  return out;
}

bool has_ascii_letter(const QString& text) {
  for (const QChar c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  }
  return false;
}

bool compare_result(const QString& op, int order) {
  if (op == QLatin1String("=")) return order == 0;
  if (op == QLatin1String("<>")) return order != 0;
  if (op == QLatin1String("<")) return order < 0;
  if (op == QLatin1String(">")) return order > 0;
  if (op == QLatin1String("<=")) return order <= 0;
  return order >= 0;
}

// "*" and "%" match any run of characters; everything else matches itself.
bool like_match(const QString& value, const QString& pattern) {
  int v = 0, p = 0, star_p = -1, star_v = 0;
  while (v < value.size()) {
    if (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '%')) {
      star_p = p++;
      star_v = v;
    } else if (p < pattern.size() && pattern[p] == value[v]) {
      ++p;
      ++v;
    } else if (star_p >= 0) {
      p = star_p + 1;
      v = ++star_v;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '%')) ++p;
  return p == pattern.size();
}

bool node_matches(const Node& node, const QVariantList& values,
                  const std::vector<FieldInfo>& fields) {
  switch (node.kind) {
    case Node::Kind::And:
      return node_matches(*node.left, values, fields) && node_matches(*node.right, values, fields);
    case Node::Kind::Or:
      return node_matches(*node.left, values, fields) || node_matches(*node.right, values, fields);
    case Node::Kind::Compare:
    case Node::Kind::Like:
      break;
  }
  const QVariant value = node.field < values.size() ? values[node.field] : QVariant();
  if (value.isNull()) return false;
  const bool exact = is_password_column(fields[node.field]);
  QString text = value_text(value);
  QString literal = node.text;
  if (!exact) {
    text = fold(text);
    literal = fold(literal);
  }
  if (node.kind == Node::Kind::Like) return like_match(text, literal);
  if (is_number_value(value) && node.number) {
    const double a = value.toDouble();
    return compare_result(node.op, a < *node.number ? -1 : (a > *node.number ? 1 : 0));
  }
  return compare_result(node.op, text.compare(literal));
}

QString like_pattern_sql(const QString& pattern) {
  QString out;
  for (const QChar c : pattern) {
    if (c == '*' || c == '%') {
      out += '%';
    } else if (c == '_' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out;
}

bool node_sql(const Node& node, const std::vector<FieldInfo>& fields, QString* sql,
              QVariantList* parameters) {
  if (node.kind == Node::Kind::And || node.kind == Node::Kind::Or) {
    QString left, right;
    if (!node_sql(*node.left, fields, &left, parameters) ||
        !node_sql(*node.right, fields, &right, parameters)) {
      return false;
    }
    *sql = '(' + left + (node.kind == Node::Kind::And ? ") AND (" : ") OR (") + right + ')';
    return true;
  }
  const FieldInfo& field = fields[node.field];
  if (field.origin.isEmpty()) return false;
  const QString column = quote_identifier(field.origin);
  const bool exact = is_password_column(field);
  if (node.kind == Node::Kind::Like) {
    if (field.type != FieldType::Text || exact) return false;
    *sql = column + QStringLiteral(" LIKE ? ESCAPE '\\'");
    parameters->append(like_pattern_sql(node.text));
    return true;
  }
  switch (field.type) {
    case FieldType::Text: {
      // Equality of a literal without letters is the same under NOCASE and BINARY; leaving
      // the collation out lets an index of either collation serve it.
      const bool plain = (node.op == QLatin1String("=") || node.op == QLatin1String("<>")) &&
                         !has_ascii_letter(node.text);
      const char* collate = exact ? " COLLATE BINARY" : (plain ? "" : " COLLATE NOCASE");
      *sql = column + ' ' + node.op + QStringLiteral(" ?") + QLatin1String(collate);
      parameters->append(node.text);
      return true;
    }
    case FieldType::Integer:
    case FieldType::Real:
      if (!node.number) return false;
      *sql = column + ' ' + node.op + QStringLiteral(" ?");
      parameters->append(*node.number);
      return true;
    case FieldType::Date:
      if (node.number_literal) return false;
      *sql = column + ' ' + node.op + QStringLiteral(" ?");
      parameters->append(node.text);
      return true;
    case FieldType::Empty:
      break;
  }
  return false;
}

}  // namespace

FilterCriteria::FilterCriteria(std::unique_ptr<Node> root, std::vector<FieldInfo> fields)
    : root_(std::move(root)), fields_(std::move(fields)) {}
FilterCriteria::FilterCriteria(FilterCriteria&&) noexcept = default;
FilterCriteria& FilterCriteria::operator=(FilterCriteria&&) noexcept = default;
FilterCriteria::~FilterCriteria() = default;

std::optional<FilterCriteria> FilterCriteria::parse(const QString& text,
                                                    const std::vector<FieldInfo>& fields,
                                                    QString* error) {
  std::vector<Token> tokens;
  if (!tokenize(text, &tokens, error)) return std::nullopt;
  Parser parser(tokens, fields);
  std::unique_ptr<Node> root = parser.parse_all(error);
  if (!root) return std::nullopt;
  return FilterCriteria(std::move(root), fields);
}

bool FilterCriteria::matches(const QVariantList& values) const {
  return node_matches(*root_, values, fields_);
}

bool FilterCriteria::to_sql(QString* where, QVariantList* parameters) const {
  where->clear();
  parameters->clear();
  return node_sql(*root_, fields_, where, parameters);
}

}  // namespace vemo
