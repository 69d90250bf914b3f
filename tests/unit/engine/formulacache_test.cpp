// Compiled formulas must give what the calculator gives: the same text, the
// same type and the same error, for every kind of value a variable can hold.
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace yura {
namespace {

struct TOutcome {
  std::string Value;
  std::string Type;
  std::string Error;
  bool operator==(const TOutcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TOutcome& outcome) {
  return out << "[" << outcome.Value << "|" << outcome.Type << "|" << outcome.Error << "]";
}

class FormulaCacheTest : public ::testing::Test {
 protected:
  FormulaCacheTest() {
    // name, value, type
    const char* variables[][3] = {
        {"A", "12", "e"},  {"B", "-5", "e"},    {"C", "0.5", "e"},  {"D", "7", "s"},     {"E", "abc", "s"},
        {"F", " 5", "e"},  {"G", "1E20", "e"},  {"Z", "0", "e"},    {"H", "3.50", "e"},  {"K", "12円", "s"},
        {"L", "007", "e"}, {"M", "+4", "e"},    {"N", "", "e"},     {"P", "1.5e3", "s"}, {"Q", "9", ""},
    };
    for (const auto& [name, value, type] : variables) {
      auto node = THashNode::MakeVariable(name, value, 0, false);
      node->Description = type;
      f.state.Words.Add(std::move(node));
    }
  }

  // One evaluation, as an argument value or as a formula.
  TOutcome Evaluate(const std::string& text, bool asArgument) {
    TOutcome outcome;
    outcome.Error = f.ErrorOf([&] {
      outcome.Value = asArgument ? f.engine.EvalValue(text) : f.engine.Calc().CalculateText(text);
    });
    outcome.Type = f.state.LastType;
    return outcome;
  }

  TEngineFixture f;
};

TEST_F(FormulaCacheTest, CompiledFormulasAgreeWithTheCalculator) {
  const char* formulas[] = {
      "A+B", "A*B-C", "(A+B)*2", "A/Z", "A%Z", "A%5", "B%3", "-A+1", "--A*2", "- -A", "A^2", "A^Z", "2^0.5",
      "(1/3)*3", "1/3", "A<B", "A>=12", "A=12", "A==12.0", "D=7", "A=D", "D<A", "A<>E", "E+1", "K+1", "F+1",
      "-F+1", "1+F", "F*2", "G+1", "(G)+1", "-G+1", "(G*1)+1", "G*1+1", "H+0", "H*1", "(H)&1", "L+1", "L*1",
      "M+1", "-M", "N+1", "-N+1", "P+1", "Q+1", "A=Q", "A&&B", "Z||A", "A&&Z||B", "A+", "+5+A", "+A+1",
      "A+(B", "A)+1", "(A+B))", "A+B*C/2%3", "1.5+1.25", "$FF+1", "A + B", "  A  *  2  ", "1/0", "A%0.5",
      "10^30%7", "9999999999999999999%2", "-(A+B)", "-(1/3)+1", "(-A)*2", "A+Y", "Y+A", "A+それ", "A+(B*(C+(H)))",
      "A<B<C", "A=A=1", "1<2&&3", "A&B+1", "A+B&1", "A+B C", "A+PI", "A+B#1", "A+Eの長さ", "(B)+1", "(B)*A",
      "(E)+1", "(D)=7", "A=(D)", "G/3", "1E3+1", "1.5E3+1", "A+(F)", "-(F)+1", "A^-1", "2^-0.5", "0.1+0.2",
  };
  for (const bool asArgument : {true, false}) {
    for (const char* formula : formulas) {
      SCOPED_TRACE(std::string(asArgument ? "argument " : "formula ") + formula);
      f.engine.Calc().Formulas().SetEnabled(false);
      const TOutcome expected = Evaluate(formula, asArgument);
      f.engine.Calc().Formulas().SetEnabled(true);
      EXPECT_EQ(Evaluate(formula, asArgument), expected);
      // The second run takes the compiled program.
      EXPECT_EQ(Evaluate(formula, asArgument), expected);
    }
  }
}

TEST_F(FormulaCacheTest, ProgramsFollowTheirVariables) {
  // The same texts run while their variables change value, type and kind,
  // and while words come and go.
  const char* formulas[] = {"X+1", "X*2+A", "X<5", "-X+1", "(X)+1"};
  const char* values[][2] = {{"3", "e"}, {"4.25", "e"}, {"abc", "s"}, {"2", "s"}, {" 7", "e"}, {"-9", "e"}};
  for (const bool asArgument : {true, false}) {
    for (const auto& [value, type] : values) {
      for (const char* formula : formulas) {
        SCOPED_TRACE(std::string(formula) + " with X=" + value + "|" + type);
        f.state.Words.Delete("X", false);
        f.engine.Calc().Formulas().SetEnabled(false);
        const TOutcome unknown = Evaluate(formula, asArgument);
        f.engine.Calc().Formulas().SetEnabled(true);
        EXPECT_EQ(Evaluate(formula, asArgument), unknown);
        auto node = THashNode::MakeVariable("X", value, 0, false);
        node->Description = type;
        f.state.Words.Add(node);
        f.engine.Calc().Formulas().SetEnabled(false);
        const TOutcome expected = Evaluate(formula, asArgument);
        f.engine.Calc().Formulas().SetEnabled(true);
        EXPECT_EQ(Evaluate(formula, asArgument), expected);
        // A label of that name is no variable.
        node->Kind = nkUserFunction;
        f.engine.Calc().Formulas().SetEnabled(false);
        const TOutcome label = Evaluate(formula, asArgument);
        f.engine.Calc().Formulas().SetEnabled(true);
        EXPECT_EQ(Evaluate(formula, asArgument), label);
        node->Kind = nkVariable;
      }
    }
  }
}

TEST_F(FormulaCacheTest, OnlyPlainFormulasAreCompiled) {
  TFormulaCache& formulas = f.engine.Calc().Formulas();
  EXPECT_TRUE(formulas.ProgramFor("A+B*2"));
  EXPECT_TRUE(formulas.ProgramFor("(A<3)&&-B"));
  for (const char* text : {"A", "(A)", "-A", "A&B", "\"a\"+1", "A+f(1)", "A#1+1", "Aの+1", "A+\r\nB", "A+B C"})
    EXPECT_FALSE(formulas.ProgramFor(text)) << text;
}

TEST_F(FormulaCacheTest, AssignmentsInALoopMatchTheCalculator) {
  // One assignment place runs again and again while what it reads changes
  // kind; the variables must end as the calculator leaves them.
  const std::string script =
      "S=0\r\nT=「」\r\nIを、1から、8まで、繰り返す(S=S+I*2;T=T+1;もし、I=4ならば、S=「x」;もし、I=6ならば、T=「 3」)\r\n";
  std::string withCache, withoutCache;
  for (const bool enabled : {true, false}) {
    TEngineFixture run;
    run.engine.Calc().Formulas().SetEnabled(enabled);
    run.Run(script);
    (enabled ? withCache : withoutCache) = run.state.Words.GetValue("S", false) + "|" +
                                           run.state.Words.FindNode("S", false)->Description + "|" +
                                           run.state.Words.GetValue("T", false);
  }
  EXPECT_EQ(withCache, withoutCache);
  EXPECT_EQ(withCache, "52|e|5");
}

}  // namespace
}  // namespace yura
