// Recursive-descent parser with spreadsheet operator precedence:
// comparison < & < + - < * / < ^ < unary minus < % < range.
#include "platform/formula_parser.h"

#include "platform/formula_tokens.h"
#include "platform/log.h"

namespace vemo {

namespace {

FormulaTree make(FormulaNode::Type type) {
  auto node = std::make_unique<FormulaNode>();
  node->type = type;
  return node;
}

FormulaTree error_node(const QString& code) {
  auto node = make(FormulaNode::Type::Error);
  node->text = code;
  return node;
}

class Parser {
 public:
  explicit Parser(const QString& body) : tokens_(tokenize_formula(body)) {}

  FormulaTree parse() {
    auto tree = comparison();
    if (failed_ || peek().type != FormulaToken::Type::End) return error_node("#VALUE!");
    return tree;
  }

 private:
  const FormulaToken& peek() const { return tokens_[at_]; }
  const FormulaToken& take() {
    const FormulaToken& t = tokens_[at_];
    if (t.type != FormulaToken::Type::End) ++at_;
    return t;
  }
  bool at_operator(const char* op) const {
    return peek().type == FormulaToken::Type::Operator && peek().text == QLatin1String(op);
  }
  FormulaTree fail() {
    failed_ = true;
    return error_node("#VALUE!");
  }

  FormulaTree binary(const QString& op, FormulaTree left, FormulaTree right) {
    auto node = make(FormulaNode::Type::Binary);
    node->text = op;
    node->children.push_back(std::move(left));
    node->children.push_back(std::move(right));
    return node;
  }

  // Left-associative chains can grow as deep as the text is long; count them as nesting too.
  template <typename Next>
  FormulaTree chain(std::initializer_list<const char*> ops, Next next) {
    auto left = (this->*next)();
    int links = 0;
    while (!failed_) {
      const char* found = nullptr;
      for (const char* op : ops)
        if (at_operator(op)) found = op;
      if (!found) break;
      take();
      if (++links + depth_ > kMaxFormulaDepth * 4) return fail();
      left = binary(QString::fromLatin1(found), std::move(left), (this->*next)());
    }
    return left;
  }

  FormulaTree comparison() {
    return chain({"=", "<>", "<", ">", "<=", ">="}, &Parser::concatenation);
  }
  FormulaTree concatenation() { return chain({"&"}, &Parser::additive); }
  FormulaTree additive() { return chain({"+", "-"}, &Parser::multiplicative); }
  FormulaTree multiplicative() { return chain({"*", "/"}, &Parser::power); }
  FormulaTree power() { return chain({"^"}, &Parser::unary); }

  FormulaTree unary() {
    if (++depth_ > kMaxFormulaDepth) return fail();
    FormulaTree result;
    if (at_operator("-")) {
      take();
      result = make(FormulaNode::Type::Negate);
      result->children.push_back(unary());
    } else if (at_operator("+")) {
      take();
      result = unary();
    } else {
      result = primary();
      while (!failed_ && at_operator("%")) {
        take();
        auto percent = make(FormulaNode::Type::Percent);
        percent->children.push_back(std::move(result));
        result = std::move(percent);
      }
    }
    --depth_;
    return result;
  }

  FormulaTree reference() {
    const FormulaToken& first = take();
    if (peek().type != FormulaToken::Type::Colon) {
      auto node = make(FormulaNode::Type::Cell);
      node->area = CellArea::of(first.pos);
      return node;
    }
    take();
    const FormulaToken& second = take();
    if (second.type == FormulaToken::Type::Error) return error_node(second.text.toUpper());
    if (second.type != FormulaToken::Type::Reference) return fail();
    auto node = make(FormulaNode::Type::Area);
    node->area = {std::min(first.pos.row, second.pos.row), std::min(first.pos.col, second.pos.col),
                  std::max(first.pos.row, second.pos.row), std::max(first.pos.col, second.pos.col)};
    return node;
  }

  FormulaTree call(const QString& name) {
    take();  // "("
    auto node = make(FormulaNode::Type::Call);
    node->text = name;
    if (peek().type == FormulaToken::Type::Close) {
      take();
      return node;
    }
    while (!failed_) {
      node->children.push_back(comparison());
      if (peek().type == FormulaToken::Type::Separator) {
        take();
        continue;
      }
      if (peek().type != FormulaToken::Type::Close) return fail();
      take();
      break;
    }
    return node;
  }

  FormulaTree primary() {
    const FormulaToken& t = peek();
    switch (t.type) {
      case FormulaToken::Type::Number: {
        take();
        auto node = make(FormulaNode::Type::Number);
        node->number = t.number;
        return node;
      }
      case FormulaToken::Type::Text: {
        take();
        auto node = make(FormulaNode::Type::Text);
        node->text = t.text;
        return node;
      }
      case FormulaToken::Type::Reference:
        return reference();
      case FormulaToken::Type::Error: {
        take();
        // A reference a copy pushed off the sheet reads "#REF!" and may stand in an area.
        if (peek().type == FormulaToken::Type::Colon) {
          take();
          const auto kind = take().type;
          if (kind != FormulaToken::Type::Reference && kind != FormulaToken::Type::Error)
            return fail();
        }
        return error_node(t.text.toUpper());
      }
      case FormulaToken::Type::Name: {
        const QString name = t.text.toUpper();
        take();
        if (peek().type == FormulaToken::Type::Open) return call(name);
        if (name == "TRUE" || name == "FALSE") {
          auto node = make(FormulaNode::Type::Bool);
          node->number = name == "TRUE" ? 1 : 0;
          return node;
        }
        return error_node("#NAME?");
      }
      case FormulaToken::Type::Open: {
        take();
        auto inner = comparison();
        if (peek().type != FormulaToken::Type::Close) return fail();
        take();
        return inner;
      }
      default:
        return fail();
    }
  }

  std::vector<FormulaToken> tokens_;
  std::size_t at_ = 0;
  int depth_ = 0;
  bool failed_ = false;
};

void collect_references(const FormulaNode& node, std::vector<CellArea>& out) {
  if (node.type == FormulaNode::Type::Cell || node.type == FormulaNode::Type::Area)
    out.push_back(node.area);
  for (const auto& child : node.children) collect_references(*child, out);
}

}  // namespace

FormulaTree parse_formula(const QString& formula) {
  const QString body = formula.startsWith('=') ? formula.mid(1) : formula;
  if (body.size() > kMaxFormulaLength) {
    log_skip("formula", "parse",
             QStringLiteral("longer than %1 characters").arg(kMaxFormulaLength));
    return error_node("#VALUE!");
  }
  return Parser(body).parse();
}

std::vector<CellArea> formula_references(const FormulaNode& tree) {
  std::vector<CellArea> out;
  collect_references(tree, out);
  return out;
}

}  // namespace vemo
