#include "engine/dll.h"

#include <ffi.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "commands/registry/dispatch.h"
#include "core/errors.h"
#include "core/format.h"
#include "engine/assign.h"
#include "engine/engine.h"
#include "engine/invoke.h"
#include "platform/dynlib.h"
#include "source/halfwidth.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kMsgDllMissing = "DLL\"%s\"が見つかりません。";
constexpr std::string_view kMsgFunctionMissing = "DLL\"%s\"の関数\"%s\"が見つかりません。";
constexpr std::string_view kMsgBadDefinition = "DLLからインポートした命令\"%s\"の定義が間違っています。";
constexpr std::size_t kMaxSimpleParameters = 5;

// A loaded library kept by the interpreter state until the run ends.
class TLoadedLibrary final : public TOwnedState {
 public:
  explicit TLoadedLibrary(std::unique_ptr<TDynamicLibrary> library) : Library(std::move(library)) {}
  std::unique_ptr<TDynamicLibrary> Library;
};

char TypeLetter(std::string type) {
  std::erase_if(type, [](char c) { return c == ' ' || c == '\t'; });
  for (char& c : type)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (type == "void") return 'v';
  if (type == "char*") return 'p';
  if (type == "word") return 'w';
  if (type == "dword") return 'd';
  if (type == "bool") return 'b';
  if (type == "int") return 'i';
  return '\0';
}

// Loads the library, finds the function and registers the command.
void Declare(TEngine& engine, const std::string& file, const std::string& function, std::string name,
             std::string pattern, std::string value) {
  TYuraBase& state = engine.State();
  auto library = TDynamicLibrary::Open(file);
  if (!library) engine.Raise(kMsgDllMissing, {file});
  void* address = library->Symbol(function);
  if (address == nullptr) engine.Raise(kMsgFunctionMissing, {file, function});
  auto node = std::make_shared<THashNode>();
  node->Name = std::move(name);
  node->Kind = nkDllCommand;
  node->ArgPattern = std::move(pattern);
  node->SetValue(std::move(value));
  node->Description = file + "," + function;
  node->Function = address;
  node->Number = static_cast<std::int32_t>(state.DllList.size());
  state.DllList.push_back(std::make_unique<TLoadedLibrary>(std::move(library)));
  state.Words.Add(std::move(node));
}

// DLL宣言 / 文字型DLL宣言: 「library」の「function(?を,?で)」を「name」で.
void DeclareSimple(TEngine& engine, THashNode& entry, std::string value) {
  const std::string name = ToHalfWidth(engine.PopValue());
  const std::string declaration = ToHalfWidth(engine.PopValue());
  const std::string file = ToHalfWidth(engine.PopValue());
  const std::size_t open = declaration.find('(');
  std::string function(Trim(declaration.substr(0, open)));
  std::string pattern;
  if (open != std::string::npos) {
    pattern = declaration.substr(open + 1);
    if (!pattern.empty() && pattern.back() == ')') pattern.pop_back();
  }
  Declare(engine, file, function, name, pattern, std::move(value));
}

void DllDeclare(TEngine& engine, THashNode& entry) { DeclareSimple(engine, entry, ""); }
void DllDeclareText(TEngine& engine, THashNode& entry) { DeclareSimple(engine, entry, "P"); }

// DLLを利用: 「library」の「int f(char*,int)」を「?を,?で」の「name」として.
void DllUse(TEngine& engine, THashNode& entry) {
  const std::string name = ToHalfWidth(engine.PopValue());
  const std::string pattern = ToHalfWidth(engine.PopValue());
  const std::string declaration(Trim(ToHalfWidth(engine.PopValue())));
  const std::string file = ToHalfWidth(engine.PopValue());
  const std::size_t open = declaration.find('(');
  const std::string head(Trim(declaration.substr(0, open)));
  const std::size_t blank = head.find_first_of(" \t");
  const char result = blank == std::string::npos ? 'v' : TypeLetter(head.substr(0, blank));
  const std::string function(Trim(blank == std::string::npos ? std::string_view(head) : std::string_view(head).substr(blank)));
  std::string letters;
  if (open != std::string::npos) {
    std::string list = declaration.substr(open + 1);
    if (const std::size_t close = list.rfind(')'); close != std::string::npos) list.resize(close);
    std::size_t start = 0;
    while (start <= list.size()) {
      std::size_t comma = list.find(',', start);
      if (comma == std::string::npos) comma = list.size();
      if (const char letter = TypeLetter(list.substr(start, comma - start))) letters += letter;
      start = comma + 1;
    }
  }
  std::size_t used = 0;
  for (char letter : letters) used += letter != 'v';
  if (used != PatternArgumentCount(pattern)) engine.Raise(kMsgArgumentError, {engine.CommandName(entry)});
  std::string value = "=";
  if (result != '\0') value += result;
  value += letters;
  Declare(engine, file, function, name, pattern, std::move(value));
}

// The argument texts of a call, as the declared function receives them: a
// literal or a known word (or member) by its value, anything else as written.
std::vector<std::string> CallArguments(TEngine& engine, std::size_t count) {
  TYuraBase& state = engine.State();
  std::vector<std::string> texts(count);
  for (std::size_t i = count; i-- > 0;) texts[i] = state.ArgStack.Pop();
  for (std::string& text : texts) {
    const bool quoted = text.size() >= 2 && ((text.front() == '"' && EndsWithChars(text, "\"")) ||
                                             (text.front() == '`' && EndsWithChars(text, "`")));
    std::string value;
    if (quoted)
      text = engine.EvalValue(text);
    else if (engine.Assigner().IsMemberReference(text, value))
      text = std::move(value);
  }
  return texts;
}

}  // namespace

void CallDll(TEngine& engine, THashNode& node, std::string_view writtenName) {
  TEngine::TNameScope name(engine, writtenName);
  engine.Invoker().MatchArguments(node);
  const std::size_t count = PatternArgumentCount(node.ArgPattern);
  std::vector<std::string> texts = CallArguments(engine, count);
  const bool typed = !node.Value().empty() && node.Value()[0] == '=';
  if (!typed && node.Value() != "" && node.Value() != "P") engine.Raise(kMsgBadDefinition, {engine.CommandName(node)});
  if (!typed && count > kMaxSimpleParameters) engine.Raise(kMsgBadDefinition, {engine.CommandName(node)});

  // The layout of the call: one slot per parameter.
  std::vector<ffi_type*> types;
  std::vector<void*> slots;
  std::vector<char*> pointers(texts.size() + 1);
  std::vector<std::uint32_t> words(texts.size() + 1);
  const std::string letters = typed ? node.Value().substr(2) : std::string(texts.size(), 'p');
  char resultLetter = typed ? (node.Value().size() > 1 ? node.Value()[1] : 'v') : (node.Value() == "P" ? 'p' : 'i');
  std::size_t next = 0;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    const char letter = letters[i];
    if (letter == 'v') continue;
    std::string& text = texts[next];
    const TNumber number = ToNumber(text);
    switch (letter) {
      case 'p':
        pointers[next] = text.data();
        types.push_back(&ffi_type_pointer);
        slots.push_back(&pointers[next]);
        break;
      case 'w':
        words[next] = static_cast<std::uint16_t>(TruncateToInt64(number).value_or(0));
        types.push_back(&ffi_type_uint16);
        slots.push_back(&words[next]);
        break;
      case 'd':
        words[next] = static_cast<std::uint32_t>(TruncateToInt64(number).value_or(0));
        types.push_back(&ffi_type_uint32);
        slots.push_back(&words[next]);
        break;
      case 'b':
        words[next] = number != 0 ? 0xFFFFFFFFu : 0;
        types.push_back(&ffi_type_sint32);
        slots.push_back(&words[next]);
        break;
      default:  // 'i'
        words[next] = static_cast<std::uint32_t>(TruncateToInt64(number).value_or(0));
        types.push_back(&ffi_type_sint32);
        slots.push_back(&words[next]);
        break;
    }
    if (++next >= texts.size()) break;
  }
  ffi_type* resultType = &ffi_type_sint32;
  switch (resultLetter) {
    case 'p':
      resultType = &ffi_type_pointer;
      break;
    case 'v':
      resultType = &ffi_type_void;
      break;
    case 'd':
    case 'w':
      resultType = &ffi_type_uint32;
      break;
    default:
      break;
  }
  ffi_cif cif;
  if (ffi_prep_cif(&cif, FFI_DEFAULT_ABI, static_cast<unsigned>(types.size()), resultType, types.data()) != FFI_OK)
    engine.Raise(kMsgBadDefinition, {engine.CommandName(node)});
  ffi_arg returned = 0;
  ffi_call(&cif, reinterpret_cast<void (*)()>(node.Function), &returned, slots.data());

  switch (resultLetter) {
    case 'p': {
      const char* text = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(returned));
      engine.SetSore(text != nullptr ? std::string(text) : std::string(), kTagString);
      return;
    }
    case 'v':
      engine.SetSore("", kTagNumber);
      return;
    case 'd':
      engine.SetSore(std::to_string(static_cast<std::uint32_t>(returned)), kTagNumber);
      return;
    case 'w':
      engine.SetSore(std::to_string(static_cast<std::uint32_t>(returned) & 0xFFFFu), kTagNumber);
      return;
    default:
      engine.SetSore(std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(returned))), kTagNumber);
      return;
  }
}

void RegisterDllHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(49, DllDeclare);
  dispatcher.Register(380, DllDeclareText);
  dispatcher.Register(390, DllUse);
}

}  // namespace yura
