#include "core/yurabase.h"

#include <charconv>

#include "core/errors.h"
#include "platform/filesystem.h"
#include "platform/paths.h"

namespace yura {

std::string TStartupInfo::ScriptArguments() const {
  std::string out;
  for (std::size_t i = ScriptParameterIndex; i < Parameters.size(); ++i) {
    if (i > ScriptParameterIndex) out += "\r\n";
    out += Parameters[i];
  }
  return out;
}

TYuraBase::TYuraBase(THost& host) : RandomSeed(HighResolutionTicks()), host_(host) {}

TYuraBase::~TYuraBase() { Release(); }

void TYuraBase::ResetForStart() {
  ErrorLog.clear();
  Cursor.Clear();
  PinnedCursor.Clear();
  CurrentLine = 0;
  TextX = TextY = 10;
  Words.Clear();
  CondResult = -1;
}

int TYuraBase::LineOfCursor() {
  if (Cursor.IsEmpty()) return CurrentLine;
  if (Cursor == PinnedCursor) return PinnedLine;
  const char* p = Cursor.Ptr();
  while (*p != '\0' && *p != '\r' && *p != '\n') ++p;
  while (*p == '\r' || *p == '\n') ++p;
  const char* start = p;
  while (*p >= '0' && *p <= '9') ++p;
  int line = 0;
  if (p != start && *p == ':' && std::from_chars(start, p, line).ec == std::errc()) {
    CurrentLine = line;
    return line;
  }
  return CurrentLine;
}

std::string TYuraBase::FormatError(std::string_view message) {
  const std::string_view file = FileNamePart(SourceFileName);
  const std::string line = std::to_string(LineOfCursor());
  std::string out;
  out.reserve(file.size() + line.size() + message.size() + 24);
  out += "[エラー] ";
  out += file;
  out += '(';
  out += line;
  out += "行目): ";
  out += message;
  return out;
}

void TYuraBase::AppendToErrorLog(std::string_view message) {
  ErrorLog += message;
  ErrorLog += "\r\n";
}

void TYuraBase::Raise(std::string_view message) { RaiseFormatted(FormatError(message)); }

void TYuraBase::RaiseFormatted(std::string message) {
  AppendToErrorLog(message);
  throw EYura(std::move(message));
}

void TYuraBase::Release() {
  if (released_) return;
  released_ = true;
  // そ may refer to an object entry; the entries are shared, so clearing the
  // table cannot free an object that そ still reaches.
  Words.Clear();
  ArgStack.Clear();
  Objects.Clear();
  DeferredFree.clear();
  TableSearch.reset();
  RunStack.ClearAll();
  FuncArgs.Clear();
  DllList.clear();  // unloads every module
  DdeServers.reset();
  ResourceArchive.reset();  // deletes its extracted copy
  Registry.reset();
  IniFile.reset();
  Handles.reset();
  LogObject.reset();
  for (const std::string& file : TempFiles)
    if (FileExists(file)) RemoveFile(file);
  TempFiles.clear();
}

}  // namespace yura
