#include "symbols/expression.h"

#include <array>
#include <iterator>
#include <string_view>
#include <vector>

#include "core/assembler.h"
#include "core/observer.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "scan/char_class.h"
#include "scan/scanner.h"
#include "symbols/label_table.h"
#include "symbols/literals.h"

namespace zelas {

namespace {

struct Operator;

// A stack that keeps its first N entries inside itself and moves to the heap only beyond them,
// so the expressions of ordinary operands allocate nothing.
template <typename T, std::size_t N>
class SmallStack {
 public:
  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }
  T& back() { return at(size_ - 1); }
  T& operator[](std::size_t i) { return at(i); }
  void pop_back() { --size_; }
  void push_back(T v) {
    if (size_ < N) {
      inline_[size_] = v;
    } else {
      if (heap_.size() <= size_ - N) heap_.resize(size_ - N + 1);
      heap_[size_ - N] = v;
    }
    ++size_;
  }

 private:
  T& at(std::size_t i) { return i < N ? inline_[i] : heap_[i - N]; }
  std::array<T, N> inline_;  // entries at and above size_ are never read
  std::vector<T> heap_;
  std::size_t size_ = 0;
};

// Both stacks grow onto the heap with the expression, so no expression, however long or deeply
// parenthesised, can overflow them; nothing here recurses.
struct EvalStacks {
  SmallStack<const Operator*, 16> operators;
  SmallStack<Value, 16> values;
};

using OperatorAction = void (*)(Assembler&, EvalStacks&);

struct Operator {
  char symbol;
  int precedence;  // lower binds more tightly
  OperatorAction action;
};

// Pops the right, then the left operand and pushes op(left, right); with fewer than two values
// the stack stays as it is and message is reported.
template <Value (*op)(Value, Value), const char* message>
void binaryAction(Assembler& as, EvalStacks& s) {
  if (s.values.size() < 2) {
    reportWarning(as, message);
    return;
  }
  Value right = s.values.back();
  s.values.pop_back();
  Value left = s.values.back();
  s.values.back() = op(left, right);
}

template <Value (*op)(Value), const char* message>
void unaryAction(Assembler& as, EvalStacks& s) {
  if (s.values.empty()) {
    reportWarning(as, message);
    return;
  }
  s.values.back() = op(s.values.back());
}

void divideAction(Assembler& as, EvalStacks& s) {
  if (s.values.size() >= 2 && s.values.back() == 0) {
    reportWarning(as, msg::divideByZero, s.values[s.values.size() - 2], 0);
  }
  // wrapDiv gives 0 for a zero divisor and does not trap on the most negative value over -1.
  binaryAction<wrapDiv, msg::twoOperandsDiv>(as, s);
}

void closeGroupAction(Assembler& as, EvalStacks& s);
void openGroupAction(Assembler&, EvalStacks&) {}

constexpr Value complement(Value v) {
  return ~v;
}
constexpr Value bitAnd(Value a, Value b) {
  return a & b;
}
constexpr Value bitXor(Value a, Value b) {
  return a ^ b;
}
constexpr Value bitOr(Value a, Value b) {
  return a | b;
}

constexpr Operator kOperatorTable[] = {
    // symbol  precedence  action
    {')', 0, closeGroupAction},
    {'N', 1, unaryAction<wrapNeg, msg::noValueToNegate>},
    {'~', 1, unaryAction<complement, msg::noValueToComplement>},
    {'*', 2, binaryAction<wrapMul, msg::twoOperandsMul>},
    {'/', 2, divideAction},
    {'+', 3, binaryAction<wrapAdd, msg::twoOperandsAdd>},
    {'-', 3, binaryAction<wrapSub, msg::twoOperandsSub>},
    {'&', 4, binaryAction<bitAnd, msg::twoOperandsAnd>},
    {'^', 5, binaryAction<bitXor, msg::twoOperandsXor>},
    {'|', 6, binaryAction<bitOr, msg::twoOperandsOr>},
    {'(', 9, openGroupAction},
};
static_assert(std::size(kOperatorTable) == 11, "one row per operator, unary minus included");

constexpr char kUnaryMinus = 'N';

const Operator* operatorFor(char symbol) {
  for (const Operator& op : kOperatorTable) {
    if (op.symbol == symbol) return &op;
  }
  return nullptr;
}

void applyTop(Assembler& as, EvalStacks& s) {
  const Operator* op = s.operators.back();
  s.operators.pop_back();
  op->action(as, s);
}

// ")" applies everything back to its "(". A ")" is applied by the very next operator that
// arrives, so none ever lies below the top here; skipping one anyway keeps this loop flat.
void closeGroupAction(Assembler& as, EvalStacks& s) {
  while (!s.operators.empty() && s.operators.back()->symbol != '(') {
    const Operator* op = s.operators.back();
    s.operators.pop_back();
    if (op->symbol != ')') op->action(as, s);
  }
  if (s.operators.empty()) {
    reportWarning(as, msg::missingOpenParen);
    return;
  }
  s.operators.pop_back();
}

bool endsExpression(char c) {
  return c == '\0' || c == ',' || c == ']';
}

// A "-" is unary at the start and after any operator but ")"; previous is the first character
// of the token before it ('\0' for an empty token).
bool isUnaryPosition(bool hasPrevious, char previous) {
  if (!hasPrevious) return true;
  return previous != '\0' && isOperatorChar(previous) && previous != ')';
}

void pushOperator(Assembler& as, EvalStacks& s, const Operator* op) {
  if (op->symbol != '(') {
    while (!s.operators.empty() && s.operators.back()->precedence <= op->precedence) {
      applyTop(as, s);
    }
  }
  s.operators.push_back(op);
}

void discardRest(Assembler& as) {
  while (!endsExpression(*as.scanPos)) readToken(as, true);
}

// Outcome of reading one operand: a value to push, or the expression stops with 0.
enum class OperandResult { pushed, failed };

// token views the scanner's token buffer, which stays as it is until the next readToken; at is
// where the token stands in the line.
OperandResult labelOperand(Assembler& as, EvalStacks& s, Label& label, std::string_view token,
                           const char* at) {
  if (as.pass == 2) {
    ++label.uses;
    if (as.observer != nullptr) as.observer->labelUsed(writtenSpotAt(as, at, token), label);
    if (!label.resolved) {
      reportWarning(as, msg::labelUnresolved, token.data());
      return OperandResult::failed;
    }
    if (numberValue(token)) {
      reportMinorWarning(as, msg::labelRedefinedAsNumber, token.data(), toUnsigned(label.value));
    }
  }
  s.values.push_back(label.value);
  acceptChar(as, ':');
  return OperandResult::pushed;
}

// "$", a character constant, a label (looked up before numbers, so a label may be named like
// one) or a number, the token standing at at.
OperandResult pushOperand(Assembler& as, EvalStacks& s, std::string_view token, const char* at) {
  if (token == "$") {
    s.values.push_back(as.pc);
  } else if (token[0] == '\'') {
    s.values.push_back(characterValue(as, token));
  } else if (Label* label = findLabel(as, token)) {
    return labelOperand(as, s, *label, token, at);
  } else if (std::optional<Value> number = numberValue(token)) {
    s.values.push_back(*number);
  } else {
    reportWarning(as, msg::unresolvedOperand, token.data());
    discardRest(as);
    return OperandResult::failed;
  }
  return OperandResult::pushed;
}

}  // namespace

Value evaluateExpression(Assembler& as) {
  as.exprResolved = false;
  const char* start = as.scanPos;
  EvalStacks s;
  char previous = '\0';
  bool hasPrevious = false;
  while (!endsExpression(*as.scanPos)) {
    const char* at = as.scanPos;
    readToken(as, true);
    std::string_view token = as.lastToken();
    char first = token.empty() ? '\0' : token[0];
    if (!token.empty() && isOperatorChar(first)) {
      char symbol = first;
      if (symbol == '-' && isUnaryPosition(hasPrevious, previous)) symbol = kUnaryMinus;
      pushOperator(as, s, operatorFor(symbol));
    } else if (!token.empty() && pushOperand(as, s, token, at) == OperandResult::failed) {
      return 0;
    }
    previous = first;
    hasPrevious = true;
  }
  // From here on reports are about the expression as a whole (and so are the caller's range
  // checks of its value): they point at its start.
  if (as.scanPos != start) as.tokenStart = start;
  if (s.values.empty()) {
    reportWarning(as, msg::illegalExpression);
    return 0;
  }
  while (!s.operators.empty()) applyTop(as, s);
  Value result = s.values.back();
  s.values.pop_back();
  if (!s.values.empty()) reportWarning(as, msg::missingOperator);
  as.exprResolved = true;
  return result;
}

namespace {

// Steps over the tokens up to the end of the expression, as the evaluator reads them, and
// returns true; or leaves the cursor where it was and returns false when a ":" follows a token.
// The evaluator steps over the colon after a label operand (and after nothing else), which can't
// be told from other text without looking the token up.
bool stepOverOperand(Assembler& as) {
  char* start = as.scanPos;
  while (!endsExpression(*as.scanPos)) {
    readToken(as, true);
    if (*as.scanPos == ':') {
      as.scanPos = start;
      return false;
    }
  }
  return true;
}

}  // namespace

Value evaluateOperand(Assembler& as) {
  // The label lookups are most of an operand's cost, and in a large program most of them miss
  // the cache; pass 1 has no use for their answers.
  if (as.pass == 1 && stepOverOperand(as)) {
    as.exprResolved = false;
    return 0;
  }
  return evaluateExpression(as);
}

}  // namespace zelas
