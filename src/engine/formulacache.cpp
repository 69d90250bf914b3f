#include "engine/formulacache.h"

#include <cmath>

#include "engine/numbers.h"
#include "source/scanner.h"
#include "source/sjis.h"

namespace yura {
namespace {

// Longer texts are rarely formulas run again and again.
constexpr std::size_t kMaxFormulaLength = 256;
constexpr std::size_t kMaxPrograms = 4096;
constexpr std::size_t kMaxStackDepth = 64;
constexpr std::size_t kMaxNesting = 32;
// A program that keeps stepping aside costs more than it saves.
constexpr unsigned kMaxStepAsides = 64;

enum class TOp : std::uint8_t {
  kNumber,
  kVariable,
  kNegate,
  kGroup,
  kMultiply,
  kDivide,
  kRemainder,
  kPower,
  kAdd,
  kSubtract,
  kEqual,
  kNotEqual,
  kLess,
  kGreater,
  kAtLeast,
  kAtMost,
  kAnd,
  kOr,
  // Only while compiling: the end of the text, a closing parenthesis.
  kEnd,
  kClose,
};

struct TStep {
  TOp Op;
  std::uint32_t Slot = 0;
  TNumber Number = 0;
};

// A value on the program's stack, with what the calculator would know of
// its text.
struct TValue {
  TNumber Number;
  bool IsNumber;   // read as a number, not as text
  bool Plain;      // its text is a plain decimal, which reads back as itself
  bool Negatable;  // negating its text negates the number
};

bool IsComparison(TOp op) { return op >= TOp::kEqual && op <= TOp::kAtMost; }
bool IsProduct(TOp op) { return op >= TOp::kMultiply && op <= TOp::kPower; }

// The operator the calculator reads at the cursor, or nothing when it is no
// operator this program knows (a lone "&" joins texts).
std::optional<TOp> OperatorOf(std::string_view text) {
  static const std::pair<std::string_view, TOp> kOperators[] = {
      {"*", TOp::kMultiply}, {"/", TOp::kDivide},    {"%", TOp::kRemainder}, {"^", TOp::kPower},
      {"+", TOp::kAdd},      {"-", TOp::kSubtract},  {"=", TOp::kEqual},     {"==", TOp::kEqual},
      {"<>", TOp::kNotEqual}, {"><", TOp::kNotEqual}, {"<", TOp::kLess},      {">", TOp::kGreater},
      {">=", TOp::kAtLeast}, {"=>", TOp::kAtLeast},  {"<=", TOp::kAtMost},   {"=<", TOp::kAtMost},
      {"&&", TOp::kAnd},     {"||", TOp::kOr},
  };
  for (const auto& [name, op] : kOperators)
    if (name == text) return op;
  return std::nullopt;
}


// A cheap first look: an operator, and no text literal or line end.
bool LooksLikeFormula(std::string_view text) {
  bool operators = false;
  for (const char c : text) {
    if (c == '"' || c == '`' || c == '\r' || c == '\n') return false;
    operators = operators || kOperatorChars.Has(static_cast<unsigned char>(c));
  }
  return operators;
}

}  // namespace

class TFormulaProgram {
 public:
  static std::unique_ptr<TFormulaProgram> Compile(std::string_view text);

  std::optional<TNumber> Run(const THash& words, bool asArgument);
  bool Retired() const { return stepAsides_ >= kMaxStepAsides; }

 private:
  friend class TFormulaCompiler;

  std::optional<TNumber> StepAside() {
    ++stepAsides_;
    return std::nullopt;
  }

  std::vector<TStep> steps_;
  std::vector<std::string> names_;
  std::vector<const THashNode*> nodes_;
  const THash* resolvedIn_ = nullptr;
  std::uint64_t generation_ = 0;
  // The steps of the formula's first term, which an argument value reads
  // on its own first.
  std::size_t firstTermEnd_ = 0;
  bool argumentSafe_ = true;
  unsigned stepAsides_ = 0;
};

// Recursive descent over the calculator's levels: && || < comparisons < + - <
// * / % ^ < negation and terms. Anything the calculator would read in another
// way (texts, joins, calls, members, elements, line ends) makes the text no
// plain formula.
class TFormulaCompiler {
 public:
  TFormulaCompiler(std::string_view text, TFormulaProgram& program)
      : text_(text), cursor_(TText(TText(), &text_), 0), program_(program) {}

  bool Compile() {
    SkipBlanks(cursor_);
    program_.argumentSafe_ = cursor_.Peek() != '+';
    if (!Logical() || pending_ != TOp::kEnd) return false;
    return program_.firstTermEnd_ > 0;
  }

 private:
  void Emit(TOp op, std::uint32_t slot = 0, TNumber number = 0) {
    program_.steps_.push_back({op, slot, number});
    if (op == TOp::kNumber || op == TOp::kVariable)
      ++depth_;
    else if (op != TOp::kNegate && op != TOp::kGroup)
      --depth_;
    if (depth_ > maxDepth_) maxDepth_ = depth_;
  }

  // Reads what follows an operand: an operator, the end, or ")" in a group.
  bool ReadOperator() {
    SkipBlanks(cursor_);
    const unsigned char c = cursor_.Peek();
    if (c == 0) {
      pending_ = TOp::kEnd;
      return true;
    }
    if (c == ')') {
      if (nesting_ == 0) return false;
      pending_ = TOp::kClose;
      return true;
    }
    if (!kOperatorChars.Has(c)) return false;
    std::size_t length = 1;
    if (kPairingOperatorChars.Has(c) && kPairingOperatorChars.Has(cursor_.Peek(1))) length = 2;
    const auto op = OperatorOf(std::string_view(cursor_.Ptr(), length));
    if (!op) return false;
    cursor_.Pos += length;
    pending_ = *op;
    return true;
  }

  bool NumberLiteral() {
    const std::string digits = ReadNumber(cursor_);
    Emit(TOp::kNumber, 0, ToNumber(digits));
    return true;
  }

  // One term as the calculator reads it: a number, a group, a negated term or
  // a variable.
  bool Term() {
    SkipBlanks(cursor_);
    const unsigned char c = cursor_.Peek();
    if (c == '$' || IsDigit(c)) return NumberLiteral();
    if (c == '-') {
      ++cursor_.Pos;
      if (!Term()) return false;
      Emit(TOp::kNegate);
      return true;
    }
    if (c == '(') {
      if (++nesting_ > kMaxNesting) return false;
      ++cursor_.Pos;
      if (!Logical() || pending_ != TOp::kClose) return false;
      ++cursor_.Pos;
      --nesting_;
      Emit(TOp::kGroup);
      return true;
    }
    const std::string_view word = ReadWord(cursor_);
    if (word.empty() || EndsWithChars(word, "の") || cursor_.Peek() == '(' || cursor_.Peek() == '#') return false;
    std::uint32_t slot = 0;
    while (slot < program_.names_.size() && program_.names_[slot] != word) ++slot;
    if (slot == program_.names_.size()) program_.names_.emplace_back(word);
    Emit(TOp::kVariable, slot);
    return true;
  }

  // A term in operand position: "-" negates the term after it, "+" may lead
  // a number.
  bool Operand() {
    SkipBlanks(cursor_);
    const unsigned char c = cursor_.Peek();
    bool read = false;
    if (c == '-') {
      ++cursor_.Pos;
      read = Term();
      if (read) Emit(TOp::kNegate);
    } else if (c == '+') {
      ++cursor_.Pos;
      read = (cursor_.Peek() == '$' || IsDigit(cursor_.Peek())) && NumberLiteral();
    } else {
      read = Term();
    }
    if (!read || !ReadOperator()) return false;
    if (nesting_ == 0 && program_.firstTermEnd_ == 0) {
      // The first term must be followed by an operator: a text of one term
      // is read as that term's own text.
      if (pending_ == TOp::kEnd) return false;
      program_.firstTermEnd_ = program_.steps_.size();
    }
    return true;
  }

  template <typename TIsLevel, typename TNext>
  bool Level(TIsLevel isLevel, TNext next) {
    if (!(this->*next)()) return false;
    while (isLevel(pending_)) {
      const TOp op = pending_;
      if (!(this->*next)()) return false;
      Emit(op);
    }
    return maxDepth_ <= kMaxStackDepth;
  }

  bool Product() { return Level(IsProduct, &TFormulaCompiler::Operand); }
  bool Sum() {
    return Level([](TOp op) { return op == TOp::kAdd || op == TOp::kSubtract; }, &TFormulaCompiler::Product);
  }
  bool Comparison() { return Level(IsComparison, &TFormulaCompiler::Sum); }
  bool Logical() {
    return Level([](TOp op) { return op == TOp::kAnd || op == TOp::kOr; }, &TFormulaCompiler::Comparison);
  }

  const std::string text_;
  TCursor cursor_;
  TFormulaProgram& program_;
  TOp pending_ = TOp::kEnd;
  std::size_t nesting_ = 0;
  std::size_t depth_ = 0;
  std::size_t maxDepth_ = 0;
};

std::unique_ptr<TFormulaProgram> TFormulaProgram::Compile(std::string_view text) {
  auto program = std::make_unique<TFormulaProgram>();
  TFormulaCompiler compiler(text, *program);
  if (!compiler.Compile()) return nullptr;
  program->nodes_.resize(program->names_.size());
  return program;
}

std::optional<TNumber> TFormulaProgram::Run(const THash& words, bool asArgument) {
  if (asArgument && !argumentSafe_) return StepAside();
  if (resolvedIn_ != &words || generation_ != words.Generation()) {
    for (std::size_t i = 0; i < names_.size(); ++i) nodes_[i] = words.FindNode(names_[i], false);
    resolvedIn_ = &words;
    generation_ = words.Generation();
  }
  TValue stack[kMaxStackDepth];
  std::size_t top = 0;
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    const TStep& step = steps_[i];
    switch (step.Op) {
      case TOp::kNumber:
        stack[top++] = {step.Number, true, true, true};
        break;
      case TOp::kVariable: {
        const THashNode* node = nodes_[step.Slot];
        if (node == nullptr || node->Kind != nkVariable) return StepAside();
        const THashNode::TNumberReading& reading = NumberReadingOf(*node);
        stack[top++] = {reading.Number, node->Description == kTagNumber, reading.Plain, reading.Plain};
        break;
      }
      case TOp::kNegate: {
        TValue& value = stack[top - 1];
        if (!value.Negatable) return StepAside();
        value = {-value.Number, true, value.Plain, true};
        break;
      }
      case TOp::kGroup: {
        TValue& value = stack[top - 1];
        if (value.IsNumber) {
          bool plain = false;
          const TNumber number = ReadBackNumber(value.Number, plain);
          value = {number, true, plain, true};
        }
        break;
      }
      default: {
        const TValue right = stack[--top];
        TValue& left = stack[top - 1];
        const TNumber a = left.Number, b = right.Number;
        TNumber result = 0;
        switch (step.Op) {
          case TOp::kMultiply:
            result = a * b;
            break;
          case TOp::kDivide:
            result = b == 0 ? 0 : a / b;
            break;
          case TOp::kRemainder: {
            if (b == 0) break;
            const auto dividend = TruncateToInt64(a), divisor = TruncateToInt64(b);
            // The calculator raises its range error itself.
            if (!dividend || !divisor || *divisor == 0) return StepAside();
            if (*divisor != -1) result = static_cast<TNumber>(*dividend % *divisor);
            break;
          }
          case TOp::kPower:
            result = b == 0 ? 1 : std::pow(a, b);
            break;
          case TOp::kAdd:
            result = a + b;
            break;
          case TOp::kSubtract:
            result = a - b;
            break;
          case TOp::kAnd:
            result = (a > 0 && b > 0) ? 1 : 0;
            break;
          case TOp::kOr:
            result = (a > 0 || b > 0) ? 1 : 0;
            break;
          default: {
            // A comparison with a text on its right compares texts.
            if (!right.IsNumber) return StepAside();
            const int order = a < b ? -1 : (a > b ? 1 : 0);
            bool holds = false;
            switch (step.Op) {
              case TOp::kEqual:
                holds = order == 0;
                break;
              case TOp::kNotEqual:
                holds = order != 0;
                break;
              case TOp::kLess:
                holds = order < 0;
                break;
              case TOp::kGreater:
                holds = order > 0;
                break;
              case TOp::kAtLeast:
                holds = order >= 0;
                break;
              default:
                holds = order <= 0;
                break;
            }
            result = holds ? 1 : 0;
            break;
          }
        }
        left = {result, true, true, true};
        break;
      }
    }
    // An argument's first term is read on its own and written back into the
    // formula: it must read back as the same number.
    if (asArgument && i + 1 == firstTermEnd_ && !stack[0].Plain) return StepAside();
  }
  return stack[0].Number;
}

TFormulaCache::TFormulaCache(const THash& words) : words_(words), enabled_(CachesEnabledByEnvironment()) {}

TFormulaCache::~TFormulaCache() = default;

const std::shared_ptr<TFormulaProgram>* TFormulaCache::Entry(std::string_view text) {
  if (!enabled_ || text.size() > kMaxFormulaLength || !LooksLikeFormula(text)) return nullptr;
  if (const auto found = programs_.find(text); found != programs_.end()) return &found->second;
  // Formulas still in use are compiled again soon.
  if (programs_.size() >= kMaxPrograms) programs_.clear();
  return &programs_.emplace(std::string(text), TFormulaProgram::Compile(text)).first->second;
}

std::shared_ptr<TFormulaProgram> TFormulaCache::ProgramFor(std::string_view text) {
  const std::shared_ptr<TFormulaProgram>* entry = Entry(text);
  return entry != nullptr ? *entry : nullptr;
}

std::optional<TNumber> TFormulaCache::Run(TFormulaProgram& program, bool asArgument) {
  if (!enabled_ || program.Retired()) return std::nullopt;
  return program.Run(words_, asArgument);
}

std::optional<TNumber> TFormulaCache::Evaluate(std::string_view text, bool asArgument) {
  const std::shared_ptr<TFormulaProgram>* entry = Entry(text);
  if (entry == nullptr || !*entry) return std::nullopt;
  return Run(**entry, asArgument);
}

}  // namespace yura
