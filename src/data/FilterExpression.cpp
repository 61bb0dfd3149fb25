#include "data/FilterExpression.h"

#include <cctype>
#include <vector>

#include "data/Record.h"
#include "data/Table.h"
#include "data/TableError.h"
#include "data/TextUtil.h"

namespace qv {

enum class CompareOp { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

struct FilterExpression::Node {
  enum class Kind { Literal, NullLiteral, Field, Not, And, Or, Compare };
  Kind kind = Kind::Literal;
  Value literal;
  int field = -1;
  CompareOp op = CompareOp::Equal;
  std::unique_ptr<Node> left;
  std::unique_ptr<Node> right;
};

namespace {

using Node = FilterExpression::Node;

enum class TokenKind { End, Name, Number, Text, Operator, Open, Close };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;
};

class Parser {
 public:
  Parser(const std::string& source, const Table& table) : source_(source), table_(table) {
    Tokenize();
  }

  std::unique_ptr<Node> ParseAll() {
    auto node = ParseOr();
    if (Peek().kind != TokenKind::End) Fail("unexpected '" + Peek().text + "'");
    return node;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw TableError("Invalid filter expression '" + source_ + "': " + why);
  }

  void Tokenize() {
    std::size_t i = 0;
    const std::string& s = source_;
    while (i < s.size()) {
      const char c = s[i];
      if (std::isspace(static_cast<unsigned char>(c))) {
        ++i;
      } else if (c == '(' || c == ')') {
        tokens_.push_back({c == '(' ? TokenKind::Open : TokenKind::Close, std::string(1, c)});
        ++i;
      } else if (c == '\'') {
        std::string text;
        ++i;
        bool closed = false;
        while (i < s.size()) {
          if (s[i] == '\'') {
            if (i + 1 < s.size() && s[i + 1] == '\'') {
              text += '\'';
              i += 2;
              continue;
            }
            ++i;
            closed = true;
            break;
          }
          text += s[i++];
        }
        if (!closed) Fail("unterminated text");
        tokens_.push_back({TokenKind::Text, std::move(text)});
      } else if (c == '[') {
        const std::size_t close = s.find(']', i);
        if (close == std::string::npos) Fail("missing ']'");
        tokens_.push_back({TokenKind::Name, s.substr(i + 1, close - i - 1)});
        i = close + 1;
      } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                 (c == '-' && i + 1 < s.size() &&
                  std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
        std::size_t j = i + 1;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
          ++j;
        tokens_.push_back({TokenKind::Number, s.substr(i, j - i)});
        i = j;
      } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
        std::size_t j = i + 1;
        while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_')) {
          ++j;
        }
        tokens_.push_back({TokenKind::Name, s.substr(i, j - i)});
        i = j;
      } else if (c == '=') {
        tokens_.push_back({TokenKind::Operator, "="});
        ++i;
      } else if (c == '<' || c == '>') {
        std::string op(1, c);
        if (i + 1 < s.size() && (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>'))) {
          op += s[i + 1];
        }
        tokens_.push_back({TokenKind::Operator, op});
        i += op.size();
      } else {
        Fail(std::string("unexpected character '") + c + "'");
      }
    }
  }

  const Token& Peek() const {
    static const Token end;
    return pos_ < tokens_.size() ? tokens_[pos_] : end;
  }
  Token Take() { return pos_ < tokens_.size() ? tokens_[pos_++] : Token{}; }
  bool PeekKeyword(std::string_view word) const {
    return Peek().kind == TokenKind::Name && EqualNoCase(Peek().text, word);
  }

  static std::unique_ptr<Node> Binary(Node::Kind kind, std::unique_ptr<Node> l,
                                      std::unique_ptr<Node> r) {
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->left = std::move(l);
    node->right = std::move(r);
    return node;
  }

  std::unique_ptr<Node> ParseOr() {
    auto node = ParseAnd();
    while (PeekKeyword("or")) {
      Take();
      node = Binary(Node::Kind::Or, std::move(node), ParseAnd());
    }
    return node;
  }

  std::unique_ptr<Node> ParseAnd() {
    auto node = ParseNot();
    while (PeekKeyword("and")) {
      Take();
      node = Binary(Node::Kind::And, std::move(node), ParseNot());
    }
    return node;
  }

  std::unique_ptr<Node> ParseNot() {
    if (PeekKeyword("not")) {
      Take();
      return Binary(Node::Kind::Not, ParseNot(), nullptr);
    }
    return ParseComparison();
  }

  std::unique_ptr<Node> ParseComparison() {
    auto left = ParseOperand();
    if (Peek().kind != TokenKind::Operator) return left;
    const std::string op = Take().text;
    auto right = ParseOperand();
    auto node = Binary(Node::Kind::Compare, std::move(left), std::move(right));
    if (op == "=")
      node->op = CompareOp::Equal;
    else if (op == "<>")
      node->op = CompareOp::NotEqual;
    else if (op == "<")
      node->op = CompareOp::Less;
    else if (op == ">")
      node->op = CompareOp::Greater;
    else if (op == "<=")
      node->op = CompareOp::LessEqual;
    else
      node->op = CompareOp::GreaterEqual;
    CoerceLiteral(*node->left, *node->right);
    CoerceLiteral(*node->right, *node->left);
    return node;
  }

  // A literal compared with a field takes the field's kind of value, so that
  // Type = '1' and Buyable = 1 mean what they say.
  void CoerceLiteral(Node& literal, const Node& other) const {
    if (literal.kind != Node::Kind::Literal || other.kind != Node::Kind::Field) return;
    switch (table_.Fields(other.field).ValueType()) {
      case FieldType::Integer:
      case FieldType::AutoInc:
        if (literal.literal.GetKind() == Value::Kind::String) {
          const auto parsed = ParseInt32(literal.literal.ToString());
          if (!parsed) Fail("'" + literal.literal.ToString() + "' is not a valid integer value");
          literal.literal = Value(*parsed);
        } else {
          literal.literal = Value(literal.literal.ToInteger());
        }
        break;
      case FieldType::Boolean:
        literal.literal = Value(literal.literal.ToBoolean());
        break;
      default:
        literal.literal = Value(literal.literal.ToString());
        break;
    }
  }

  std::unique_ptr<Node> ParseOperand() {
    const Token token = Take();
    auto node = std::make_unique<Node>();
    switch (token.kind) {
      case TokenKind::End:
        Fail("unexpected end");
      case TokenKind::Open: {
        auto inner = ParseOr();
        if (Take().kind != TokenKind::Close) Fail("missing ')'");
        return inner;
      }
      case TokenKind::Close:
      case TokenKind::Operator:
        Fail("unexpected '" + token.text + "'");
      case TokenKind::Number: {
        const auto parsed = ParseInt32(token.text);
        if (!parsed) Fail("number out of range: " + token.text);
        node->literal = Value(*parsed);
        return node;
      }
      case TokenKind::Text:
        node->literal = Value(token.text);
        return node;
      case TokenKind::Name:
        break;
    }
    if (EqualNoCase(token.text, "true") || EqualNoCase(token.text, "false")) {
      node->literal = Value(EqualNoCase(token.text, "true"));
      return node;
    }
    if (EqualNoCase(token.text, "null")) {
      node->kind = Node::Kind::NullLiteral;
      return node;
    }
    if (EqualNoCase(token.text, "and") || EqualNoCase(token.text, "or") ||
        EqualNoCase(token.text, "not")) {
      Fail("unexpected '" + token.text + "'");
    }
    const Field* field = table_.FindField(token.text);
    if (!field) throw TableError("Field '" + token.text + "' not found");
    node->kind = Node::Kind::Field;
    node->field = field->Index();
    return node;
  }

  std::string source_;
  const Table& table_;
  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
};

Value Evaluate(const Node& node, const Record& record);

bool Compare(const Node& node, const Record& record) {
  const bool leftNull = node.left->kind == Node::Kind::NullLiteral;
  const bool rightNull = node.right->kind == Node::Kind::NullLiteral;
  if (leftNull || rightNull) {
    // "X = null" asks whether X is empty.
    const bool isNull = (leftNull ? Value() : Evaluate(*node.left, record)).IsNull() &&
                        (rightNull ? Value() : Evaluate(*node.right, record)).IsNull();
    if (node.op == CompareOp::Equal) return isNull;
    if (node.op == CompareOp::NotEqual) return !isNull;
    return false;
  }
  const int c = CompareValues(Evaluate(*node.left, record), Evaluate(*node.right, record));
  switch (node.op) {
    case CompareOp::Equal:
      return c == 0;
    case CompareOp::NotEqual:
      return c != 0;
    case CompareOp::Less:
      return c < 0;
    case CompareOp::Greater:
      return c > 0;
    case CompareOp::LessEqual:
      return c <= 0;
    case CompareOp::GreaterEqual:
      return c >= 0;
  }
  return false;
}

Value Evaluate(const Node& node, const Record& record) {
  switch (node.kind) {
    case Node::Kind::Literal:
      return node.literal;
    case Node::Kind::NullLiteral:
      return Value();
    case Node::Kind::Field:
      return record.Get(node.field);
    case Node::Kind::Not:
      return Value(!Evaluate(*node.left, record).ToBoolean());
    case Node::Kind::And:
      return Value(Evaluate(*node.left, record).ToBoolean() &&
                   Evaluate(*node.right, record).ToBoolean());
    case Node::Kind::Or:
      return Value(Evaluate(*node.left, record).ToBoolean() ||
                   Evaluate(*node.right, record).ToBoolean());
    case Node::Kind::Compare:
      return Value(Compare(node, record));
  }
  return Value();
}

}  // namespace

FilterExpression::FilterExpression() = default;
FilterExpression::~FilterExpression() = default;
FilterExpression::FilterExpression(FilterExpression&&) noexcept = default;
FilterExpression& FilterExpression::operator=(FilterExpression&&) noexcept = default;

FilterExpression FilterExpression::Compile(const std::string& text, const Table& table) {
  FilterExpression expression;
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) return expression;
  expression.root_ = Parser(text, table).ParseAll();
  return expression;
}

bool FilterExpression::Matches(const Record& record) const {
  return !root_ || Evaluate(*root_, record).ToBoolean();
}

}  // namespace qv
