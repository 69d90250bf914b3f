// The execution engine: the hub that ties the executor, the calculator, the
// assignment, the argument matcher and the dispatcher to one interpreter
// state. Command handlers receive it and reach everything through it.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/runcontrol.h"
#include "core/yurabase.h"
#include "engine/numbers.h"
#include "engine/placecache.h"

namespace yura {

class TAssigner;
class TCalculator;
class TDispatcher;
class TEventRunner;
class TExecutor;
class TInvoker;
class EYura;

// Prepares a text in place; an unbalanced string or brace comment becomes a
// script error reported at the line of the opening quote or brace.
void PrepareOrRaise(TYuraBase& state, std::string& text);

class TEngine final : public TConditionEvaluator {
 public:
  explicit TEngine(TYuraBase& state);
  ~TEngine() override;
  TEngine(const TEngine&) = delete;
  TEngine& operator=(const TEngine&) = delete;

  TYuraBase& State() { return state_; }
  THost& Host() { return state_.Host(); }
  TExecutor& Executor() { return *executor_; }
  TCalculator& Calc() { return *calculator_; }
  // Blocks read before, by the place they begin: their own text and where
  // they end.
  struct TBlockPlace {
    TText Body;
    std::size_t End = 0;
  };
  TPlaceCache<TBlockPlace>& BlockPlaces() { return blockPlaces_; }
  // もし conditions read before, by their place: the formula and its end.
  struct TConditionPlace {
    std::string Formula;
    std::size_t End = 0;
  };
  TPlaceCache<TConditionPlace>& ConditionPlaces() { return conditionPlaces_; }
  TAssigner& Assigner() { return *assigner_; }
  TInvoker& Invoker() { return *invoker_; }
  TDispatcher& Dispatcher() { return *dispatcher_; }
  TEventRunner& Events() { return *events_; }

  // --- For the host ---
  // The start of a run: state reset, vocabulary, the prepared main text in
  // slot 0 and its labels. Throws EYura on a source error.
  void PrepareRun();
  // Runs until the text and its frames are exhausted, the cursor is cleared
  // or a stop is requested.
  void RunScript();
  // The end handler of a close request; true when the window may close.
  bool CloseQuery();

  // --- For command handlers ---
  // The next argument text as written (particle already removed).
  std::string PopRaw() { return state_.ArgStack.Pop(); }
  // The next argument's value.
  std::string PopValue();
  TNumber PopNumber() { return ToNumber(PopValue()); }
  std::string EvalValue(std::string_view text);
  const std::string& LastType() const { return state_.LastType; }

  void SetSore(std::string value, std::string_view tag);
  void SetSoreNumber(TNumber value) { SetSore(NumberText(value), kTagNumber); }

  [[noreturn]] void Raise(std::string_view message) { state_.Raise(message); }
  [[noreturn]] void Raise(std::string_view messageTemplate, std::initializer_list<std::string_view> values);

  // What the run loop does with a script error: jump to the error label,
  // show the error window, or go on.
  void HandleScriptError(const EYura& error);

  // Native stack a call takes at most through its label's first sentence: a
  // recursive call is stopped at its own line, before the label is entered.
  static constexpr std::size_t kCallStackReserve = 64 * 1024;
  // Raises the stack-full error when the native stack is nearly used up;
  // `reserve` keeps room for what the caller is about to enter.
  void CheckNativeDepth(std::size_t reserve = 0);

  // The name of the command now running, as the script wrote it (言います
  // for the command stored as 言); messages name commands this way.
  std::string_view CommandName(const THashNode& entry) const;
  class TNameScope {
   public:
    TNameScope(TEngine& engine, std::string_view name) : engine_(engine) { engine.commandNames_.push_back(name); }
    ~TNameScope() { engine_.commandNames_.pop_back(); }
    TNameScope(const TNameScope&) = delete;
    TNameScope& operator=(const TNameScope&) = delete;

   private:
    TEngine& engine_;
  };

  long long ConditionValue(std::string_view condition) override;
  std::optional<long long> PlainConditionValue(std::string_view condition) override;

 private:
  TYuraBase& state_;
  std::unique_ptr<TCalculator> calculator_;
  std::unique_ptr<TExecutor> executor_;
  std::unique_ptr<TAssigner> assigner_;
  std::unique_ptr<TInvoker> invoker_;
  std::unique_ptr<TDispatcher> dispatcher_;
  std::unique_ptr<TEventRunner> events_;
  std::vector<std::string_view> commandNames_;
  TPlaceCache<TBlockPlace> blockPlaces_;
  TPlaceCache<TConditionPlace> conditionPlaces_;
};

// Messages of the engine core.
inline constexpr std::string_view kMsgStackFull = "スタックが一杯になりました。ラベルなどに再帰呼び出しがないか確認！";
inline constexpr std::string_view kMsgEndlessLoop = "実行が無限ループしている可能性があるので終了します。";
inline constexpr std::string_view kMsgNoProgress = "特定できないシステムエラーです(ToT)";
inline constexpr std::string_view kMsgBadSyntax = "\"%s\"は、文法が正しくないため、実行できません。";
inline constexpr std::string_view kMsgJoinHint = "\"&\"は、文字列との連結に使います。";
inline constexpr std::string_view kMsgOperatorHint = "\"%s\"は、計算式で使います。";
// Messages several command families raise.
inline constexpr std::string_view kMsgNotIdentified = "オブジェクト\"%s\"が特定できません。";
inline constexpr std::string_view kMsgNoFile = "ファイル\"%s\"が、ありません。";
inline constexpr std::string_view kMsgNoVariable = "変数\"%s\"が見つかりません。";
inline constexpr std::string_view kMsgFileReadWrite = "ファイル\"%s\"の、読み込みか書き込みに、失敗しました。";
inline constexpr std::string_view kMsgReadOnly = "\"%s\"は、読取専用です。";
inline constexpr std::string_view kMsgVariableRun = "変数を実行することは出来ません。";
inline constexpr std::string_view kMsgTooManyArguments = "\"%s\"命令の引数に誤りがあります。引数が多いです。\"";
inline constexpr std::string_view kMsgUndefinedCommand = "\"%s\"は未定義の命令です。(;o;)<綴りミスか、命令の引数に注意！";
inline constexpr std::string_view kMsgCallParenthesis = "関数\"%s\"の呼び出しで、引数の()は、すぐ後ろに書いてください。";
inline constexpr std::string_view kMsgInvalidOperation = "プログラムで不正な操作がありました。";
inline constexpr std::string_view kMsgArgumentError = "\"%s\"命令の引数に誤りがあります。";
inline constexpr std::string_view kMsgTooFewArguments = "\"%s\"命令の引数に誤りがあります。\"%s\"の形式で指定してください。引数が少ないです。";
inline constexpr std::string_view kMsgWrongParticle = "\"%s\"命令の引数に誤りがあります。\"%s\"の形式で指定してください。\"%s\"";
inline constexpr std::string_view kMsgSystemCommandError = "システム命令実行中のエラー。理由は,%s";
inline constexpr std::string_view kMsgBrokenLink = "\"%s\":ゆらほし命令のリンク切れ。作者へ報告を！";
inline constexpr std::string_view kMsgNaraAlone = "条件文は、「もし～ならば」と対で使わなければなりません。";
inline constexpr std::string_view kMsgNotBuilt = "命令\"%s\"は、このランタイムにはまだ組み込まれていません。";

}  // namespace yura
