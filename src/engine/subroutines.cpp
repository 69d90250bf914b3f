#include "engine/subroutines.h"

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "core/errors.h"
#include "engine/engine.h"
#include "engine/invoke.h"
#include "engine/labels.h"
#include "engine/scriptfile.h"
#include "host/resourcearchive.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "source/halfwidth.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kMsgUndefinedLabel = "未定義のラベル\"%s\"に、ジャンプしようとしました。";
constexpr std::string_view kMsgNowhereToReturn = "「戻る」べき場所がありません。";
constexpr std::string_view kMsgTooManyTexts = "取り込めるファイルは49個までです。";
constexpr std::string_view kEvalSuffix = "行目のゆらほし";

// Restores the running text's name and the cursor when a nested run ends.
class TRunPlaceGuard {
 public:
  explicit TRunPlaceGuard(TYuraBase& state)
      : state_(state), file_(state.SourceFileName), text_(state.SourceText), cursor_(state.Cursor) {}
  ~TRunPlaceGuard() {
    state_.SourceFileName = std::move(file_);
    state_.SourceText = std::move(text_);
    state_.Cursor = std::move(cursor_);
  }
  TRunPlaceGuard(const TRunPlaceGuard&) = delete;
  const std::string& File() const { return file_; }
  TRunPlaceGuard& operator=(const TRunPlaceGuard&) = delete;

 private:
  TYuraBase& state_;
  std::string file_;
  TText text_;
  TCursor cursor_;
};

void JumpToLabel(TEngine& engine, const std::string& name) {
  TYuraBase& state = engine.State();
  const TNodeRef label = state.Words.Find(name, false);
  if (!label || label->Kind != nkUserFunction) engine.Raise(kMsgUndefinedLabel, {name});
  state.Cursor = label->Position;
  state.SourceFileName = label->Description;
}

// おわり (2).
void End(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  state.RunStack.Clear();
  state.Cursor.Clear();
  engine.Host().CloseMainWindow();
}

// 戻る (3).
void Return(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  if (state.RunStack.Empty()) {
    state.Cursor.Clear();
    return;
  }
  TRunControl frame;
  while (state.RunStack.Pop(frame))
    if (frame.Kind == rcCall || frame.Kind == rcEvent) {
      state.Cursor = frame.BodyPos;
      state.SourceFileName = frame.FileName;
      return;
    }
  engine.Raise(kMsgNowhereToReturn);
}

// 飛ぶ (5): within the enclosing blocks when one holds the label, else to it.
void Jump(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string name = engine.PopRaw();
  const std::string mark = "*" + name + "\r";
  TRunControl frame;
  while (state.RunStack.Pop(frame)) {
    if (!frame.Body) {
      state.RunStack.Push(std::move(frame));
      break;
    }
    const std::size_t at = frame.Body->find(mark);
    if (at != std::string::npos) {
      state.Cursor = TCursor(frame.Body, at);
      state.RunStack.Push(std::move(frame));
      return;
    }
  }
  JumpToLabel(engine, name);
}

// 呼ぶ (6).
void Call(TEngine& engine, THashNode&) {
  const std::string name = PopName(engine);
  const TNodeRef label = engine.State().Words.Find(name, false);
  if (!label || label->Kind != nkUserFunction) engine.Raise(kMsgNotIdentified, {name});
  engine.Invoker().CallLabel(*label);
}

// 待機 (13): the straight-line run ends; events run from now on. Destroyed
// parts are freed from the event loop, where none of their events can be on
// the way.
void Wait(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  state.RunStack.Clear();
  state.Cursor.Clear();
  if (state.DeferredFree.size() > 1) engine.Host().ScheduleDeferredFree();
}

// 取り込む (55): the file's text is prepared, its labels registered, and it runs
// to its end on a fresh level.
void Include(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string name = engine.PopValue();
  std::string file(Trim(FindFile(engine, name)));
  // A member of the resource archive stands in for the file.
  if (std::string extracted = ExtractResource(state, file); !extracted.empty()) file = std::move(extracted);
  file = FindFile(engine, file);
  TRunPlaceGuard place(state);
  // Errors in the file's text name the file.
  state.SourceFileName = file;
  std::string text;
  if (!ReadScriptText(state, file, text)) {
    state.SourceFileName = place.File();
    engine.Raise(kMsgNoFile, {file});
  }
  PrepareOrRaise(state, text);
  if (state.TextCount >= static_cast<std::int32_t>(kMaxTexts)) throw EPlainError(std::string(kMsgTooManyTexts));
  const TText stored = MakeText(std::move(text));
  state.Texts[static_cast<std::size_t>(state.TextCount)] = stored;
  RegisterLabels(state, stored, file);
  ++state.TextCount;

  state.Cursor = TCursor(stored, 0);
  TLevelGuard level(state.RunStack);
  engine.RunScript();
}

// ゆらほしする (74): a text run as a program; its errors name it after the
// line that ran it.
void Evaluate(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  std::string text = engine.PopValue();
  TRunPlaceGuard place(state);
  state.SourceFileName += "の" + std::to_string(state.CurrentLine) + std::string(kEvalSuffix);
  PrepareOrRaise(state, text);
  state.SourceText = MakeText(std::move(text));
  state.Cursor = TCursor(state.SourceText, 0);
  TLevelGuard level(state.RunStack);
  engine.RunScript();
}

// 関数定義 (399): gives a label its argument pattern.
void DefineFunction(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string pattern = ToHalfWidth(engine.PopValue());
  const std::string name = PopName(engine);
  const TNodeRef node = state.Words.Find(name, false);
  if (!node) engine.Raise(kMsgNotIdentified, {name});
  node->ArgPattern = pattern;
  const std::string stripped = StripOkurigana(node->Name);
  if (stripped != node->Name) {
    // Inflected forms (足して) find the function through its stripped name.
    auto copy = std::make_shared<THashNode>(*node);
    copy->Name = stripped;
    state.Words.Add(std::move(copy));
  }
}

// 引数取得 (400).
void GetArguments(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  std::string lines = state.FuncArgs.AsLines();
  state.FuncArgs.Clear();
  engine.SetSore(std::string(Trim(lines)), kTagString);
}

}  // namespace

std::string FindFile(TEngine& engine, const std::string& name) {
  const TYuraBase& state = engine.State();
  if (name.empty() || IsAbsolutePath(name) || name.find(':') != std::string::npos) return name;
  const std::string candidates[] = {
      CurrentFolder() + name,
      state.ScriptFolder.empty() ? std::string() : WithTrailingSeparator(state.ScriptFolder) + name,
      state.Startup.RuntimePath.empty() ? std::string() : std::string(FolderPart(state.Startup.RuntimePath)) + name,
      FolderPart(state.SourceFileName).empty() ? std::string()
                                               : std::string(FolderPart(state.SourceFileName)) + name,
  };
  for (const std::string& candidate : candidates)
    if (!candidate.empty() && FileExists(candidate)) return candidate;
  return name;
}

void RegisterSubroutineHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(2, End);
  dispatcher.Register(3, Return);
  dispatcher.Register(5, Jump);
  dispatcher.Register(6, Call);
  dispatcher.Register(13, Wait);
  dispatcher.Register(55, Include);
  dispatcher.Register(74, Evaluate);
  dispatcher.Register(399, DefineFunction);
  dispatcher.Register(400, GetArguments);
}

}  // namespace yura
